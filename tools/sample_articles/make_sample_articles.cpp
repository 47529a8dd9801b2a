// Turns a plain UTF-8 article text into an article file in its stored form (UTF-16LE with
// every byte increased by 2). Used for the small sample dictionary that ships with the
// sources and serves where the real dictionary cannot be built.
//   make_sample_articles INPUT.txt OUTPUT.dat
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "dictionary/article_files.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s INPUT.txt OUTPUT.dat\n", argv[0]);
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  if (!input.good() && !input.eof()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  if (!isValidUtf8(text)) {
    std::fprintf(stderr, "%s is not UTF-8\n", argv[1]);
    return 1;
  }
  const std::vector<unsigned char> bytes = storedArticleBytes(utf8ToUtf16(text));
  // Written beside the output and renamed over it once complete: a failed write (a full
  // disk shows only when the file is closed) leaves no partial file that looks built.
  const std::string part = std::string(argv[2]) + ".part";
  std::ofstream output(part, std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  output.close();
  if (!output || std::rename(part.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    std::remove(part.c_str());
    return 1;
  }
  return 0;
}

// Turns a plain UTF-8 article text into an article file in its stored form (UTF-16LE with
// every byte increased by 2). Used for the small sample dictionary that ships with the
// sources and serves where the real dictionary cannot be built.
//   make_sample_articles INPUT.txt OUTPUT.dat
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dictionary/article_files.h"

namespace {

// Decodes UTF-8 into UTF-16LE bytes; returns false on a malformed sequence.
bool utf8ToUtf16Bytes(const std::string& in, std::vector<unsigned char>& out) {
  auto put = [&out](unsigned unit) {
    out.push_back(static_cast<unsigned char>(unit & 0xff));
    out.push_back(static_cast<unsigned char>(unit >> 8));
  };
  for (std::size_t i = 0; i < in.size();) {
    const auto lead = static_cast<unsigned char>(in[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > in.size()) return false;
    unsigned code = length == 1 ? lead : lead & (0xff >> (length + 1));
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(in[i + k]);
      if ((next >> 6) != 2) return false;
      code = (code << 6) | (next & 0x3f);
    }
    i += length;
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xd800 | (code >> 10));
      put(0xdc00 | (code & 0x3ff));
    } else {
      put(code);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s INPUT.txt OUTPUT.dat\n", argv[0]);
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  std::vector<unsigned char> bytes;
  if (!input.good() && !input.eof()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  if (!utf8ToUtf16Bytes(text, bytes)) {
    std::fprintf(stderr, "%s is not UTF-8\n", argv[1]);
    return 1;
  }
  scrambleArticleBytes(bytes.data(), bytes.size());
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!output.good()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

// Start-up and lookups with damaged or hostile article files: cut short, odd-sized, zeroed,
// random, enormous, without separators, empty, or a folder in place of the file. The program
// says what it says for a missing or empty file and nothing otherwise, keeps running, and
// lookups in both tabs go on working afterwards.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/word_search.h"
#include "resource.h"
#include "test_support_win.h"

namespace {

const std::wstring m1 =
    L"Dictionary article file not found, please try reinstall application or download latest version from "
    L"http://tandemox.example/";

std::string stored(const std::u16string& plainText) {
  std::string bytes;
  for (const char16_t unit : plainText) {
    bytes += static_cast<char>(unit & 0xff);
    bytes += static_cast<char>(unit >> 8);
  }
  scrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  return bytes;
}

const std::u16string wellFormed = u"\n|apple|苹果 píngguǒ\n|water|水 shuǐ\n|zebra|斑马 bānmǎ\n";

std::string cutInsideArticle() { return stored(wellFormed.substr(0, wellFormed.find(u"shuǐ") + 2)); }
std::string cutInsideHeadword() { return stored(wellFormed.substr(0, wellFormed.find(u"water") + 3)); }
// The low byte of the next unit's first half: the file ends half-way through a UTF-16 unit.
std::string cutInsideUnit() { return stored(wellFormed) + stored(u"x").substr(0, 1); }
std::string allZero() { return std::string(64 * 1024, '\0'); }
std::string noSeparators() { return stored(u"a title line\napple 苹果\nwater 水\n"); }
std::string recordStartsOnly() {
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text += u"\n|";
  return stored(text);
}
std::string zeroUnitInside() { return stored(u"\n|apple|苹果\n" + std::u16string(1, u'\0') + u"|water|水\n"); }
std::string unsortedWithRepeats() { return stored(u"\n|zebra|z\n|water|w\n|apple|first\n|apple|second\n|a|b\n"); }
std::string loneSurrogates() {
  return stored(u"\n|apple|苹果\n|\xD800\xD800|broken\n|w\xDC00|" + std::u16string(1, u'\xD83D') + u"\n");
}
std::string hugeHeadword() { return stored(u"\n|" + std::u16string(100000, u'h') + u"|long\n|zebra|z\n"); }
std::string hugeArticle() {
  std::u16string article;
  for (int i = 0; i < 100000; ++i) article += u"water 水 shuǐ 0123456789\r\n";  // 2.6 million units
  return stored(u"\n|apple|" + article + u"|zebra|z\n");
}
std::string randomBytes() {
  std::mt19937 generator(20240611);
  std::string bytes(256 * 1024 + 1, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xff);
  return bytes;
}
std::string empty() { return {}; }

enum class Stands { Loaded, Empty, NotOpened };

struct HostileCase {
  const char* name;
  int file;                // which article file is the hostile one
  std::string (*bytes)();  // its stored bytes; null for a folder in its place
  Stands stands;
  const char16_t* probe;  // typed into the hostile file's tab
  int probeListed;        // the headwords it lists then; -1 when the content is random
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

const HostileCase hostileCases[] = {
    {"CutInsideAnArticle", 0, cutInsideArticle, Stands::Loaded, u"apple", 2},
    {"CutInsideAHeadword", 1, cutInsideHeadword, Stands::Loaded, u"wat", 0},
    {"CutInsideAUnit", 0, cutInsideUnit, Stands::Loaded, u"water", 2},
    {"AllZero", 1, allZero, Stands::Loaded, u"", 0},
    {"NoSeparators", 0, noSeparators, Stands::Loaded, u"apple", 0},
    {"RecordStartsOnly", 1, recordStartsOnly, Stands::Loaded, u"", 25},
    {"ZeroUnitInside", 0, zeroUnitInside, Stands::Loaded, u"water", 0},
    {"UnsortedWithRepeats", 1, unsortedWithRepeats, Stands::Loaded, u"apple", 3},
    {"LoneSurrogates", 0, loneSurrogates, Stands::Loaded, u"\xD800", 2},
    {"HugeHeadword", 1, hugeHeadword, Stands::Loaded, u"hhh", 2},
    {"HugeArticle", 0, hugeArticle, Stands::Loaded, u"apple", 2},
    {"RandomBytes", 1, randomBytes, Stands::Loaded, u"a", -1},
    {"EmptyFirst", 0, empty, Stands::Empty, u"apple", -1},
    {"EmptySecond", 1, empty, Stands::Empty, u"apple", -1},
    {"FolderInPlaceOfFirst", 0, nullptr, Stands::NotOpened, u"apple", -1},
    {"FolderInPlaceOfSecond", 1, nullptr, Stands::NotOpened, u"apple", -1},
};

class HostileArticleFile : public ::testing::TestWithParam<HostileCase> {};

void lookUp(int tab, const std::wstring& word) {
  SendMessageW(app.mainWindow, WM_COMMAND,
               MAKEWPARAM(tab == 0 ? IDM_VIEW_ENGLISH_CHINESE : IDM_VIEW_CHINESE_ENGLISH, 0), 0);
  SetWindowTextW(app.tabs[tab].controls.wordBox, word.c_str());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX + tab, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(app.tabs[tab].controls.wordBox));
}

TEST_P(HostileArticleFile, StartsSaysWhatItDefinesAndKeepsLookingUp) {
  const HostileCase& c = GetParam();
  const auto directory = makeFixtureDirectory();
  const int sane = 1 - c.file;
  writeArticleFile(directory, sane, sane == 0 ? wellFormed : u"\n|水|shuǐ\n1. water\n");
  const std::wstring hostilePath =
      directory + L"\\" + toWideText(articleFileRelativePath(directionOfSelection(c.file)));
  CreateDirectoryW((directory + L"\\Articles").c_str(), nullptr);
  if (c.bytes) {
    writeRawFile(hostilePath, c.bytes());
  } else {
    ASSERT_TRUE(CreateDirectoryW(hostilePath.c_str(), nullptr));
  }

  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  // The hostile tab, then the other one: a found word, a long one and an empty box in each.
  const std::wstring probe = toWideText(c.probe);
  const std::vector<std::pair<int, std::wstring>> lookups = {
      {c.file, probe},
      {c.file, std::wstring(600, L'w')},
      {c.file, L""},
      {sane, sane == 0 ? L"water" : L"水"},
      {sane, std::wstring(600, L'w')},
      {c.file, probe},
  };
  for (const auto& [tab, word] : lookups) lookUp(tab, word);
  pumpMessages(100);
  ASSERT_TRUE(IsWindow(app.mainWindow));

  // Each lookup of a text that did not load tells twice (word list and article view), the
  // initial one included; a file that could not be opened is told of once more at loading.
  const std::size_t lookupsMade = 1 + lookups.size();
  switch (c.stands) {
    case Stands::Loaded:
      EXPECT_TRUE(boxes.texts().empty()) << "first message: " << (boxes.texts().empty() ? L"" : boxes.texts()[0]);
      lookUp(c.file, probe);
      if (c.probeListed >= 0) {
        EXPECT_EQ(listCount(c.file), c.probeListed);
      }
      // However long the article, the view gets no more than a bounded beginning of it.
      EXPECT_LE(GetWindowTextLengthW(app.tabs[c.file].controls.articleView),
                static_cast<int>(maxShownArticleLength) + 1);
      lookUp(sane, sane == 0 ? L"water" : L"水");
      EXPECT_EQ(listCount(sane), sane == 0 ? 2 : 1) << "the well-formed file is searched as ever";
      EXPECT_NE(textOf(app.tabs[sane].controls.articleView).find(L"shuǐ"), std::wstring::npos);
      break;
    case Stands::Empty:
      EXPECT_EQ(boxes.texts(), std::vector<std::wstring>(2 * lookupsMade, m1));
      break;
    case Stands::NotOpened:
      EXPECT_EQ(boxes.texts(), std::vector<std::wstring>(1 + 2 * lookupsMade, m1));
      break;
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
  RemoveDirectoryW(hostilePath.c_str());
}

INSTANTIATE_TEST_SUITE_P(StartUp, HostileArticleFile, ::testing::ValuesIn(hostileCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

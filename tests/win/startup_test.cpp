// Start-up of the real program against article files that each test writes.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "resource.h"
#include "test_support_win.h"

namespace {

const std::u16string englishChinese = u"title line\n|ab|x\n|water|水 shuǐ\n";
const std::u16string chineseEnglish = u"\n|水|shuǐ\n1. water\n";
const std::wstring m1 =
    L"Dictionary article file not found, please try reinstall application or download latest version from "
    L"http://tandemox.example/";
const std::wstring m2 =
    L"Dictionary article file not found, please try reinstall application or download latest version "
    L"http://tandemox.example/";

std::u16string tabTextOf(int tab) {
  const auto* units = reinterpret_cast<const char16_t*>(app.dictionary.files[tab].text);
  return std::u16string(units, app.dictionary.files[tab].bytes.size / 2);
}

TEST(StartUp, LoadsAndUnscramblesBothFilesWithTabZeroOnEnglishChinese) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, englishChinese);
  writeArticleFile(directory, 1, chineseEnglish);
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(boxes.texts().empty());
  ASSERT_NE(app.dictionary.files[0].text, nullptr);
  ASSERT_NE(app.dictionary.files[1].text, nullptr);
  EXPECT_EQ(tabTextOf(0), englishChinese);
  EXPECT_EQ(tabTextOf(1), chineseEnglish);
  EXPECT_EQ(app.dictionary.files[0].bytes.size, englishChinese.size() * 2);
  // The block ends in a zero unit right after the data.
  EXPECT_EQ(reinterpret_cast<const char16_t*>(app.dictionary.files[0].text)[englishChinese.size()], u'\0');
  EXPECT_EQ(exitProgramAndWait(), 0);
  EXPECT_EQ(app.dictionary.files[0].bytes.block.bytes(), nullptr) << "the texts are freed at shutdown";
}

// Loading tells the user once; the initial lookup that follows then tells again from the
// word list and from the article view.
const std::vector<std::wstring> loadingAndInitialLookup{m1, m1, m1};

TEST(StartUp, WithoutTheArticlesFolderShowsOneMissingFileMessageAndTheLookupsTwoMore) {
  makeFixtureDirectory();
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(boxes.texts(), loadingAndInitialLookup);
  EXPECT_EQ(app.dictionary.files[0].text, nullptr);
  EXPECT_EQ(app.dictionary.files[1].text, nullptr);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST(StartUp, AMissingFirstFileStopsBeforeTheSecondIsOpened) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 1, chineseEnglish);
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(boxes.texts(), loadingAndInitialLookup);
  EXPECT_EQ(app.dictionary.files[1].bytes.block.bytes(), nullptr);
  EXPECT_EQ(app.dictionary.files[1].bytes.size, 0u);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST(StartUp, AMissingSecondFileLeavesBothTabsWithoutText) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, englishChinese);
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(boxes.texts(), loadingAndInitialLookup);
  EXPECT_NE(app.dictionary.files[0].bytes.block.bytes(), nullptr);
  EXPECT_EQ(app.dictionary.files[0].text, nullptr);
  EXPECT_EQ(app.dictionary.files[1].text, nullptr);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST(StartUp, AnEmptyFirstFileLoadsSilentlyUnscramblesNeitherAndLookupsReportIt) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, u"");
  writeArticleFile(directory, 1, u"\n|a|b\n");
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(boxes.texts(), (std::vector<std::wstring>{m1, m1})) << "only the initial lookup tells";
  EXPECT_EQ(app.dictionary.files[0].bytes.size, 0u);
  ASSERT_NE(app.dictionary.files[1].bytes.block.bytes(), nullptr);
  EXPECT_EQ(app.dictionary.files[1].bytes.block.bytes()[0], '\n' + 2) << "the second text stays scrambled";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// A second file too large to hold is refused as if its size could not be read: the
// message without "from", and no tab gets a text. Just over the cap, and 4 GiB + 10 bytes,
// whose size a 32-bit size type would take for 10 bytes.
TEST(StartUp, AnOversizedSecondFileIsRefusedWithTheSizeMessage) {
  for (const LONGLONG size : {static_cast<LONGLONG>(maxArticleFileSize) + 4096, (1LL << 32) + 10}) {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, englishChinese);
    writeArticleFile(directory, 1, chineseEnglish);
    const std::wstring second = directory + L"\\" + toWideText(articleFileRelativePath(Direction::ChineseEnglish));
    const HANDLE file = CreateFileW(second.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = size;  // sparse on the host's file system
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);

    MessageBoxWatcher boxes;
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(boxes.texts(), std::vector<std::wstring>{m2}) << size << " bytes";
    EXPECT_EQ(app.dictionary.files[1].bytes.block.bytes(), nullptr);
    EXPECT_NE(app.dictionary.files[1].bytes.size, 0u);
    EXPECT_EQ(app.dictionary.files[0].text, nullptr);
    EXPECT_EQ(exitProgramAndWait(), 0);
    DeleteFileW(second.c_str());
  }
}

// An odd-sized file still ends in a whole zero unit, so a search cannot read past the block.
TEST(StartUp, AnOddSizedFileEndsInAWholeZeroUnit) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, englishChinese);
  writeRawFile(directory + L"\\" + toWideText(articleFileRelativePath(Direction::ChineseEnglish)),
               std::string("\x0c\x02\x7e\x02\x63", 5));
  ASSERT_TRUE(startProgram());
  ASSERT_EQ(app.dictionary.files[1].bytes.size, 5u);
  const unsigned char* text = app.dictionary.files[1].bytes.block.bytes();
  EXPECT_EQ(text[4], 'a');
  EXPECT_EQ(text[5], 0);
  EXPECT_EQ(text[6], 0);
  EXPECT_EQ(text[7], 0);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST(MainWindow, HasItsCaptionClassAndMenuWithFileItemsGreyed) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, englishChinese);
  writeArticleFile(directory, 1, chineseEnglish);
  ASSERT_TRUE(startProgram());
  wchar_t text[200];
  GetWindowTextW(app.mainWindow, text, 200);
  EXPECT_STREQ(text, L"Tandemox English to Chinese, Chinese to English Talking Dictionary");
  GetClassNameW(app.mainWindow, text, 200);
  EXPECT_STREQ(text, L"KESTRELVALE_10");
  EXPECT_TRUE(IsWindowVisible(app.mainWindow));

  const HMENU menu = GetMenu(app.mainWindow);
  ASSERT_NE(menu, nullptr);
  const wchar_t* popups[] = {L"&File  ", L"&Edit  ", L"&View  ", L"&Tools  ", L"&Help  "};
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  for (int i = 0; i < 5; ++i) {
    GetMenuStringW(menu, i, text, 200, MF_BYPOSITION);
    EXPECT_STREQ(text, popups[i]);
  }
  for (const UINT id : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FILE_PRINT, IDM_FILE_PRINT_PREVIEW}) {
    EXPECT_TRUE(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) << id;
  }
  EXPECT_FALSE(GetMenuState(menu, IDM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
  GetMenuStringW(menu, IDM_EXIT, text, 200, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"E&xit");

  EXPECT_EQ(exitProgramAndWait(), 0);
  EXPECT_FALSE(IsWindow(app.mainWindow));
}

}  // namespace

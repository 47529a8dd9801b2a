#include "dictionary/voice_choice.h"

#include <gtest/gtest.h>

namespace {

const InstalledVoice usEnglish{u"Zira", u"409;9"};
const InstalledVoice britishEnglish{u"Hazel", u"809"};
const InstalledVoice mandarin{u"Huihui", u"804"};
const InstalledVoice taiwanese{u"Hanhan", u"404"};
const InstalledVoice cantonese{u"Tracy", u"C04"};
const InstalledVoice german{u"Hedda", u"407"};
const InstalledVoice broken{u"Broken", u"zz;;"};

TEST(VoiceChoice, PicksTheBestVoiceOfTheWordsLanguage) {
  struct Case {
    std::vector<InstalledVoice> voices;
    SpeechLanguage language;
    int expected;
  };
  const Case cases[] = {
      {{german, britishEnglish, usEnglish}, SpeechLanguage::english, 2},
      {{german, britishEnglish}, SpeechLanguage::english, 1},
      {{german, mandarin}, SpeechLanguage::english, 1},  // a Chinese voice reads English words
      {{german}, SpeechLanguage::english, -1},
      {{}, SpeechLanguage::english, -1},
      {{usEnglish, cantonese, taiwanese, mandarin}, SpeechLanguage::chinese, 3},
      {{usEnglish, cantonese, taiwanese}, SpeechLanguage::chinese, 2},
      {{usEnglish, cantonese}, SpeechLanguage::chinese, 1},
      {{usEnglish, german}, SpeechLanguage::chinese, -1},  // an English voice cannot read Chinese
      {{broken, usEnglish}, SpeechLanguage::english, 1},
      {{broken, german}, SpeechLanguage::english, 0},  // names no language: English as a last resort
      {{broken}, SpeechLanguage::chinese, -1},
      {{usEnglish, {u"Second", u"409"}}, SpeechLanguage::english, 0},  // the first of equals
  };
  for (const auto& c : cases) EXPECT_EQ(chooseVoice(c.voices, c.language), c.expected);
}

TEST(VoiceChoice, ReadsLanguageListsInAnyCaseAndOrder) {
  EXPECT_EQ(chooseVoice({{u"Multi", u"9; 409 ;804"}}, SpeechLanguage::chinese), 0);
  EXPECT_EQ(chooseVoice({{u"Lower", u"c04"}}, SpeechLanguage::chinese), 0);
  EXPECT_EQ(chooseVoice({{u"Overlong", u"8040000000000"}}, SpeechLanguage::chinese), -1);
}

TEST(VoiceChoice, TabsSpeakTheirOwnLanguageAndMessagesNameWhatToInstall) {
  EXPECT_EQ(languageOf(Direction::EnglishChinese), SpeechLanguage::english);
  EXPECT_EQ(languageOf(Direction::ChineseEnglish), SpeechLanguage::chinese);
  EXPECT_NE(missingVoiceMessage(SpeechLanguage::chinese).find(u"Chinese (Simplified, China) voice"),
            std::u16string::npos);
  EXPECT_NE(missingVoiceMessage(SpeechLanguage::english).find(u"English (United States) voice"), std::u16string::npos);
}

// The failure says which language lacks a voice and where to add one; the code comes last.
TEST(VoiceChoice, AFailingVoiceIsExplainedWithTheCodeOnlyAsADetail) {
  EXPECT_EQ(
      speechFailureMessage(SpeechLanguage::english, u"Wine Voice", 0x80004001u),
      u"The word could not be pronounced: Windows has no working English speech voice. Add an English "
      u"(United States) voice in Windows Settings, Time & Language, Speech, Manage voices, Add voices, then press "
      u"Pronounce again.\n\nDetail: the voice \"Wine Voice\" reported error 0x80004001.");
  const std::u16string chinese = speechFailureMessage(SpeechLanguage::chinese, u"", 0x8004503Au);
  EXPECT_NE(chinese.find(u"no working Chinese speech voice. Add a Chinese (Simplified, China) voice"),
            std::u16string::npos);
  EXPECT_EQ(chinese.substr(chinese.find(u"Detail:")), u"Detail: the voice reported error 0x8004503A.");
}

}  // namespace

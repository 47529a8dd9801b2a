#include "dictionary/voice_choice.h"

#include <cstdint>

namespace {

constexpr std::uint32_t primaryLanguageMask = 0x3ff;
constexpr std::uint32_t englishPrimary = 0x09;
constexpr std::uint32_t chinesePrimary = 0x04;

// Parses "409;9" into identifiers; malformed parts are skipped.
std::vector<std::uint32_t> languageIds(std::u16string_view attribute) {
  std::vector<std::uint32_t> ids;
  std::uint32_t value = 0;
  bool digits = false, valid = true;
  auto finish = [&] {
    if (digits && valid) ids.push_back(value);
    value = 0;
    digits = false;
    valid = true;
  };
  for (const char16_t c : attribute) {
    if (c == u';') {
      finish();
      continue;
    }
    int digit = -1;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    if (c == u' ') continue;
    if (digit < 0 || value > 0xfffff) {
      valid = false;
      continue;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
    digits = true;
  }
  finish();
  return ids;
}

// How well a voice suits the language: lower is better, -1 means not at all.
int rank(const InstalledVoice& voice, SpeechLanguage language) {
  const std::vector<std::uint32_t> ids = languageIds(voice.languages);
  // A voice that names no language is most likely the system's default English one: good
  // enough for an English word when nothing better is installed, never for Chinese.
  if (ids.empty()) return language == SpeechLanguage::english ? 3 : -1;
  int best = -1;
  for (const std::uint32_t id : ids) {
    int score = -1;
    if (language == SpeechLanguage::english) {
      if (id == 0x409) score = 0;
      else if ((id & primaryLanguageMask) == englishPrimary) score = 1;
      else if ((id & primaryLanguageMask) == chinesePrimary) score = 2;
    } else {
      switch (id) {
        case 0x804:
          score = 0;
          break;  // mainland China
        case 0x1004:
          score = 1;
          break;  // Singapore
        case 0x404:
          score = 2;
          break;  // Taiwan
        case 0xc04:
          score = 3;
          break;  // Hong Kong
        default:
          if ((id & primaryLanguageMask) == chinesePrimary) score = 4;
      }
    }
    if (score >= 0 && (best < 0 || score < best)) best = score;
  }
  return best;
}

}  // namespace

SpeechLanguage languageOf(Direction direction) {
  return direction == Direction::ChineseEnglish ? SpeechLanguage::chinese : SpeechLanguage::english;
}

int chooseVoice(const std::vector<InstalledVoice>& voices, SpeechLanguage language) {
  int chosen = -1, chosenRank = -1;
  for (std::size_t i = 0; i < voices.size(); ++i) {
    const int r = rank(voices[i], language);
    if (r >= 0 && (chosenRank < 0 || r < chosenRank)) {
      chosen = static_cast<int>(i);
      chosenRank = r;
    }
  }
  return chosen;
}

std::u16string speechFailureMessage(SpeechLanguage language, std::u16string_view voiceName, std::uint32_t errorCode) {
  const bool chinese = language == SpeechLanguage::chinese;
  std::u16string message = chinese ? u"The word could not be pronounced: Windows has no working Chinese speech voice. "
                                     u"Add a Chinese (Simplified, China) voice"
                                   : u"The word could not be pronounced: Windows has no working English speech voice. "
                                     u"Add an English (United States) voice";
  message +=
      u" in Windows Settings, Time & Language, Speech, Manage voices, Add voices, then press Pronounce again."
      u"\n\nDetail: the voice";
  if (!voiceName.empty()) {
    message += u" \"";
    message.append(voiceName);
    message += u"\"";
  }
  message += u" reported error 0x";
  constexpr char16_t digits[] = u"0123456789ABCDEF";
  for (int shift = 28; shift >= 0; shift -= 4) message += digits[(errorCode >> shift) & 0xF];
  message += u".";
  return message;
}

std::u16string missingVoiceMessage(SpeechLanguage language) {
  if (language == SpeechLanguage::chinese) {
    return u"No Chinese speech voice is installed, so Chinese words cannot be pronounced. "
           u"Add a Chinese (Simplified, China) voice in Windows Settings, Time & Language, Speech, "
           u"then press Pronounce again.";
  }
  return u"No English speech voice is installed, so English words cannot be pronounced. "
         u"Add an English (United States) voice in Windows Settings, Time & Language, Speech, "
         u"then press Pronounce again.";
}

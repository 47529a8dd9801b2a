// Choosing the installed speech voice that pronounces a tab's word.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/direction.h"

enum class SpeechLanguage { english, chinese };

struct InstalledVoice {
  std::u16string name;
  // The voice's "Language" attribute: hexadecimal language identifiers separated by ";",
  // such as "409;9" for an American English voice or "804" for a Mandarin one.
  std::u16string languages;
};

// The language of the words typed in a direction: English for English→Chinese, Chinese
// for Chinese→English.
SpeechLanguage languageOf(Direction direction);

// The index of the voice to speak a word of the given language, or -1 when none can.
// English: a US English voice, then any English voice, then a Chinese voice (which read
// English words too), then a voice that names no language. Chinese: a mainland Mandarin voice, then Singapore, Taiwan,
// Hong Kong and any other Chinese voice. Among equals, the first installed wins.
int chooseVoice(const std::vector<InstalledVoice>& voices, SpeechLanguage language);

// What the user is told once when no voice can speak the language.
std::u16string missingVoiceMessage(SpeechLanguage language);

// What the user is told once when the chosen voice fails to speak: which language has no
// working voice and how to add one in Windows, with the voice's name (when it has one) and
// the error code only as a detail at the end ("Detail: the voice "X" reported error
// 0x80004001.").
std::u16string speechFailureMessage(SpeechLanguage language, std::u16string_view voiceName, std::uint32_t errorCode);

#include "dictionary/pronounce_win.h"

#include <windows.h>
#include <sapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/handles_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/voice_choice.h"

namespace {

struct SpeechState {
  bool comReady = false;
  bool comOurs = false;    // this thread's COM was started here and is ended at shutdown
  ComRef<ISpVoice> voice;  // kept while the program runs, so speaking never waits to start
  bool toldMissing[2] = {false, false};
  bool toldFailure[2] = {false, false};
};
// Never destroyed: the voice is released by releaseSpeech while COM is still up, never by a
// destructor running after the process has ended its COM.
SpeechState& speech = *new SpeechState;

// Frees a string that a speech object allocated for us.
void freeCoString(wchar_t* text) {
  if (text) CoTaskMemFree(text);
}

struct VoiceToken {
  InstalledVoice description;
  ComRef<ISpObjectToken> token;
};

// Every installed voice with its name and languages, in the system's order.
std::vector<VoiceToken> installedVoices() {
  std::vector<VoiceToken> voices;
  ComRef<ISpObjectTokenCategory> category;
  if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                              category.outAsVoid())) ||
      FAILED(category->SetId(SPCAT_VOICES, FALSE))) {
    return voices;
  }
  ComRef<IEnumSpObjectTokens> tokens;
  if (FAILED(category->EnumTokens(nullptr, nullptr, tokens.out()))) return voices;
  ULONG count = 0;
  tokens->GetCount(&count);
  for (ULONG i = 0; i < count && i < 256; ++i) {
    VoiceToken entry;
    if (FAILED(tokens->Item(i, entry.token.out()))) continue;
    wchar_t* name = nullptr;
    if (SUCCEEDED(entry.token->GetStringValue(nullptr, &name)) && name) entry.description.name = toCoreText(name);
    freeCoString(name);
    ComRef<ISpDataKey> attributes;
    wchar_t* languages = nullptr;
    if (SUCCEEDED(entry.token->OpenKey(L"Attributes", attributes.out())) &&
        SUCCEEDED(attributes->GetStringValue(L"Language", &languages)) && languages) {
      entry.description.languages = toCoreText(languages);
    }
    freeCoString(languages);
    voices.push_back(std::move(entry));
  }
  return voices;
}

bool ensureVoice() {
  if (!speech.comReady) {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    speech.comOurs = SUCCEEDED(result);
    speech.comReady = speech.comOurs || result == RPC_E_CHANGED_MODE;
  }
  if (!speech.comReady) return false;
  if (!speech.voice) CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, speech.voice.outAsVoid());
  return static_cast<bool>(speech.voice);
}

}  // namespace

void pronounceWord(HWND owner, const DirectionState& state) {
  const std::wstring word = readWindowText(state.controls.wordBox);
  if (word.empty()) return;
  const SpeechLanguage language = languageOf(state.direction);
  const int tab = directionIndex(state.direction);

  std::vector<VoiceToken> voices;
  if (ensureVoice()) voices = installedVoices();
  std::vector<InstalledVoice> descriptions;
  for (const auto& voice : voices) descriptions.push_back(voice.description);
  const int chosen = chooseVoice(descriptions, language);
  if (chosen < 0) {
    // The voices are let go before the box: its loop may see the program end.
    voices.clear();
    if (!speech.toldMissing[tab]) {
      speech.toldMissing[tab] = true;
      showInfoMessage(owner, toWideText(missingVoiceMessage(language)));
    }
    return;
  }

  speech.voice->SetVoice(voices[chosen].token.get());
  // Asynchronous: the window keeps working while the word is spoken; a new word cuts off
  // the one still being spoken.
  const HRESULT result = speech.voice->Speak(word.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr);
  if (FAILED(result) && !speech.toldFailure[tab]) {
    speech.toldFailure[tab] = true;
    const std::wstring message =
        toWideText(speechFailureMessage(language, voices[chosen].description.name, static_cast<std::uint32_t>(result)));
    voices.clear();
    showInfoMessage(owner, message);
  }
}

void releaseSpeech() {
  if (speech.voice) speech.voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
  speech.voice.reset();
  if (speech.comOurs) CoUninitialize();
  speech.comReady = speech.comOurs = false;
}

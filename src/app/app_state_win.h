// The one process-wide record of the running program, and the start-up and shutdown
// sequences that wire the subsystems together. Used on the user-interface thread only.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "dictionary/word_search.h"
#include "settings/configuration.h"

struct AppState {
  HINSTANCE instance;
  wchar_t windowTitle[100];
  wchar_t windowClassName[100];
  HWND mainWindow;
  HWND tabControl;
  HWND toolbar;
  HWND wordBoxes[2];          // index = tab: 0 "English Chinese", 1 "Chinese English"
  HWND pronounceButtons[2];
  HWND wordLists[2];
  HWND articleViews[2];
  UINT dpi;                   // the main window's DPI: every layout size is scaled by it
  HFONT wordFont;             // the "MS Song" fonts made for that DPI
  HFONT articleFont;
  HFONT scaledGuiFont;        // the GUI font at that DPI where the stock one is made for another
  HIMAGELIST toolbarImages;   // the toolbar images drawn for that DPI
  HICON windowIcons[2];       // big and small window icons loaded after a DPI change, or null
  std::int32_t currentTab;    // the tab whose controls the last paint made visible
  HMODULE richEditLibrary;
  HWND nextClipboardViewer;
  bool capturePending;
  wchar_t* capturedText;      // the program's own copy of the last captured text, or null
  bool alwaysOnTop;
  unsigned char* fileText[2];     // the loaded article files, owned (GlobalAlloc blocks)
  std::uint32_t fileSize[2];      // their sizes as the platform reported them
  const unsigned char* tabText[2];  // the text each tab searches; points into fileText
  std::uint32_t tabSize[2];
  ArticleText searchTexts[2];      // each tab's text as the word search reads it
  std::u16string ownText[2];       // the user's own articles per tab, as their files hold them
  ArticleText ownSearchTexts[2];   // ownText as the word search reads it
  bool ownFileDamaged[2];          // unreadable at start: copied aside before it is replaced
  Settings settings;          // read from Configuration.dat; keys and values as stored
  NOTIFYICONDATAW trayIconData;
  HANDLE requestThread;       // the most recent notification request worker
  HANDLE requestsSent[2];     // per started request: signalled once it is on the wire or has failed
};

extern AppState app;

// Loads the caption (string 103) and the class name (string 109) into AppState.
void loadWindowTexts(HINSTANCE instance);
void registerMainWindowClass(HINSTANCE instance);
bool startApplication(HINSTANCE instance, int showCommand);
// One message of the loop: offered to the accelerators for the window it is addressed to,
// and translated and dispatched only when no accelerator took it.
void handleLoopMessage(MSG& message, HACCEL accelerators);
// Loads the caption and class name, registers the class, starts the program and runs the
// message loop; returns the quit message's code, or 0 when start-up fails.
int runDictionary(HINSTANCE instance, int showCommand);
// The shutdown sequence of the main window's destruction.
void shutDownApplication();

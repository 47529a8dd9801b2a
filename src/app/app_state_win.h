// The one process-wide record of the running program, and the start-up and shutdown
// sequences that wire the subsystems together. Used on the user-interface thread only. The
// record is owned here; the subsystems below get the parts they need as parameters.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "common/direction.h"
#include "desktop/capture_win.h"
#include "dictionary/article_files_win.h"
#include "dictionary/direction_state_win.h"
#include "settings/configuration.h"
#include "web/web_links_win.h"

struct AppState {
  HINSTANCE instance;
  wchar_t windowTitle[100];
  wchar_t windowClassName[100];
  HWND mainWindow;
  HWND tabControl;
  HWND toolbar;
  // One per tab, in tab order: "English Chinese", then "Chinese English".
  DirectionStates tabs = newDirectionStates();
  UINT dpi;        // the main window's DPI: every layout size is scaled by it
  HFONT wordFont;  // the "MS Song" fonts made for that DPI
  HFONT articleFont;
  HFONT scaledGuiFont;       // the GUI font at that DPI where the stock one is made for another
  HIMAGELIST toolbarImages;  // the toolbar images drawn for that DPI
  HICON windowIcons[2];      // big and small window icons loaded after a DPI change, or null
  Direction currentTab;      // the direction whose controls were last made visible
  HMODULE richEditLibrary;
  CaptureState capture;
  bool alwaysOnTop;
  LoadedDictionary dictionary;
  Settings settings;  // read from Configuration.dat; keys and values as stored
  NOTIFYICONDATAW trayIconData;
  NotificationRequests notifications;
};

extern AppState app;

// The state of a direction's tab.
DirectionState& tabOf(Direction direction);

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

// ---- what a lookup does in the window ----

// Looks up the selected tab's word box text in its direction and shows the result.
void lookUpWord();
// After a double click in the selected tab's word list: the chosen headword's article.
void showChosenHeadword();
// Puts the captured text into the selected tab's word box and looks it up.
void lookUpCapturedText();
// Puts the initial English word into the first tab's word box and looks up the selected tab.
void showInitialWord();
// Moves the main window into the top-most band or out of it, and remembers which.
void setAlwaysOnTop(bool on);

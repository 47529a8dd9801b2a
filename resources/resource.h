// Resource and command identifiers, one name each.
#pragma once

// Strings
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

// Icons, menus, accelerators, bitmaps, dialogs
#define IDI_DICTIONARY 107
#define IDI_SMALL 108
#define IDI_TRAY 2210
#define IDR_MAIN_MENU 109
#define IDR_ACCELERATORS 109
#define IDR_TRAY_MENU 10201
#define IDB_TOOLBAR 37682  // the 16-pixel strip; the others are drawn for larger scales
#define IDB_TOOLBAR_20 37683
#define IDB_TOOLBAR_24 37684
#define IDB_TOOLBAR_28 37685
#define IDB_TOOLBAR_32 37686
#define IDB_TOOLBAR_40 37687
#define IDB_TOOLBAR_48 37688
#define IDD_ABOUT 1033
#define IDD_OPTIONS 37818
#define IDD_OWN_ARTICLE 37900

// Commands
#define IDM_LOOKUP_AND_ABOUT 104
#define IDM_EXIT 105
#define IDM_FILE_NEW 155
#define IDM_FILE_OPEN 156
#define IDM_FILE_PRINT 157
#define IDM_FILE_PRINT_PREVIEW 158
#define IDM_EDIT_CUT 159
#define IDM_EDIT_COPY 160
#define IDM_EDIT_PASTE 161
#define IDM_VIEW_ENGLISH_CHINESE 162
#define IDM_VIEW_CHINESE_ENGLISH 163
#define IDM_VIEW_ALWAYS_ON_TOP 164
#define IDM_TOOLS_OPTIONS 165
#define IDM_HELP_SEARCH 166
#define IDM_HELP_CONTENTS 167
#define IDM_HELP_CHECK_UPDATES 169
#define IDM_HELP_TECHNICAL_SUPPORT 170
#define IDM_HELP_ABOUT 171
#define IDM_TRAY_SHOW 224
#define IDM_TRAY_EXIT 225

// View, "Tone Colours": "Off", then one item per scheme from IDM_TONE_COLOURS_FIRST on
#define IDM_TONE_COLOURS_OFF 2400
#define IDM_TONE_COLOURS_FIRST 2401
#define IDM_TONE_COLOURS_LAST 2419

// Toolbar buttons
#define IDT_NEW_ARTICLE 10501
#define IDT_NEW_LANGUAGE 10502
#define IDT_SAVE 10503
#define IDT_PRINT 10504
#define IDT_CUT 10505
#define IDT_COPY 10506
#define IDT_PASTE 10507
#define IDT_HELP 10508

// Controls of the main window
#define IDC_TAB_CONTROL 23
#define IDC_WORD_BOX 1221      // + tab index
#define IDC_PRONOUNCE 1040     // + tab index
#define IDC_WORD_LIST 1030     // + tab index
#define IDC_ARTICLE_VIEW 1050  // + tab index
#define IDC_TOOLBAR 1020555

// Tooltips of the toolbar buttons, in button order
#define IDS_TIP_NEW_ARTICLE 2510
#define IDS_TIP_NEW_LANGUAGE 2511
#define IDS_TIP_SAVE 2512
#define IDS_TIP_PRINT 2513
#define IDS_TIP_CUT 2514
#define IDS_TIP_COPY 2515
#define IDS_TIP_PASTE 2516
#define IDS_TIP_HELP 2517

// Timers of the main window
#define ID_TIMER_NEAR_WORDS 2501  // the pause after a keystroke that found nothing, per tab: 2501 and 2502

// Controls of the About box
#define IDC_ABOUT_VERSION 1437
#define IDC_ABOUT_DICTIONARIES 35485
#define IDC_ABOUT_DETAILS 35486
#define IDC_ABOUT_SYSTEM_INFO 554

// Controls of the options dialog
#define IDC_DEFAULT_LANGUAGE 420
#define IDC_LOAD_ON_START 421
#define IDC_ALWAYS_ON_TOP 422
#define IDC_OPTIONS_SAVE 423

// Controls of the own word article dialog (Save is IDOK, Cancel IDCANCEL)
#define IDC_OWN_DIRECTION 1601
#define IDC_OWN_HEADWORD 1602
#define IDC_OWN_ARTICLE 1603
#define IDC_OWN_DELETE 1604

// The history, Back and Forward, and My Words
#define IDR_YOUR_WORDS_KEYS 2200      // Alt+Left, Alt+Right, Ctrl+D from every control of the window
#define TIMER_HISTORY_SETTLE 2201     // a looked-up word counts as looked at once it stays shown
#define TIMER_HISTORY_SAVE 2202       // History.dat is written a moment after it changes
#define IDM_REMEMBER_SHOWN_WORD 2203  // Enter or a drop-down choice: the shown word is looked at
#define IDM_EDIT_KEEP_IN_MY_WORDS 2204
#define IDM_VIEW_BACK 2205
#define IDM_VIEW_FORWARD 2206
#define IDM_VIEW_MY_WORDS 2207
#define IDM_VIEW_CLEAR_HISTORY 2208
#define IDD_MY_WORDS 37950
#define IDC_MY_WORDS_LIST 2220
#define IDC_MY_WORDS_REMOVE 2221
#define IDC_MY_WORDS_EXPORT 2222

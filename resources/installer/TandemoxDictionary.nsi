; Per-user installer of the dictionary (makensis, Unicode).
;
; Installs without administrator rights into the user's own programs folder, so that the
; program can keep Configuration.dat beside itself, adds a shortcut to the user's Start menu
; and registers an uninstaller under HKCU. The uninstaller removes exactly the files it
; installed, by name, and keeps what the user made: Configuration.dat and the own articles
; files Own_English_Chinese.dat and Own_Chinese_English.dat, History.dat and MyWords.dat (and therefore the folder that
; holds them) stay; an empty folder goes.
;
; cmake/Packages.cmake passes:
;   /DARCH=x86|amd64     x86 builds the shipped 32-bit installer, amd64 one for x86-64
;   /DVERSION=1.2.15     the program's version (major.minor.patch)
;   /DSTAGE_DIR=...      the laid-out program: exe, Articles\, Help\ and the licence texts
;   /DICON_FILE=...      the program's icon
;   /DOUT_FILE=...       the installer to write
; Uses only what makensis ships for both architectures (no extra plug-ins).

!macro Require SYMBOL
  !ifndef ${SYMBOL}
    !error "makensis needs /D${SYMBOL}=... (cmake/Packages.cmake passes it)"
  !endif
!macroend
!insertmacro Require ARCH
!insertmacro Require VERSION
!insertmacro Require STAGE_DIR
!insertmacro Require ICON_FILE
!insertmacro Require OUT_FILE

!if "${ARCH}" == "amd64"
  Target amd64-unicode
!else if "${ARCH}" == "x86"
  Target x86-unicode
!else
  !error "ARCH must be x86 or amd64"
!endif

!define PRODUCT_NAME "Tandemox Dictionary"
!define PUBLISHER "Tandemox"
!define PROGRAM_EXE "TandemoxDictionary.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TandemoxDictionary"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The name under which "Load on System start" registers the program.
!define RUN_VALUE "EnglishChineseDictionary"
; The class of the program's main window, by which a running copy is found.
!define WINDOW_CLASS "KESTRELVALE_10"

Name "${PRODUCT_NAME}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
ShowInstDetails show
BrandingText "${PRODUCT_NAME} ${VERSION}"
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT_NAME} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 Tandemox"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM_EXE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The one list of installed files: the install section copies them, the uninstall section
; deletes exactly these names.
!macro ForEachInstalledFile ACTION
  !insertmacro ${ACTION} "" "${PROGRAM_EXE}"
  !insertmacro ${ACTION} "\Articles" "Articles_English_Chinese.dat"
  !insertmacro ${ACTION} "\Articles" "Articles_Chinese_English.dat"
  !insertmacro ${ACTION} "\Help" "Help.EN.html"
  !insertmacro ${ACTION} "" "LICENSE.txt"
  !insertmacro ${ACTION} "" "CC-CEDICT-NOTICE.txt"
  !insertmacro ${ACTION} "" "jieba-dict-NOTICE.txt"
  !insertmacro ${ACTION} "" "word-data-NOTICE.txt"
!macroend
; A file something else holds open (the program's process a moment after its window has
; gone, a scanner, another copy) cannot be replaced or deleted. Setup and uninstall stop at
; the first such file with exit code 2, before the uninstaller, the shortcut and the entry
; in the installed programs are changed: the program's own file comes first in the list.
!macro InstallFile SUBDIR NAME
  SetOutPath "$INSTDIR${SUBDIR}"
  ClearErrors
  File "${STAGE_DIR}${SUBDIR}\${NAME}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "$INSTDIR${SUBDIR}\${NAME} could not be replaced. Close what uses it and run the setup again." /SD IDOK
    DetailPrint "$INSTDIR${SUBDIR}\${NAME} could not be replaced; the setup stopped."
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend
!macro RemoveFile SUBDIR NAME
  ClearErrors
  Delete "$INSTDIR${SUBDIR}\${NAME}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "$INSTDIR${SUBDIR}\${NAME} could not be removed. Close what uses it and uninstall again." /SD IDOK
    DetailPrint "$INSTDIR${SUBDIR}\${NAME} could not be removed; the uninstall stopped."
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

; Files of a running program cannot be replaced or deleted: ask the user to close it, and
; give up (exit code 2) when they cancel or when nobody can be asked (silent mode).
!macro RefuseWhileRunning PREFIX
  Function ${PREFIX}RefuseWhileRunning
    ${Do}
      FindWindow $0 "${WINDOW_CLASS}"
      ${If} $0 == 0
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT_NAME} is running. Please close it (File, Exit) and press Retry." \
        /SD IDCANCEL IDRETRY retry
      DetailPrint "${PRODUCT_NAME} is running; nothing was changed."
      SetErrorLevel 2
      Quit
      retry:
    ${Loop}
  FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

; "Load on System start" stores the program's path under this name in HKLM, or in HKCU for a
; user who may not write HKLM, and leaves it empty when switched off. The value goes with
; the program when it names this copy or nothing; a value naming another copy (a portable
; one, say) belongs to that copy and stays. HKLM may not be writable for this user: a
; failed deletion there is left as it is.
!macro RemoveRunValue ROOT
  ClearErrors
  ReadRegStr $1 ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${IfNot} ${Errors}
    ${If} $1 == ""
    ${OrIf} $1 == "$INSTDIR\${PROGRAM_EXE}"
    ${OrIf} $1 == "$\"$INSTDIR\${PROGRAM_EXE}$\""
      DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
  ${EndIf}
  ClearErrors
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Section "Install"
  Call RefuseWhileRunning
  SetOverwrite on
  !insertmacro ForEachInstalledFile InstallFile
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT_NAME}.lnk" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  Call un.RefuseWhileRunning
  !insertmacro ForEachInstalledFile RemoveFile
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR\Articles"
  RMDir "$INSTDIR\Help"
  ; Not /r: a folder still holding the user's Configuration.dat, own articles, or anything
  ; else the user put there, stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
  !insertmacro RemoveRunValue HKCU
  !insertmacro RemoveRunValue HKLM
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

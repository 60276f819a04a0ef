; The per-user setup, for a teacher without administrator rights: installs the program's folder
; (the program, Qt's DLLs and plug-ins) into the user's own programs folder, with a Start-menu
; shortcut and an uninstaller, all for this user only. Silent with /S. scripts/build-windows.sh
; builds it; by hand:
;   makensis -DVERSION=0.1.0 -DSOURCE_DIR=<folder> -DOUTPUT=realdataquiz-0.1.0-setup.exe
;            packaging/windows/realdataquiz.nsi

!ifndef VERSION
    !error "Give the version: /DVERSION=0.1.0"
!endif
!ifndef SOURCE_DIR
    !error "Give the program's folder: /DSOURCE_DIR=<folder>"
!endif
!if ! /FileExists "${SOURCE_DIR}/realdataquiz.exe"
    !error "${SOURCE_DIR} holds no realdataquiz.exe: run scripts/build-windows.sh first"
!endif
!ifndef OUTPUT
    !define OUTPUT "realdataquiz-${VERSION}-setup.exe"
!endif

; The program is 64-bit only, so the installer is too: it then sees the 64-bit registry.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma

!define PROGRAM "realdataquiz.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RealDataQuiz"

Name "Real Data Quiz ${VERSION}"
OutFile "${OUTPUT}"
; Where Windows puts per-user programs (%LOCALAPPDATA%\Programs), which needs no rights.
InstallDir "$LOCALAPPDATA\Programs\RealDataQuiz"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(FolderRule)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; In Bulgarian on a Bulgarian Windows, as the quiz itself; in English, the first, elsewhere.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Bulgarian"

; No "?" as the desktop file has: Windows takes none in a file name.
LangString ShortcutName ${LANG_ENGLISH} "Real or Generated"
LangString ShortcutName ${LANG_BULGARIAN} "Реални или генерирани данни"
LangString FolderRule ${LANG_ENGLISH} \
    "Choose a new or empty folder, or that of an earlier installation: uninstalling removes it."
LangString FolderRule ${LANG_BULGARIAN} \
    "Изберете нова или празна папка или тази на предишна инсталация: деинсталирането я изтрива."

Var shortcut

; The uninstaller removes the whole folder, so it may hold nothing else: $R0 is 1 for a new or
; empty folder or an earlier installation of the quiz, 0 for any other.
Function CheckFolder
    StrCpy $R0 1
    IfFileExists "$INSTDIR\${PROGRAM}" done
    FindFirst $0 $1 "$INSTDIR\*.*"
    loop:
        StrCmp $1 "" close
        StrCmp $1 "." next
        StrCmp $1 ".." next
        StrCpy $R0 0
        Goto close
    next:
        FindNext $0 $1
        Goto loop
    close:
    FindClose $0
    done:
FunctionEnd

Function .onVerifyInstDir
    Call CheckFolder
    StrCmp $R0 1 +2
    Abort
FunctionEnd

Function .onInit
    SetShellVarContext current
    SetRegView 64
FunctionEnd

Section "Install"
    ; A silent install (/S /D=folder) skips the directory page, so check the folder here too.
    Call CheckFolder
    StrCmp $R0 1 +3
    MessageBox MB_ICONSTOP "$(FolderRule)" /SD IDOK
    Abort
    SetOutPath "$INSTDIR"
    File /r "${SOURCE_DIR}/*.*"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    StrCpy $shortcut "$(ShortcutName)"
    CreateShortcut "$SMPROGRAMS\$shortcut.lnk" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Shortcut" "$SMPROGRAMS\$shortcut.lnk"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "$(ShortcutName)"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Real Data Quiz authors"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://realdataquiz.example.org"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetShellVarContext current
    SetRegView 64
FunctionEnd

Section "Uninstall"
    ; The shortcut's name depends on the language it was installed in; the registry kept it.
    ReadRegStr $shortcut HKCU "${UNINSTALL_KEY}" "Shortcut"
    StrCmp $shortcut "" +2
    Delete "$shortcut"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Only a folder that holds the quiz is removed whole.
    IfFileExists "$INSTDIR\${PROGRAM}" 0 +2
    RMDir /r "$INSTDIR"
SectionEnd

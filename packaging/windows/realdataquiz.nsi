; The Windows installer: installs the folder windeployqt filled (the program, Qt's DLLs and
; plug-ins) for all users, with a Start-menu shortcut and an uninstaller.
;   makensis /DVERSION=0.1.0 /DSOURCE_DIR=deploy\bin /DOUTPUT=realdataquiz-0.1.0-setup.exe
;            packaging\windows\realdataquiz.nsi

!ifndef VERSION
    !error "Give the version: /DVERSION=0.1.0"
!endif
!ifndef SOURCE_DIR
    !error "Give the deployed folder: /DSOURCE_DIR=deploy\bin"
!endif
!if ! /FileExists "${SOURCE_DIR}\realdataquiz.exe"
    !error "${SOURCE_DIR} holds no realdataquiz.exe: build, install and run windeployqt first"
!endif
!ifndef OUTPUT
    !define OUTPUT "realdataquiz-${VERSION}-setup.exe"
!endif

; The program is 64-bit only, so the installer is too: it then sees the 64-bit registry and
; Program Files without redirection.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma

!define PROGRAM "realdataquiz.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RealDataQuiz"

Name "Real Data Quiz ${VERSION}"
OutFile "${OUTPUT}"
InstallDir "$PROGRAMFILES64\RealDataQuiz"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
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
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Section "Install"
    ; A silent install (/S /D=folder) skips the directory page, so check the folder here too.
    Call CheckFolder
    StrCmp $R0 1 +3
    MessageBox MB_ICONSTOP "$(FolderRule)" /SD IDOK
    Abort
    SetOutPath "$INSTDIR"
    File /r "${SOURCE_DIR}\*.*"
    ; windeployqt --compiler-runtime puts Microsoft's runtime installer beside an MSVC build.
    !if /FileExists "${SOURCE_DIR}\vc_redist.x64.exe"
        ExecWait '"$INSTDIR\vc_redist.x64.exe" /install /quiet /norestart'
    !endif
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    StrCpy $shortcut "$(ShortcutName)"
    CreateShortcut "$SMPROGRAMS\$shortcut.lnk" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Shortcut" "$SMPROGRAMS\$shortcut.lnk"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ShortcutName)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Real Data Quiz authors"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://realdataquiz.example.org"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Section "Uninstall"
    ; The shortcut's name depends on the language it was installed in; the registry kept it.
    ReadRegStr $shortcut HKLM "${UNINSTALL_KEY}" "Shortcut"
    StrCmp $shortcut "" +2
    Delete "$shortcut"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Only a folder that holds the quiz is removed whole.
    IfFileExists "$INSTDIR\${PROGRAM}" 0 +2
    RMDir /r "$INSTDIR"
SectionEnd

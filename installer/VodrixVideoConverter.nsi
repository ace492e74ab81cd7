; The Windows installer of the converter: the program and everything it runs
; beside itself into one folder under Program Files, a Start-menu folder and an
; uninstall entry. The build passes what it knows (installer/CMakeLists.txt):
;   APP_TITLE, APP_PUBLISHER, VERSION  the product, from app/AppVersion.h
;   FILE_LIST  an include that names the files to install (VODRIX_FILES:
;              folder, name, file in the build) and their sub-folders
;              (VODRIX_FOLDERS)
;   MEDIA_TYPES an include that names the extensions the program opens
;              (VODRIX_MEDIA_TYPES), taken from its open-file dialog's filter
;   ICON       the program's icon, which the installer wears too
;   COMPRESSOR zlib or lzma
;   OUT_FILE   the installer to write
;
; /S installs or uninstalls silently, /D=folder (last, unquoted) picks the
; folder. While the program runs, neither changes anything: interactively they
; ask the user to close it; silently they end at once with exit code 2, so that
; an unattended run never waits on a conversion that may last hours, never
; breaks one off, and its caller can try again later.
; The user's settings (HKCU) and converted media are never touched.

Unicode true
SetCompressor /SOLID ${COMPRESSOR}
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${FILE_LIST}"
!include "${MEDIA_TYPES}"

!define PROGRAM_EXE "VodrixVideoConverter.exe"
!define HELP_FILE "vodrixvidoeconverter.chm"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_TITLE}"
!define START_MENU_FOLDER "$SMPROGRAMS\${APP_TITLE}"
; Explorer's "Open with" knows the program by this key and offers it for the
; media types that name it in their OpenWithList.
!define APPLICATION_KEY "Software\Classes\Applications\${PROGRAM_EXE}"
!define SEND_TO_SHORTCUT "$SENDTO\${APP_TITLE}.lnk"
; The main window of the running program is a dialog with exactly this title.
!define PROGRAM_WINDOW_CLASS "#32770"
!define EXIT_PROGRAM_RUNNING 2
!define EXIT_INSTALLED_VERSION_STAYS 3

Name "${APP_TITLE}"
Caption "${APP_TITLE} ${VERSION} Setup"
UninstallCaption "${APP_TITLE} ${VERSION} Uninstall"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES\${APP_TITLE}"
; An upgrade goes where the installed version is, unless /D= says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP_PUBLISHER}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_TITLE}"
VIAddVersionKey /LANG=1033 "CompanyName" "${APP_PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_TITLE} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${APP_PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; FOLDER is empty or ends in a backslash.
!macro INSTALL_FILE FOLDER NAME SOURCE
    SetOutPath "$INSTDIR\${FOLDER}"
    File "/oname=${NAME}" "${SOURCE}"
!macroend

!macro REMOVE_FILE FOLDER NAME SOURCE
    Delete "$INSTDIR\${FOLDER}${NAME}"
!macroend

!macro REGISTER_MEDIA_TYPE EXTENSION
    WriteRegStr HKLM "${APPLICATION_KEY}\SupportedTypes" ".${EXTENSION}" ""
    WriteRegStr HKLM "Software\Classes\.${EXTENSION}\OpenWithList\${PROGRAM_EXE}" "" ""
!macroend

; Only the program's own entry goes; the type's key and list stay for
; whatever else registered there (they go too when nothing else is left).
!macro UNREGISTER_MEDIA_TYPE EXTENSION
    DeleteRegKey HKLM "Software\Classes\.${EXTENSION}\OpenWithList\${PROGRAM_EXE}"
    DeleteRegKey /ifempty HKLM "Software\Classes\.${EXTENSION}\OpenWithList"
    DeleteRegKey /ifempty HKLM "Software\Classes\.${EXTENSION}"
!macroend

; Removes $INSTDIR\FOLDER when it is empty.
!macro REMOVE_FOLDER FOLDER
    RMDir "$INSTDIR\${FOLDER}"
!macroend

; Stops before anything changes while the program runs (see the top).
!macro DEFINE_ENSURE_PROGRAM_CLOSED PREFIX
Function ${PREFIX}EnsureProgramClosed
    check:
    FindWindow $0 "${PROGRAM_WINDOW_CLASS}" "${APP_TITLE}"
    StrCmp $0 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${APP_TITLE} is running.$\r$\n$\r$\nClose it, then click Retry to go on, or Cancel to stop without changes." \
        /SD IDCANCEL IDRETRY check
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
    closed:
FunctionEnd
!macroend
!insertmacro DEFINE_ENSURE_PROGRAM_CLOSED ""
!insertmacro DEFINE_ENSURE_PROGRAM_CLOSED "un."

; An installed version (this one or an older one) is removed by its own
; uninstaller, which knows what it installed, wherever it was installed; the
; settings and the user's media stay, as with every uninstall.
Function RemoveInstalledVersion
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${OrIfNot} ${FileExists} "$0\${UNINSTALLER}"
        Return
    ${EndIf}
    DetailPrint "Removing the installed version from $0"
    ; _?= runs it in place and waits for it; it then leaves itself behind.
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0' $1
    ${If} $1 != 0
        MessageBox MB_OK|MB_ICONSTOP "The installed version in $0 could not be removed (exit code $1)." /SD IDOK
        SetErrorLevel ${EXIT_INSTALLED_VERSION_STAYS}
        Quit
    ${EndIf}
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
FunctionEnd

Function .onInit
    Call EnsureProgramClosed
FunctionEnd

Function un.onInit
    Call un.EnsureProgramClosed
FunctionEnd

Section "Program" SectionProgram
    SectionIn RO
    Call EnsureProgramClosed
    Call RemoveInstalledVersion
    !insertmacro VODRIX_FILES INSTALL_FILE
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; For every user, as the program's folder is.
    SetShellVarContext all
    CreateDirectory "${START_MENU_FOLDER}"
    CreateShortcut "${START_MENU_FOLDER}\${APP_TITLE}.lnk" "$INSTDIR\${PROGRAM_EXE}"
    CreateShortcut "${START_MENU_FOLDER}\${APP_TITLE} Help.lnk" "$INSTDIR\${HELP_FILE}"
    CreateShortcut "${START_MENU_FOLDER}\Uninstall ${APP_TITLE}.lnk" "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${APPLICATION_KEY}" "FriendlyAppName" "${APP_TITLE}"
    WriteRegStr HKLM "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\${PROGRAM_EXE}" "%1"'
    !insertmacro VODRIX_MEDIA_TYPES REGISTER_MEDIA_TYPE
    ; Windows keeps no Send To folder for all users: the shortcut goes to
    ; the user who installs (and is taken away for the user who uninstalls).
    SetShellVarContext current
    CreateShortcut "${SEND_TO_SHORTCUT}" "$INSTDIR\${PROGRAM_EXE}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_TITLE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${APP_PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    ; In KB: what the files of this section take, as makensis counted them.
    SectionGetSize ${SectionProgram} $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes by name what was installed, and the program's own files "trace" and
; "edit.avs" (the encoder's last output and its script); never a whole
; folder, so outputs the user converted into the program's folder stay, and
; with them the folder.
Section "Uninstall"
    Call un.EnsureProgramClosed
    !insertmacro VODRIX_FILES REMOVE_FILE
    Delete "$INSTDIR\trace"
    Delete "$INSTDIR\edit.avs"
    Delete "$INSTDIR\${UNINSTALLER}"
    !insertmacro VODRIX_FOLDERS REMOVE_FOLDER
    RMDir "$INSTDIR"

    SetShellVarContext all
    Delete "${START_MENU_FOLDER}\${APP_TITLE}.lnk"
    Delete "${START_MENU_FOLDER}\${APP_TITLE} Help.lnk"
    Delete "${START_MENU_FOLDER}\Uninstall ${APP_TITLE}.lnk"
    RMDir "${START_MENU_FOLDER}"
    SetShellVarContext current
    Delete "${SEND_TO_SHORTCUT}"

    !insertmacro VODRIX_MEDIA_TYPES UNREGISTER_MEDIA_TYPE
    DeleteRegKey HKLM "${APPLICATION_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

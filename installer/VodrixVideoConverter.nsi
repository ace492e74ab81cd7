; The Windows installer of the converter: the program and everything it runs
; beside itself into one folder under Program Files, a Start-menu folder and an
; uninstall entry. The build passes what it knows (installer/CMakeLists.txt):
;   APP_TITLE, APP_PUBLISHER, VERSION  the product, from services/AppVersion.h
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
; folder; a folder that holds files of others gets the program in a folder of
; its own inside it. While a program of the installed folder runs (the
; converter, the encoder, FFmpeg; in any session), neither changes anything:
; interactively they ask the user to close it; silently they end at once with
; exit code 2, so that an unattended run never waits on a conversion that may
; last hours, never breaks one off, and its caller can try again later.
; The uninstall entry starts the uninstaller in place, so that its exit code
; is the result: 0 removed, 2 a program of the folder runs, 4 a file that
; could not be removed (the install and its entry then stay, to be removed
; again).
; The user's settings (HKCU) and converted media are never touched.

Unicode true
SetCompressor /SOLID ${COMPRESSOR}
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
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
; Made by the installed program for its user at the first start (an
; elevated installer would make it for the account that elevates).
!define SEND_TO_SHORTCUT "$SENDTO\${APP_TITLE}.lnk"
; The installed program's files of its user: the encoder's output of the last
; run and the scripts it wrote; never media.
!define USER_FILES_FOLDER "$LOCALAPPDATA\${APP_TITLE}"
!define EXIT_PROGRAM_RUNNING 2
!define EXIT_INSTALLED_VERSION_STAYS 3
!define EXIT_INSTALL_STAYS 4
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define PROCESS_ID_BYTES 16384
; The option of the uninstaller's second run from its copy.
!define REMOVE_ENDED_UNINSTALLER "/REMOVE-ENDED-UNINSTALLER"
; Run in place with this option, the uninstaller leaves its own file to its
; caller (setup removing an installed version), and no run of a copy of it
; lingers to remove it (older uninstallers ignore the option).
!define CALLER_REMOVES_UNINSTALLER "/CALLER-REMOVES-UNINSTALLER"

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

; Sets $R0 to the path of a program that runs from the folder $R1, or to ""
; when none does; uses $R2 to $R9. Every process the system lists is asked
; for the path of its program file: a window title says nothing of a program
; hidden in the tray, on another desktop or in another session, nor of the
; encoder. This process and uninstallers are left out (the uninstaller runs
; from the folder it removes).
!macro DEFINE_FIND_PROGRAM_RUNNING_FROM PREFIX
Function ${PREFIX}FindProgramRunningFrom
    StrCpy $R0 ""
    System::Call 'kernel32::GetLongPathNameW(w R1, w .R2, i ${NSIS_MAX_STRLEN}) i .R3'
    ${If} $R3 = 0
        StrCpy $R2 $R1
    ${EndIf}
    ${If} $R2 == ""
        Return
    ${EndIf}
    StrCpy $R3 $R2 "" -1
    ${If} $R3 != "\"
        StrCpy $R2 "$R2\"
    ${EndIf}
    StrLen $R3 $R2
    System::Call 'kernel32::GetCurrentProcessId() i .R4'
    System::Alloc ${PROCESS_ID_BYTES}
    Pop $R5
    System::Call 'psapi::EnumProcesses(p R5, i ${PROCESS_ID_BYTES}, *i 0 R6) i .R7'
    ${If} $R7 = 0
        StrCpy $R6 0
    ${EndIf}
    IntOp $R6 $R6 / 4
    StrCpy $R7 0
    ${DoWhile} $R7 < $R6
        IntOp $R8 $R7 * 4
        IntOp $R8 $R5 + $R8
        System::Call '*$R8(i .R8)'
        IntOp $R7 $R7 + 1
        ${If} $R8 = $R4
            ${Continue}
        ${EndIf}
        System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i R8) p .R8'
        ${If} $R8 = 0
            ${Continue}
        ${EndIf}
        System::Call 'kernel32::QueryFullProcessImageNameW(p R8, i 0, w .R9, *i ${NSIS_MAX_STRLEN}) i .s'
        System::Call 'kernel32::CloseHandle(p R8)'
        Pop $R8
        ${If} $R8 <> 0
            StrCpy $R8 $R9 $R3
            ${If} $R8 == $R2
            ${AndIf} $R9 != "$R2${UNINSTALLER}"
                StrCpy $R0 $R9
                ${Break}
            ${EndIf}
        ${EndIf}
    ${Loop}
    System::Free $R5
FunctionEnd
!macroend
!insertmacro DEFINE_FIND_PROGRAM_RUNNING_FROM ""
!insertmacro DEFINE_FIND_PROGRAM_RUNNING_FROM "un."

; Stops before anything changes while a program of the folder $R1 runs (see
; the top).
!macro DEFINE_ENSURE_PROGRAM_CLOSED PREFIX
Function ${PREFIX}EnsureProgramClosed
    check:
    Call ${PREFIX}FindProgramRunningFrom
    StrCmp $R0 "" closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${APP_TITLE} is running:$\r$\n$R0$\r$\n$\r$\nClose it, then click Retry to go on, or Cancel to stop without changes." \
        /SD IDCANCEL IDRETRY check
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
    closed:
FunctionEnd
!macroend
!insertmacro DEFINE_ENSURE_PROGRAM_CLOSED ""
!insertmacro DEFINE_ENSURE_PROGRAM_CLOSED "un."

; Setup changes the folder it installs into and the one the installed
; version lies in.
Function EnsureProgramsClosed
    StrCpy $R1 $INSTDIR
    Call EnsureProgramClosed
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R1 != ""
        Call EnsureProgramClosed
    ${EndIf}
FunctionEnd

; Sets $0 to 1 when the folder $1 holds any file or folder, else to 0.
Function FolderHoldsAnything
    StrCpy $0 0
    FindFirst $2 $3 "$1\*"
    ${DoWhile} $3 != ""
        ${If} $3 != "."
        ${AndIf} $3 != ".."
            StrCpy $0 1
            ${Break}
        ${EndIf}
        FindNext $2 $3
    ${Loop}
    FindClose $2
FunctionEnd

; The program never lands among files of others (a user's own ffmpeg.exe
; would be replaced, and removed at uninstall): a folder that holds anything
; and is not where this product is installed gets the program in a folder
; of its own inside it.
Function ChooseOwnFolder
    ReadRegStr $4 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    GetFullPathName /SHORT $4 $4
    ${Do}
        GetFullPathName /SHORT $5 $INSTDIR
        ${If} $5 != ""
        ${AndIf} $5 == $4
            Return
        ${EndIf}
        ; An install of ours whose entry went (or is going) takes the update.
        ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
        ${AndIf} ${FileExists} "$INSTDIR\${PROGRAM_EXE}"
            Return
        ${EndIf}
        StrCpy $1 $INSTDIR
        Call FolderHoldsAnything
        ${If} $0 = 0
            Return
        ${EndIf}
        StrCpy $INSTDIR "$INSTDIR\${APP_TITLE}"
        DetailPrint "The chosen folder holds other files: installing into $INSTDIR"
    ${Loop}
FunctionEnd

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
    ExecWait '"$0\${UNINSTALLER}" /S ${CALLER_REMOVES_UNINSTALLER} _?=$0' $1
    ${If} $1 != 0
        MessageBox MB_OK|MB_ICONSTOP "The installed version in $0 could not be removed (exit code $1)." /SD IDOK
        SetErrorLevel ${EXIT_INSTALLED_VERSION_STAYS}
        Quit
    ${EndIf}
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
FunctionEnd

; The entry starts the uninstaller in place (_?=), so that its caller waits
; for the result. In place it could not remove its own file, which Windows
; keeps while it runs: it runs a copy of itself from the temporary folder,
; which does the work, and ends with the copy's exit code. When all went well,
; the copy runs once more to remove the uninstaller as soon as that has
; ended, and the then empty folder.
Function un.RunFromCopy
    GetTempFileName $0
    System::Call 'kernel32::CopyFileW(w "$EXEPATH", w r0, i 0) i .r1'
    ${If} $1 = 0
        Delete $0
        MessageBox MB_OK|MB_ICONSTOP "The uninstaller could not be copied to $TEMP: nothing was removed." /SD IDOK
        SetErrorLevel ${EXIT_INSTALL_STAYS}
        Quit
    ${EndIf}
    StrCpy $1 ""
    ${If} ${Silent}
        StrCpy $1 "/S "
    ${EndIf}
    ClearErrors
    ExecWait '"$0" $1_?=$INSTDIR' $2
    ${If} ${Errors}
        StrCpy $2 ${EXIT_INSTALL_STAYS}
    ${EndIf}
    ${If} $2 = 0
        Exec '"$0" /S ${REMOVE_ENDED_UNINSTALLER} _?=$INSTDIR'
    ${Else}
        Delete $0
    ${EndIf}
    SetErrorLevel $2
    Quit
FunctionEnd

; The copy's second run: the uninstaller goes once its process has ended
; (within a minute), then the folder; the copy itself at the next start of
; Windows, as a running program's file cannot go sooner.
Function un.RemoveEndedUninstaller
    ${For} $0 1 3000
        Delete "$INSTDIR\${UNINSTALLER}"
        ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
            ${Break}
        ${EndIf}
        Sleep 20
    ${Next}
    RMDir "$INSTDIR"
    Delete /REBOOTOK "$EXEPATH"
    Quit
FunctionEnd

Function .onInit
    Call EnsureProgramsClosed
FunctionEnd

Function un.onInit
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "${REMOVE_ENDED_UNINSTALLER}" $0
    ${IfNot} ${Errors}
        Call un.RemoveEndedUninstaller
    ${EndIf}
    StrCpy $R1 $INSTDIR
    Call un.EnsureProgramClosed
    ClearErrors
    ${GetOptions} $2 "${CALLER_REMOVES_UNINSTALLER}" $0
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    GetFullPathName /SHORT $0 $EXEDIR
    GetFullPathName /SHORT $1 $INSTDIR
    ${If} $0 == $1
        Call un.RunFromCopy
    ${EndIf}
FunctionEnd

Section "Program" SectionProgram
    SectionIn RO
    Call ChooseOwnFolder
    Call EnsureProgramsClosed
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

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_TITLE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${APP_PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    ; In place (_?=, last and unquoted), so that whoever starts it gets its
    ; result; alone, the uninstaller would hand the work to a copy of itself
    ; and end at once with 0.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    ; In KB: what the files of this section take, as makensis counted them.
    SectionGetSize ${SectionProgram} $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes by name what was installed, the files "trace" and "edit.avs" that
; older versions wrote beside themselves, and the uninstalling user's own
; files of the program; never a whole folder, so outputs the user converted
; into the program's folder stay, and with them the folder. A file that
; cannot be removed leaves the install and its entry in place.
Section "Uninstall"
    StrCpy $R1 $INSTDIR
    Call un.EnsureProgramClosed
    ClearErrors
    !insertmacro VODRIX_FILES REMOVE_FILE
    Delete "$INSTDIR\trace"
    Delete "$INSTDIR\edit.avs"
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP \
            "Some files in $INSTDIR could not be removed: ${APP_TITLE} stays installed.$\r$\n$\r$\nClose what uses them, then uninstall again." \
            /SD IDOK
        SetErrorLevel ${EXIT_INSTALL_STAYS}
        Quit
    ${EndIf}
    ; Fails while the uninstaller runs in place; its copy's second run removes it then.
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
    Delete "${USER_FILES_FOLDER}\trace"
    Delete "${USER_FILES_FOLDER}\edit*.avs"
    RMDir "${USER_FILES_FOLDER}"

    !insertmacro VODRIX_MEDIA_TYPES UNREGISTER_MEDIA_TYPE
    DeleteRegKey HKLM "${APPLICATION_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

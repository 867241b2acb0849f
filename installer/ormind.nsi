;
; Ormind is installed for the user who runs the installer, without administrator rights: the
; programs under %LOCALAPPDATA%\Programs\Ormind, and the Start-menu entry, "Start with Windows",
; the .orp association and the Apps & Features entry in that user's profile and registry
; (HKCU). So the things a user sees are always that user's, even when someone else's account
; could elevate the installer.
;
; Command line: /S installs silently; /NOSTARTUP leaves out "Start with Windows" (and removes
; what an earlier install put there); /ALLUSERS installs for every user of the computer
; (administrator rights needed: Program Files, HKLM, the all-users Start menu). The uninstaller
; takes /S as well. Exit codes: 2 Ormind is running, 740 /ALLUSERS without administrator
; rights; nothing is changed in either case.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define ALL_USERS_DIR "$PROGRAMFILES64\Ormind"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  !define ALL_USERS_DIR "$PROGRAMFILES\Ormind"
!else
  !error "ARCH must be x64 or x86"
!endif
!define PER_USER_DIR "$LOCALAPPDATA\Programs\Ormind"
InstallDir "${PER_USER_DIR}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ormind"
!define REPORT_CLASS "Ormind.Report"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Left beside the programs; each user's first start copies it into that user's data folder.
!define SAMPLE_NAME "events.sample.txt"
!define ERROR_ELEVATION_REQUIRED 740
; Held by a running Ormind.exe for as long as it runs.
!define RUNNING_MUTEX "Local\Ormind.Running"

Name "Ormind ${VERSION}"
BrandingText "Ormind ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
; 1 for an installation for every user (/ALLUSERS); registry writes go to SHCTX, which follows
; the shell context: HKLM for all users, HKCU for one.
Var AllUsers
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the fallback; Russian is chosen on a Russian system.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

!include "${__FILEDIR__}/texts.nsh"

; No copyright holder is named anywhere in the program, so none is made up here.
!pragma warning disable 9100
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Ormind"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Ormind ${VERSION} setup (${ARCH})"

; Replacing the program while it runs would fail half-way (its files are in use), so both the
; installer and the uninstaller stop first and ask for it to be closed. Silently they just end
; with exit code 2.
!macro DEFINE_REFUSE_WHILE_RUNNING prefix
Function ${prefix}RefuseWhileRunning
  retry:
  ; SYNCHRONIZE access is enough to see the name. Access denied also means it exists (a copy
  ; run by another account in this session).
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0 ?e'
  Pop $1
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
  ${ElseIf} $1 <> 5
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro DEFINE_REFUSE_WHILE_RUNNING ""
!insertmacro DEFINE_REFUSE_WHILE_RUNNING "un."

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/Ormind.exe"
  File "${STAGE}/ormind-day.exe"
  File "${STAGE}/ormind-import.exe"
  File "${STAGE}/ormind-report.exe"
  File "/oname=${SAMPLE_NAME}" "${SAMPLE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; $SMPROGRAMS is the installing user's or everyone's, after the shell context.
  CreateShortcut "$SMPROGRAMS\Ormind.lnk" "$INSTDIR\Ormind.exe" "" "$INSTDIR\Ormind.exe" 0

  Call RegisterUninstaller
  Call RegisterReportFiles
  Call RemoveStartupShortcut
  ${If} $AllUsers != 1
    Call ProvideUserData
  ${EndIf}
SectionEnd

Section "$(SecStartupName)" SecStartup
  WriteRegStr SHCTX "${RUN_KEY}" "Ormind" '"$INSTDIR\Ormind.exe"'
SectionEnd

; Installing again without "Start with Windows" takes the earlier one away.
Section "-Startup left out"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    DeleteRegValue SHCTX "${RUN_KEY}" "Ormind"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "$(SecStartupText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  Call RefuseWhileRunning
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTARTUP" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
  ; Whether /D= chose the folder, told while $LOCALAPPDATA is still the user's own.
  SetShellVarContext current
  StrCpy $2 0
  ${If} $INSTDIR == "${PER_USER_DIR}"
    StrCpy $2 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${If} ${Errors}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${Else}
    StrCpy $AllUsers 1
    Call RequireAdministrator
    SetShellVarContext all
  ${EndIf}
  ; /D= sets the folder before this runs; otherwise the folder of an earlier installation of
  ; the same kind is kept, and an installation for everyone goes under Program Files.
  ${If} $2 == 1
    ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 != ""
      StrCpy $INSTDIR $1
    ${ElseIf} $AllUsers == 1
      StrCpy $INSTDIR "${ALL_USERS_DIR}"
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro DEFINE_REQUIRE_ADMINISTRATOR prefix
Function ${prefix}RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdministrator)" /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_REQUIRE_ADMINISTRATOR ""
!insertmacro DEFINE_REQUIRE_ADMINISTRATOR "un."

; Earlier versions started the program through a shortcut in the installing user's Startup
; folder; the Run value replaces it, and two would start the program twice.
Function RemoveStartupShortcut
  SetShellVarContext current
  Delete "$SMSTARTUP\Ormind.lnk"
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; Apps & Features.
Function RegisterUninstaller
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Ormind"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Ormind"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ormind.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

; Saved reports (.ORP) open in the program's preview on a double click.
Function RegisterReportFiles
  WriteRegStr SHCTX "Software\Classes\.orp" "" "${REPORT_CLASS}"
  WriteRegStr SHCTX "Software\Classes\${REPORT_CLASS}" "" "$(ReportFileType)"
  WriteRegStr SHCTX "Software\Classes\${REPORT_CLASS}\DefaultIcon" "" "$INSTDIR\Ormind.exe,0"
  WriteRegStr SHCTX "Software\Classes\${REPORT_CLASS}\shell\open\command" "" '"$INSTDIR\Ormind.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
FunctionEnd

; The program expects its data folder and event list to exist; give the installing user both,
; but never replace what is already there (the user's own list, or settings pointing elsewhere).
Function ProvideUserData
  CreateDirectory "$APPDATA\Ormind"
  SetOutPath "$APPDATA\Ormind"
  SetOverwrite off
  File "/oname=events.txt" "${SAMPLE}"
  SetOverwrite on
  SetOutPath "$INSTDIR"
FunctionEnd

; The uninstaller runs from a copy in the temporary folder with $INSTDIR set to its own
; folder: an installation for everyone is the one HKLM names there.
Function un.onInit
  Call un.RefuseWhileRunning
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    StrCpy $AllUsers 1
    Call un.RequireAdministrator
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${EndIf}
FunctionEnd

; Takes away the program, its shortcuts and its registration; the user's data folder
; (settings and event list) stays.
Section "Uninstall"
  Delete "$INSTDIR\Ormind.exe"
  Delete "$INSTDIR\ormind-day.exe"
  Delete "$INSTDIR\ormind-import.exe"
  Delete "$INSTDIR\ormind-report.exe"
  Delete "$INSTDIR\${SAMPLE_NAME}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Ormind.lnk"
  DeleteRegValue SHCTX "${RUN_KEY}" "Ormind"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; The extension is left alone if another program has taken it over since.
  ReadRegStr $0 SHCTX "Software\Classes\.orp" ""
  ${If} $0 == "${REPORT_CLASS}"
    DeleteRegValue SHCTX "Software\Classes\.orp" ""
    DeleteRegKey /ifempty SHCTX "Software\Classes\.orp"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${REPORT_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ; A shortcut an earlier version left in the user's Startup folder.
  SetShellVarContext current
  Delete "$SMSTARTUP\Ormind.lnk"
SectionEnd

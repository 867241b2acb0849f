; Ormind's installer, one per processor. installer/CMakeLists.txt runs makensis with:
;   VERSION  the program version, major.minor.patch (the same as in the programs' version
;            information)
;   ARCH     x64 (a PE32+ installer for 64-bit Windows) or x86 (PE32)
;   STAGE    folder holding the stripped Ormind.exe, ormind-day.exe, ormind-import.exe and
;            ormind-report.exe
;   SAMPLE   the sample event list put in the user's data folder
;   ICON     the program icon
;   OUTFILE  the installer to write
;
; Command line: /S installs silently; /NOSTARTUP leaves out "Start with Windows" (and removes
; the shortcut an earlier install put there). The uninstaller takes /S as well.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

!if "${ARCH}" == "x64"
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Ormind"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Ormind"
!else
  !error "ARCH must be x64 or x86"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ormind"
!define REPORT_CLASS "Ormind.Report"
; Held by a running Ormind.exe for as long as it runs.
!define RUNNING_MUTEX "Local\Ormind.Running"

Name "Ormind ${VERSION}"
BrandingText "Ormind ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
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
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program is installed for every user of the computer, so is its Start-menu entry.
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Ormind.lnk" "$INSTDIR\Ormind.exe" "" "$INSTDIR\Ormind.exe" 0

  Call RegisterUninstaller
  Call RegisterReportFiles
  Call ProvideUserData
SectionEnd

Section "$(SecStartupName)" SecStartup
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMSTARTUP\Ormind.lnk" "$INSTDIR\Ormind.exe" "" "$INSTDIR\Ormind.exe" 0
SectionEnd

; Installing again without "Start with Windows" takes an earlier startup shortcut away.
Section "-Startup left out"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    SetShellVarContext current
    Delete "$SMSTARTUP\Ormind.lnk"
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
FunctionEnd

; Apps & Features.
Function RegisterUninstaller
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Ormind"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ormind"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ormind.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

; Saved reports (.ORP) open in the program's preview on a double click.
Function RegisterReportFiles
  WriteRegStr HKLM "Software\Classes\.orp" "" "${REPORT_CLASS}"
  WriteRegStr HKLM "Software\Classes\${REPORT_CLASS}" "" "$(ReportFileType)"
  WriteRegStr HKLM "Software\Classes\${REPORT_CLASS}\DefaultIcon" "" "$INSTDIR\Ormind.exe,0"
  WriteRegStr HKLM "Software\Classes\${REPORT_CLASS}\shell\open\command" "" '"$INSTDIR\Ormind.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
FunctionEnd

; The program expects its data folder and event list to exist; give the installing user both,
; but never replace what is already there (the user's own list, or settings pointing elsewhere).
Function ProvideUserData
  SetShellVarContext current
  CreateDirectory "$APPDATA\Ormind"
  SetOutPath "$APPDATA\Ormind"
  SetOverwrite off
  File "/oname=events.txt" "${SAMPLE}"
  SetOverwrite on
  SetOutPath "$INSTDIR"
FunctionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

; Takes away the program, its shortcuts and its registration; the user's data folder
; (settings and event list) stays.
Section "Uninstall"
  Delete "$INSTDIR\Ormind.exe"
  Delete "$INSTDIR\ormind-day.exe"
  Delete "$INSTDIR\ormind-import.exe"
  Delete "$INSTDIR\ormind-report.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Ormind.lnk"
  SetShellVarContext current
  Delete "$SMSTARTUP\Ormind.lnk"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The extension is left alone if another program has taken it over since.
  ReadRegStr $0 HKLM "Software\Classes\.orp" ""
  ${If} $0 == "${REPORT_CLASS}"
    DeleteRegValue HKLM "Software\Classes\.orp" ""
    DeleteRegKey /ifempty HKLM "Software\Classes\.orp"
  ${EndIf}
  DeleteRegKey HKLM "Software\Classes\${REPORT_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

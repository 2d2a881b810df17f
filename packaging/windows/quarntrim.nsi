; The QuarnTrim setup program. scripts/package-windows builds it with
;   makensis -DVERSION=<version> -DSOURCE=<program folder> -DFILES=<files.nsh> -DOUTFILE=<setup.exe>
; where the program folder holds the programs, the DLLs and plugins they need and the licence
; notes, and files.nsh names every file in it (File lines for the setup, Delete lines for the
; uninstaller), so that the uninstaller removes exactly what was installed.
;
; It installs for the current user (no administrator needed; the default) or for all users
; (chosen on the first page, or /AllUsers with /S for a silent install), adds a Start-menu entry
; with the program's icon, registers the uninstaller with Windows and opens *.joy files in the
; window.

; A 64-bit setup (NSIS's amd64 stubs): the programs are 64-bit, and a 64-bit setup sees the same
; registry view and program folder as they do.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "QuarnTrim"
!define MAKER "Halvern"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define JOY_CLASS "${APP}.JoyFile"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${SOURCE}/quarntrim.ico"
!define MUI_UNICON "${SOURCE}/quarntrim.ico"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quarntrim.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${APP} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${MAKER}"

Function .onInit
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\quarntrim.exe" "" "$INSTDIR\quarntrim.exe" 0

  ; *.joy files open in the window.
  WriteRegStr SHCTX "Software\Classes\.joy" "" "${JOY_CLASS}"
  WriteRegStr SHCTX "Software\Classes\${JOY_CLASS}" "" "${APP} calibration image"
  WriteRegStr SHCTX "Software\Classes\${JOY_CLASS}\DefaultIcon" "" "$INSTDIR\quarntrim.exe,0"
  WriteRegStr SHCTX "Software\Classes\${JOY_CLASS}\shell\open\command" "" '"$INSTDIR\quarntrim.exe" "%1"'

  ; The entry in Windows' list of installed programs.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quarntrim.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ; Tell Explorer that a file type changed (SHCNE_ASSOCCHANGED).
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The file type only while it is still ours.
  ReadRegStr $0 SHCTX "Software\Classes\.joy" ""
  StrCmp $0 "${JOY_CLASS}" 0 +2
  DeleteRegKey SHCTX "Software\Classes\.joy"
  DeleteRegKey SHCTX "Software\Classes\${JOY_CLASS}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ; The settings and the history are the technician's and stay.
SectionEnd

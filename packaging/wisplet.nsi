; The Wisplet installer: for the current user only, without administrator
; rights, into the user's own programs folder. Wisplet keeps its settings file
; beside Wisplet.exe, so the directory page offers only a folder the user can
; write to.
;   makensis -DVERSION=1.0.0.1 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> -DICON=<wisplet.ico> wisplet.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wisplet"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Wisplet"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Wisplet"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Wisplet ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Wisplet"
VIAddVersionKey "FileDescription" "Wisplet Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Wisplet Software"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Wisplet.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckInstallFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Wisplet is asked to exit by "Wisplet.exe /exit", which saves the
; notes as the tray menu's "Exit" does and returns once that copy has ended
; (exit code 0, also when none runs). If it is still there afterwards (it
; could not save, and says so), setup stops rather than replace or remove a
; program in use. EXE is a Wisplet.exe that knows the switch.
!macro CloseWisplet EXE
  DetailPrint "Asking a running Wisplet to exit..."
  ClearErrors
  ExecWait '"${EXE}" /exit' $0
  ${If} ${Errors}
  ${OrIf} $0 <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "Wisplet is still running. Choose Exit in its tray menu, then try again." /SD IDOK
    Abort
  ${EndIf}
!macroend

; Leaving the directory page: the folder must take new files (a probe file
; is made there and removed again). A folder made for the probe goes again.
Function CheckInstallFolder
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    ClearErrors
    CreateDirectory "$INSTDIR"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  FileOpen $0 "$INSTDIR\wisplet-setup.probe" w
  ${If} ${Errors}
    StrCpy $2 0
  ${Else}
    StrCpy $2 1
    FileClose $0
    Delete "$INSTDIR\wisplet-setup.probe"
  ${EndIf}
  ${If} $1 = 1
    RMDir "$INSTDIR"
  ${EndIf}
  ${If} $2 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "You cannot save files in $INSTDIR. Wisplet keeps your notes beside the program, so choose a folder of your own, such as $LOCALAPPDATA\Programs\Wisplet."
    Abort
  ${EndIf}
FunctionEnd

; The log-on start entry "Sticker" of a Run key goes when it starts the
; installed program, quoted or not (paths compare without regard to case);
; another program's entry of that name stays.
!macro RemoveRunEntry ROOT
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "Sticker"
  ${If} $0 == "$INSTDIR\Wisplet.exe"
  ${OrIf} $0 == '"$INSTDIR\Wisplet.exe"'
    DeleteRegValue ${ROOT} "${RUN_KEY}" "Sticker"
  ${EndIf}
!macroend

Section "Wisplet"
  ; The Wisplet being installed asks: an installed one may be older.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Wisplet.exe" "${STAGE}\Wisplet.exe"
  !insertmacro CloseWisplet "$PLUGINSDIR\Wisplet.exe"
  SetOutPath "$INSTDIR"
  File "${STAGE}\Wisplet.exe"
  File "${STAGE}\Wisplet.chm"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Wisplet.lnk" "$INSTDIR\Wisplet.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wisplet"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Wisplet Software"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wisplet.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ${If} ${FileExists} "$INSTDIR\Wisplet.exe"
    !insertmacro CloseWisplet "$INSTDIR\Wisplet.exe"
  ${EndIf}
  Delete "$INSTDIR\Wisplet.exe"
  Delete "$INSTDIR\Wisplet.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Wisplet.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The machine's key needs rights a standard user lacks; then it stays as it is.
  !insertmacro RemoveRunEntry HKLM
  !insertmacro RemoveRunEntry HKCU
  ; The notes stay unless the user asks; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also delete your notes and settings (Wisplet.ini)?" /SD IDNO IDNO keep
    Delete "$INSTDIR\Wisplet.ini"
  keep:
  RMDir "$INSTDIR"
SectionEnd

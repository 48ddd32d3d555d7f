; Quillomat's setup program (NSIS): installs for the current user only, without administrator
; rights, into the user's programs folder; registers an uninstaller that keeps the stored totals
; unless asked to remove them. scripts/package compiles it with the version and the build folder.
; Quillomat.exe is a 64-bit program, so its setup is one too (and runs where it can run).
Target amd64-unicode

!ifndef VERSION | BUILD_DIR | ICON | OUT_FILE
  !error "VERSION, BUILD_DIR, ICON and OUT_FILE are set by scripts/package"
!endif

!define PUBLISHER "Ombrelune"
!define WEBSITE "https://www.ombrelune.example/"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillomat"
!define SETTINGS_KEY "Software\Ombrelune\Quillomat"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The main window's class and its Exit command: the program saves everything and ends.
!define MAIN_WINDOW_CLASS "TfrmMain"
!define CMD_EXIT 102

Name "Quillomat ${VERSION}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quillomat"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "Quillomat ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Quillomat"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Quillomat ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Quillomat"
!define MUI_FINISHPAGE_RUN_FUNCTION StartQuillomat

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryChosen
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "Quillomat will be removed. Your stored totals and settings are kept unless you tick the box below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var Restart  ; 1 when a running Quillomat was asked to end: the new one is started at the end
Var AutoStartChosen  ; 1 once "Start with Windows" was set by /AUTOSTART or by the user's click

; The Run value "Quillomat" is one name for every copy: an installed one, a portable one, one
; installed elsewhere. It is this installation's when it names $INSTDIR\Quillomat.exe, with or
; without the quotes that the program and this setup put around a path with a space (Windows
; compares paths without regard to case, and so does ==). $0 is 1 when it is, else 0.
!macro RUN_VALUE_IS_OURS UN
Function ${UN}RunValueIsOurs
  Push $1
  StrCpy $0 0
  ClearErrors
  ReadRegStr $1 HKCU "${RUN_KEY}" "Quillomat"
  ${IfNot} ${Errors}
    ${If} $1 == "$INSTDIR\Quillomat.exe"
    ${OrIf} $1 == '"$INSTDIR\Quillomat.exe"'
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
  Pop $1
FunctionEnd
!macroend
!insertmacro RUN_VALUE_IS_OURS ""
!insertmacro RUN_VALUE_IS_OURS "un."

; The program's path as the settings dialog's "Run on Startup" writes it: in quotes when it holds
; a space, so that Windows never starts a program named by the part before it. Into $0.
Function RunValueData
  Push $1
  Push $2
  StrCpy $0 "$INSTDIR\Quillomat.exe"
  StrCpy $1 0
  ${Do}
    StrCpy $2 $0 1 $1
    ${If} $2 == " "
      StrCpy $0 '"$0"'
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
  ${LoopUntil} $2 == ""
  Pop $2
  Pop $1
FunctionEnd

; Asks every running Quillomat to save its totals and end (its own Exit command), waits until its
; window is gone and its program file is free, and only then lets files be replaced or removed.
; A Quillomat that does not end within 20 seconds stops the setup (after a Retry offer).
!macro CLOSE_QUILLOMAT UN
Function ${UN}CloseQuillomat
  Push $0
  Push $1
  Push $2
retry:
  StrCpy $1 0
next:
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 <> 0
    StrCpy $Restart 1
    SendMessage $0 ${WM_COMMAND} ${CMD_EXIT} 0 /TIMEOUT=5000
    ${Do}
      IsWindow $0 0 next
      Sleep 100
      IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 200
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quillomat is still running. End it with Exit in its menu, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 3
    Quit
  ${EndIf}
  ; The window is gone once the totals are saved; the process ends a moment later.
  StrCpy $1 0
  ${DoWhile} ${FileExists} "$INSTDIR\Quillomat.exe"
    ClearErrors
    FileOpen $2 "$INSTDIR\Quillomat.exe" a
    ${IfNot} ${Errors}
      FileClose $2
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
    ${If} $1 >= 200
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quillomat.exe is still in use. Close every Quillomat, then choose Retry." /SD IDCANCEL IDRETRY retry
      SetErrorLevel 3
      Quit
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_QUILLOMAT ""
!insertmacro CLOSE_QUILLOMAT "un."

Section "Quillomat" SecMain
  SectionIn RO
  Call CloseQuillomat
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}/Quillomat.exe"
  File "${BUILD_DIR}/Quillomat.chm"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillomat.lnk" "$INSTDIR\Quillomat.exe" "" "$INSTDIR\Quillomat.exe" 0 SW_SHOWNORMAL "" "Keyboard and mouse activity meter"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Quillomat"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Quillomat.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINST_KEY}" "URLInfoAbout" "${WEBSITE}"
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; The same entry as the settings dialog's "Run on Startup" (the key is made when it is missing).
; Ticked, it starts this installation, also in place of another copy's entry.
Section /o "Start with Windows" SecAutoStart
  Push $0
  Call RunValueData
  WriteRegStr HKCU "${RUN_KEY}" "Quillomat" $0
  Pop $0
SectionEnd

Section "-Finish"
  ; The box showed whether this installation started with Windows; clearing it ends that. An
  ; entry of another copy is that copy's business and stays.
  ${IfNot} ${SectionIsSelected} ${SecAutoStart}
    Call RunValueIsOurs
    ${If} $0 == 1
      DeleteRegValue HKCU "${RUN_KEY}" "Quillomat"
    ${EndIf}
  ${EndIf}
  ; A Quillomat that was running before goes on counting as the new version.
  ${If} $Restart == 1
    Exec '"$INSTDIR\Quillomat.exe"'
  ${EndIf}
SectionEnd

; "Start with Windows" shows whether this installation starts with Windows: ticked only when the
; Run value names it, never for a value of another copy.
Function TickAutoStartIfOurs
  ${If} $AutoStartChosen != 1
    Push $0
    Call RunValueIsOurs
    ${If} $0 == 1
      !insertmacro SelectSection ${SecAutoStart}
    ${Else}
      !insertmacro UnselectSection ${SecAutoStart}
    ${EndIf}
    Pop $0
  ${EndIf}
FunctionEnd

Function .onInit
  ; Ticked when this installation already starts with Windows, or when /AUTOSTART is given.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutoStart}
    StrCpy $AutoStartChosen 1
  ${EndIf}
  Call TickAutoStartIfOurs
FunctionEnd

; A click on the box is the user's choice, which another folder does not undo.
Function .onSelChange
  StrCpy $AutoStartChosen 1
FunctionEnd

; Another folder is another installation: the box follows it until the user has clicked it.
Function DirectoryChosen
  Call TickAutoStartIfOurs
FunctionEnd

Function StartQuillomat
  ${If} $Restart != 1
    Exec '"$INSTDIR\Quillomat.exe"'
  ${EndIf}
FunctionEnd

Section "un.Quillomat" UnSecMain
  SectionIn RO
  Call un.CloseQuillomat
  Delete "$INSTDIR\Quillomat.exe"
  Delete "$INSTDIR\Quillomat.chm"
  ; This runs in a copy of the uninstaller, started by uninstall.exe, which then ends. On a busy
  ; machine it may not have ended yet, and a running program's file cannot be deleted: without
  ; waiting for it, the folder would stay behind with uninstall.exe in it.
  StrCpy $1 0
  ${Do}
    Delete "$INSTDIR\uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 300
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quillomat.lnk"
  ; Only an entry that starts this copy, quoted or not: another copy's own entry stays.
  Call un.RunValueIsOurs
  ${If} $0 == 1
    DeleteRegValue HKCU "${RUN_KEY}" "Quillomat"
  ${EndIf}
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd

; Off unless ticked, so that a silent uninstall keeps the totals.
Section /o "un.Remove my stored totals and settings" UnSecData
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Ombrelune"
SectionEnd

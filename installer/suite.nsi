; The Merovant notebook suite's installer.
;   makensis -DTREE=<build tree> -DSTUB=<x86-ansi|amd64-unicode> -DOUTFILE=<installer.exe>
;            -DDELIVERABLES=<deliverables.nsh> installer/suite.nsi
; TREE/bin holds the seven deliverables; DELIVERABLES is the list of their
; files that installer/CMakeLists.txt writes. The shipping installer (x86-ansi)
; runs on Windows 95, 98 and NT 4.0; the amd64 one installs the win64 tree
; into the Wine prefix of the virtual notebook.

!ifndef TREE | STUB | OUTFILE | DELIVERABLES
  !error "define TREE, STUB, OUTFILE and DELIVERABLES"
!endif

Unicode false
!if "${STUB}" == "amd64-unicode"
  Unicode true
  Target amd64-unicode
!else
  Target x86-ansi
!endif

!include "${DELIVERABLES}"

!define PRODUCT "Merovant Notebook Utilities"
!define CONFIG_KEY "SOFTWARE\Merovant\Configuration Utility"
!define SERVICE_KEY "System\CurrentControlSet\Services\Hotkey"
!define HOTKEY_KEYS "SOFTWARE\Merovant\Hotkey Panel\Keys"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Merovant"
!define WM_CLOSE 0x0010
!define WM_DESTROY 0x0002

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Merovant"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A command line quoted when its path holds a blank.
!macro QUOTED OUT PATH
  StrCpy ${OUT} "${PATH}"
  Push ${OUT}
  Call QuoteIfBlank
  Pop ${OUT}
!macroend

; Closes the suite's running windows and stops the hot-key service, so that
; their files can be replaced or removed.
!macro CLOSE_RUNNING un
  Function ${un}CloseRunning
    FindWindow $0 "" "Fuel"
    IntCmp $0 0 +2
      SendMessage $0 ${WM_CLOSE} 0 0
    ; The tray launcher's hidden window ends on WM_DESTROY, as merovant's
    ; Customize page ends it.
    FindWindow $0 "" "Taskbar"
    IntCmp $0 0 +2
      System::Call 'user32::PostMessageA(p r0, i ${WM_DESTROY}, p 0, p 0)'
    FindWindow $0 "" "Merovant Configuration"
    IntCmp $0 0 +2
      SendMessage $0 ${WM_CLOSE} 0 0
    FindWindow $0 "" "Power Management"
    IntCmp $0 0 +2
      SendMessage $0 ${WM_CLOSE} 0 0
    Call ${un}IsWindowsNT
    Pop $0
    StrCmp $0 "1" 0 done
    IfFileExists "$INSTDIR\Pressmon.exe" 0 done
      nsExec::Exec '"$INSTDIR\Pressmon.exe" -remove'
      Pop $0
    done:
    Sleep 500
  FunctionEnd

  ; Pushes "1" on Windows NT, "0" on Windows 95/98.
  Function ${un}IsWindowsNT
    ClearErrors
    ReadRegStr $0 HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion" "CurrentVersion"
    IfErrors 0 +3
      Push "0"
      Return
    Push "1"
  FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING ""
!insertmacro CLOSE_RUNNING "un."

Function QuoteIfBlank
  Exch $0
  Push $1
  Push $2
  StrCpy $1 0
  loop:
    StrCpy $2 $0 1 $1
    StrCmp $2 "" plain
    StrCmp $2 " " quote
    IntOp $1 $1 + 1
    Goto loop
  quote:
    StrCpy $0 '"$0"'
  plain:
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Deletes a file that a program which is just ending may still hold: tries
; for ten seconds, then leaves it to the next restart.
Function un.DeleteWhenFree
  Exch $0
  Push $1
  StrCpy $1 0
  retry:
    Delete "$0"
    IfFileExists "$0" 0 done
    IntOp $1 $1 + 1
    IntCmp $1 40 later
    Sleep 250
    Goto retry
  later:
    Delete /REBOOTOK "$0"
  done:
  Pop $1
  Pop $0
FunctionEnd

!macro INSTALL_FILE FOLDER NAME
  SetOutPath "${FOLDER}"
  File "${TREE}\bin\${NAME}"
!macroend
!macro REMOVE_FILE FOLDER NAME
  Push "${FOLDER}\${NAME}"
  Call un.DeleteWhenFree
!macroend

Section "Install"
  SetShellVarContext all
  Call CloseRunning

  !insertmacro SUITE_FILES INSTALL_FILE
  SetOutPath "$INSTDIR"

  ; The shared key: the command lines the programs start one another with.
  !insertmacro QUOTED $1 "$INSTDIR\merovant.exe"
  WriteRegStr HKLM "${CONFIG_KEY}" "Program" $1
  WriteRegStr HKLM "${CONFIG_KEY}" "CurrentPath" "$INSTDIR"
  !insertmacro QUOTED $1 "$INSTDIR\Corvessa.exe"
  WriteRegStr HKLM "${CONFIG_KEY}" "Power" $1
  !insertmacro QUOTED $1 "$INSTDIR\taskbar.exe"
  WriteRegStr HKLM "${CONFIG_KEY}" "TaskBarPath" $1
  !insertmacro QUOTED $1 "$INSTDIR\fuel.exe"
  WriteRegStr HKLM "${CONFIG_KEY}" "FuelPath" $1
  !insertmacro QUOTED $1 "$INSTDIR\sorvault.exe"
  WriteRegStr HKLM "${CONFIG_KEY}" "HiberUtility" $1
  WriteRegStr HKLM "${CONFIG_KEY}" "HelpPath" "$INSTDIR\MEROVANT.HLP"
  WriteRegStr HKLM "${CONFIG_KEY}" "FuelHelp" "$INSTDIR\FUEL.HLP"
  WriteRegStr HKLM "${CONFIG_KEY}" "CUTray" "1"
  WriteRegStr HKLM "${CONFIG_KEY}" "FGTray" "1"

  ; The tray launcher and the fuel gauge start at logon, through the same
  ; shortcuts that merovant's Customize page makes.
  CreateShortCut "$SMSTARTUP\Merovant Configuration.lnk" "$INSTDIR\taskbar.exe" "" "" 0 SW_SHOWNORMAL "" "Shortcut to Merovant Configuration "
  CreateShortCut "$SMSTARTUP\Fuel Gauge.lnk" "$INSTDIR\fuel.exe" "" "" 0 SW_SHOWNORMAL "" "Shortcut to Fuel Gauge"

  ; The hot-key service, on Windows NT only: its configuration, then the
  ; service itself through Pressmon's own installer, then started.
  Call IsWindowsNT
  Pop $0
  StrCmp $0 "1" 0 service_done
    WriteRegStr HKLM "${SERVICE_KEY}" "Function" "1"
    WriteRegStr HKLM "${SERVICE_KEY}" "Number" "1"
    WriteRegStr HKLM "${SERVICE_KEY}" "Playstation" "1"
    WriteRegStr HKLM "${SERVICE_KEY}" "Shutdown" "1"
    WriteRegDWORD HKLM "${SERVICE_KEY}" "PollingTime" 10
    WriteRegStr HKLM "${SERVICE_KEY}" "RegistryKey" "${HOTKEY_KEYS}"
    ; Key 1 of either group starts the configuration utility named by the
    ; shared key's "Program".
    WriteRegStr HKLM "${HOTKEY_KEYS}\1" "Tag" "INDIRECT"
    WriteRegStr HKLM "${HOTKEY_KEYS}\1" "FuncProgReg" "${CONFIG_KEY}"
    WriteRegStr HKLM "${HOTKEY_KEYS}\1" "FuncParam" ""
    WriteRegStr HKLM "${HOTKEY_KEYS}\1" "NumProgReg" "${CONFIG_KEY}"
    WriteRegStr HKLM "${HOTKEY_KEYS}\1" "NumParam" ""
    nsExec::Exec '"$INSTDIR\Pressmon.exe" -install'
    Pop $0
    nsExec::Exec 'net start HotkeyService'
    Pop $0
  service_done:

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.CloseRunning

  !insertmacro SUITE_FILES REMOVE_FILE
  Delete "$SMSTARTUP\Merovant Configuration.lnk"
  Delete "$SMSTARTUP\Fuel Gauge.lnk"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"

  DeleteRegKey HKLM "${CONFIG_KEY}"
  DeleteRegKey HKLM "SOFTWARE\Merovant\Hotkey Panel"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Merovant"
  DeleteRegKey HKLM "${SERVICE_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

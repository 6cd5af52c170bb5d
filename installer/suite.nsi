; The Merovant notebook suite's installer.
;   makensis -WX -DTREE=<build tree> -DSTUB=<x86-ansi|amd64-unicode> -DOUTFILE=<installer.exe>
;            -DGENERATED=<folder> -DRESOURCES=<resources/installer> -DVERSION=<major.minor>
;            installer/suite.nsi
; TREE/bin holds the seven deliverables and EndSuite.exe, TREE/help the help
; files. GENERATED holds what installer/CMakeLists.txt writes: suite_files.nsh
; (the deliverables, the names of the programs, the help files in each
; language) and languages.nsh (the languages, with the installer's texts).
; The shipping installer (x86-ansi) runs on Windows 95, 98 and NT 4.0; the
; amd64 one installs the win64 tree into the Wine prefix of the virtual
; notebook.

!ifndef TREE | STUB | OUTFILE | GENERATED | RESOURCES | VERSION
  !error "define TREE, STUB, OUTFILE, GENERATED, RESOURCES and VERSION"
!endif

Unicode false
!if "${STUB}" == "amd64-unicode"
  Unicode true
  Target amd64-unicode
!else
  Target x86-ansi
!endif

!include LogicLib.nsh
!include FileFunc.nsh
!include "${GENERATED}\suite_files.nsh"

!define PRODUCT "Merovant Notebook Utilities"
!define PUBLISHER "Merovant"
!define CONFIG_KEY "SOFTWARE\Merovant\Configuration Utility"
!define SERVICE_KEY "System\CurrentControlSet\Services\Hotkey"
!define HOTKEY_KEYS "SOFTWARE\Merovant\Hotkey Panel\Keys"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Merovant"
; The Start-menu group; its shortcuts are named in the installer's language.
!define GROUP "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Merovant"
; An upgrade goes where the suite is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"
Icon "${RESOURCES}\setup.ico"
UninstallIcon "${RESOURCES}\uninstall.ico"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The languages, English first: the installer and the uninstaller speak the
; user's language, or English where the suite has not got it.
!include /CHARSET=UTF8 "${GENERATED}\languages.nsh"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

; A command line quoted when its path holds a blank.
!macro QUOTED OUT PATH
  StrCpy ${OUT} "${PATH}"
  Push ${OUT}
  Call QuoteIfBlank
  Pop ${OUT}
!macroend

; Stops the hot-key service and ends the suite's running programs, so that
; their files can be replaced or removed (EndSuite.exe: each program asked
; through its window, then whatever still runs from the folder terminated).
; What it cannot end the user is asked to close; Cancel stops the installer or
; the uninstaller before it has touched a file.
!macro END_RUNNING un
  Function ${un}EndRunning
    Call ${un}IsWindowsNT
    Pop $0
    ${If} $0 == "1"
    ${AndIf} ${FileExists} "$INSTDIR\Pressmon.exe"
      nsExec::Exec '"$INSTDIR\Pressmon.exe" -remove'
      Pop $0
    ${EndIf}
    InitPluginsDir
    File "/oname=$PLUGINSDIR\EndSuite.exe" "${TREE}\bin\EndSuite.exe"
    retry:
      StrCpy $0 ""
      ClearErrors
      ExecWait '"$PLUGINSDIR\EndSuite.exe" "$INSTDIR" ${SUITE_PROGRAMS}' $0
      ${If} $0 == "0"
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(STILL_RUNNING)" /SD IDCANCEL IDRETRY retry
    DetailPrint "$(STILL_RUNNING)"
    SetErrorLevel 2
    Abort
  FunctionEnd

  ; Pushes "1" on Windows NT, "0" on Windows 95/98.
  Function ${un}IsWindowsNT
    ClearErrors
    ReadRegStr $0 HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion" "CurrentVersion"
    ${If} ${Errors}
      Push "0"
    ${Else}
      Push "1"
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro END_RUNNING ""
!insertmacro END_RUNNING "un."

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

; Removes a file of the suite. The programs have ended, so a file that stays
; is held by something else (a Control Panel with the applet open, a help
; reader): the user is asked to close it, and Cancel stops the uninstaller
; with the suite still registered, so that it can be run again. Nothing is
; left to be deleted at the next restart.
Function un.RemoveFile
  Exch $0
  retry:
    SetFileAttributes "$0" NORMAL
    Delete "$0"
    ${IfNot} ${FileExists} "$0"
      Pop $0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(FILE_IN_USE)$\r$\n$\r$\n$0" /SD IDCANCEL IDRETRY retry
  DetailPrint "$(FILE_IN_USE) $0"
  SetErrorLevel 2
  Abort
FunctionEnd

!macro INSTALL_FILE FOLDER NAME
  SetOutPath "${FOLDER}"
  File "${TREE}\bin\${NAME}"
!macroend
!macro REMOVE_FILE FOLDER NAME
  Push "${FOLDER}\${NAME}"
  Call un.RemoveFile
!macroend
; A help file and what the help reader writes beside it: its index (.gid),
; its full-text search lists (.fts, .ftg) and the user's annotations (.ann).
!macro REMOVE_HELP NAME
  !insertmacro REMOVE_FILE "$INSTDIR" "${NAME}.hlp"
  !insertmacro REMOVE_FILE "$INSTDIR" "${NAME}.gid"
  !insertmacro REMOVE_FILE "$INSTDIR" "${NAME}.fts"
  !insertmacro REMOVE_FILE "$INSTDIR" "${NAME}.ftg"
  !insertmacro REMOVE_FILE "$INSTDIR" "${NAME}.ann"
!macroend

Section "Install"
  SetShellVarContext all
  Call EndRunning

  !insertmacro SUITE_FILES INSTALL_FILE
  SetOutPath "$INSTDIR"
  ; Each help file in the installer's language, English where it has none.
  !insertmacro SUITE_HELP_FILES

  ; The shared key: the command lines the programs start one another with,
  ; and their help files.
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
  WriteRegStr HKLM "${CONFIG_KEY}" "HelpPath" "$INSTDIR\merovant.hlp"
  WriteRegStr HKLM "${CONFIG_KEY}" "FuelHelp" "$INSTDIR\fuel.hlp"
  WriteRegStr HKLM "${CONFIG_KEY}" "CUTray" "1"
  WriteRegStr HKLM "${CONFIG_KEY}" "FGTray" "1"

  ; The tray launcher and the fuel gauge start at logon, through the same
  ; shortcuts that merovant's Customize page makes.
  CreateShortCut "$SMSTARTUP\Merovant Configuration.lnk" "$INSTDIR\taskbar.exe" "" "" 0 SW_SHOWNORMAL "" "Shortcut to Merovant Configuration "
  CreateShortCut "$SMSTARTUP\Fuel Gauge.lnk" "$INSTDIR\fuel.exe" "" "" 0 SW_SHOWNORMAL "" "Shortcut to Fuel Gauge"

  ; The Start-menu group. The shortcuts of an earlier installation go first:
  ; they may carry the names of another language.
  CreateDirectory "${GROUP}"
  Delete "${GROUP}\*.lnk"
  CreateShortCut "${GROUP}\$(MEROVANT_SHORTCUT).lnk" "$INSTDIR\merovant.exe"
  CreateShortCut "${GROUP}\$(POWER_SHORTCUT).lnk" "$INSTDIR\Corvessa.exe"
  CreateShortCut "${GROUP}\$(SAVE_TO_DISK_SHORTCUT).lnk" "$INSTDIR\sorvault.exe"
  CreateShortCut "${GROUP}\$(UNINSTALL_SHORTCUT).lnk" "$INSTDIR\Uninstall.exe"

  ; The hot-key service, on Windows NT only: its configuration, then the
  ; service itself through Pressmon's own installer, then started.
  Call IsWindowsNT
  Pop $0
  ${If} $0 == "1"
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
  ${EndIf}

  ; Add/Remove Programs.
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\merovant.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.EndRunning

  !insertmacro SUITE_FILES REMOVE_FILE
  !insertmacro SUITE_HELP_NAMES REMOVE_HELP
  Delete "$SMSTARTUP\Merovant Configuration.lnk"
  Delete "$SMSTARTUP\Fuel Gauge.lnk"
  ; The group's shortcuts, in whichever language they were made.
  Delete "${GROUP}\*.lnk"
  RMDir "${GROUP}"

  DeleteRegKey HKLM "${CONFIG_KEY}"
  DeleteRegKey HKLM "SOFTWARE\Merovant\Hotkey Panel"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Merovant"
  DeleteRegKey HKLM "${SERVICE_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only what the suite laid down goes: a folder the user has put files in
  ; stays, with them.
  RMDir "$INSTDIR"
SectionEnd

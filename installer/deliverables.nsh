; The suite's files, named once: the install section lays each one down and
; the uninstall section removes it, through the macro each passes as DO.
!macro SUITE_PROGRAMS DO
  !insertmacro ${DO} "merovant.exe"
  !insertmacro ${DO} "Corvessa.exe"
  !insertmacro ${DO} "fuel.exe"
  !insertmacro ${DO} "taskbar.exe"
  !insertmacro ${DO} "Pressmon.exe"
  !insertmacro ${DO} "sorvault.exe"
!macroend

; The Control Panel finds its applets in the system folder.
!define SUITE_APPLET "Panelora.cpl"

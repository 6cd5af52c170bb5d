; The installer's own texts in German (Germany): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1031 "Ruhezustand-Dienstprogramm"
LangString UNINSTALL_SHORTCUT 1031 "Merovant Notebook Utilities deinstallieren"
LangString STILL_RUNNING 1031 "Einige Programme von Merovant Notebook Utilities werden noch ausgeführt. Das Ruhezustand-Dienstprogramm wird nie geschlossen, während es seine Datei erstellt oder löscht.$\r$\n$\r$\nSchließen Sie die Programme, und klicken Sie dann auf „Wiederholen“. Klicken Sie auf „Abbrechen“, um den Vorgang zu beenden; es wurde keine Datei geändert."
LangString FILE_IN_USE 1031 "Eine Datei kann nicht entfernt werden, weil ein Programm sie verwendet. Schließen Sie dieses Programm, und klicken Sie dann auf „Wiederholen“. Klicken Sie auf „Abbrechen“, um den Vorgang zu beenden; Sie können die Deinstallation später erneut ausführen."

; The installer's own texts in Swedish: the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1053 "Verktyg för viloläge"
LangString UNINSTALL_SHORTCUT 1053 "Avinstallera Merovant Notebook Utilities"
LangString STILL_RUNNING 1053 "Vissa program i Merovant Notebook Utilities körs fortfarande. Verktyg för viloläge stängs aldrig medan det skapar eller tar bort sin fil.$\r$\n$\r$\nStäng programmen och klicka sedan på Försök igen. Klicka på Avbryt för att avbryta; inga filer har ändrats."
LangString FILE_IN_USE 1053 "En fil kan inte tas bort eftersom ett program använder den. Stäng programmet och klicka sedan på Försök igen. Klicka på Avbryt för att avbryta; du kan köra avinstallationen igen senare."

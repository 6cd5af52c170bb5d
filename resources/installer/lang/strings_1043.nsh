; The installer's own texts in Dutch (Netherlands): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1043 "Hulpprogramma voor slaapstand"
LangString UNINSTALL_SHORTCUT 1043 "Merovant Notebook Utilities verwijderen"
LangString STILL_RUNNING 1043 "Enkele programma's van Merovant Notebook Utilities worden nog uitgevoerd. Het Hulpprogramma voor slaapstand wordt nooit gesloten terwijl het zijn bestand maakt of verwijdert.$\r$\n$\r$\nSluit de programma's en klik daarna op Opnieuw. Klik op Annuleren om te stoppen; er is geen bestand gewijzigd."
LangString FILE_IN_USE 1043 "Een bestand kan niet worden verwijderd omdat een programma het gebruikt. Sluit dat programma en klik daarna op Opnieuw. Klik op Annuleren om te stoppen; u kunt het verwijderen later opnieuw uitvoeren."

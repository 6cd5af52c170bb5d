; The installer's own texts in Danish: the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1030 "Dvaleværktøj"
LangString UNINSTALL_SHORTCUT 1030 "Fjern Merovant Notebook Utilities"
LangString STILL_RUNNING 1030 "Nogle af programmerne i Merovant Notebook Utilities kører stadig. Dvaleværktøjet lukkes aldrig, mens det opretter eller sletter sin fil.$\r$\n$\r$\nLuk programmerne, og klik derefter på Prøv igen. Klik på Annuller for at stoppe; ingen filer er blevet ændret."
LangString FILE_IN_USE 1030 "En fil kan ikke fjernes, fordi et program bruger den. Luk programmet, og klik derefter på Prøv igen. Klik på Annuller for at stoppe; du kan køre afinstallationen igen senere."

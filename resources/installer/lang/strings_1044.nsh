; The installer's own texts in Norwegian (Bokmål): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1044 "Verktøy for dvalemodus"
LangString UNINSTALL_SHORTCUT 1044 "Avinstaller Merovant Notebook Utilities"
LangString STILL_RUNNING 1044 "Noen av programmene i Merovant Notebook Utilities kjører fortsatt. Verktøy for dvalemodus lukkes aldri mens det oppretter eller sletter filen sin.$\r$\n$\r$\nLukk programmene, og klikk deretter Prøv igjen. Klikk Avbryt for å stoppe; ingen filer er endret."
LangString FILE_IN_USE 1044 "En fil kan ikke fjernes fordi et program bruker den. Lukk programmet, og klikk deretter Prøv igjen. Klikk Avbryt for å stoppe; du kan kjøre avinstalleringen på nytt senere."

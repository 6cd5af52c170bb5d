; The installer's own texts in Norwegian (Nynorsk): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 2068 "Verktøy for dvalemodus"
LangString UNINSTALL_SHORTCUT 2068 "Avinstaller Merovant Notebook Utilities"
LangString STILL_RUNNING 2068 "Nokre av programma i Merovant Notebook Utilities køyrer framleis. Verktøy for dvalemodus blir aldri lukka medan det lagar eller slettar fila si.$\r$\n$\r$\nLukk programma, og klikk deretter Prøv igjen. Klikk Avbryt for å stoppe; ingen filer er endra."
LangString FILE_IN_USE 2068 "Ei fil kan ikkje fjernast fordi eit program brukar ho. Lukk programmet, og klikk deretter Prøv igjen. Klikk Avbryt for å stoppe; du kan køyre avinstalleringa på nytt seinare."

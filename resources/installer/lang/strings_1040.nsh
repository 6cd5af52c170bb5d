; The installer's own texts in Italian (Italy): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1040 "Utilità di ibernazione"
LangString UNINSTALL_SHORTCUT 1040 "Disinstalla Merovant Notebook Utilities"
LangString STILL_RUNNING 1040 "Alcuni programmi di Merovant Notebook Utilities sono ancora in esecuzione. L'Utilità di ibernazione non viene mai chiusa mentre crea o elimina il proprio file.$\r$\n$\r$\nChiudere i programmi, quindi fare clic su Riprova. Fare clic su Annulla per interrompere; nessun file è stato modificato."
LangString FILE_IN_USE 1040 "Impossibile rimuovere un file perché è in uso da parte di un programma. Chiudere il programma, quindi fare clic su Riprova. Fare clic su Annulla per interrompere; sarà possibile eseguire di nuovo la disinstallazione in seguito."

; The installer's own texts in French (France): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1036 "Utilitaire d'hibernation"
LangString UNINSTALL_SHORTCUT 1036 "Désinstaller Merovant Notebook Utilities"
LangString STILL_RUNNING 1036 "Certains programmes de Merovant Notebook Utilities sont encore en cours d'exécution. L'utilitaire d'hibernation n'est jamais fermé pendant qu'il crée ou supprime son fichier.$\r$\n$\r$\nFermez ces programmes, puis cliquez sur Réessayer. Cliquez sur Annuler pour arrêter ; aucun fichier n'a été modifié."
LangString FILE_IN_USE 1036 "Un fichier ne peut pas être supprimé, car un programme l'utilise. Fermez ce programme, puis cliquez sur Réessayer. Cliquez sur Annuler pour arrêter ; vous pourrez relancer la désinstallation plus tard."

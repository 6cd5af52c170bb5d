; The installer's own texts in Spanish (traditional sort): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1034 "Utilidad de hibernación"
LangString UNINSTALL_SHORTCUT 1034 "Desinstalar Merovant Notebook Utilities"
LangString STILL_RUNNING 1034 "Algunos programas de Merovant Notebook Utilities todavía se están ejecutando. La Utilidad de hibernación nunca se cierra mientras crea o elimina su archivo.$\r$\n$\r$\nCierre los programas y haga clic en Reintentar. Haga clic en Cancelar para detener el proceso; no se ha modificado ningún archivo."
LangString FILE_IN_USE 1034 "No se puede quitar un archivo porque un programa lo está usando. Cierre ese programa y haga clic en Reintentar. Haga clic en Cancelar para detener el proceso; puede volver a ejecutar la desinstalación más tarde."

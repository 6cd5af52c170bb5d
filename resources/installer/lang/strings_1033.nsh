; The installer's own texts in English (United States): the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1033 "Hibernation Utility"
LangString UNINSTALL_SHORTCUT 1033 "Uninstall Merovant Notebook Utilities"
LangString STILL_RUNNING 1033 "Some programs of Merovant Notebook Utilities are still running. The Hibernation Utility is never closed while it may be creating or deleting its file.$\r$\n$\r$\nClose the programs, then click Retry. Click Cancel to stop; no file has been changed."
LangString FILE_IN_USE 1033 "A file cannot be removed because a program is using it. Close that program, then click Retry. Click Cancel to stop; you can run the uninstaller again later."

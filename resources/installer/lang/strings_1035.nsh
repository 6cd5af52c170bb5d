; The installer's own texts in Finnish: the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1035 "Lepotilatyökalu"
LangString UNINSTALL_SHORTCUT 1035 "Poista Merovant Notebook Utilities"
LangString STILL_RUNNING 1035 "Jotkin Merovant Notebook Utilities -ohjelmat ovat vielä käynnissä. Lepotilatyökalua ei koskaan suljeta, kun se luo tai poistaa tiedostoaan.$\r$\n$\r$\nSulje ohjelmat ja valitse sitten Yritä uudelleen. Lopeta valitsemalla Peruuta; mitään tiedostoa ei ole muutettu."
LangString FILE_IN_USE 1035 "Tiedostoa ei voi poistaa, koska jokin ohjelma käyttää sitä. Sulje ohjelma ja valitse sitten Yritä uudelleen. Lopeta valitsemalla Peruuta; voit poistaa asennuksen myöhemmin uudelleen."

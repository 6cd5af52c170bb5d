; The installer's own texts in Japanese: the save-to-disk utility's and the
; uninstaller's shortcuts in the Start-menu group, and the two messages.
; UTF-8; languages.nsh includes it.
LangString SAVE_TO_DISK_SHORTCUT 1041 "ハイバネーション ユーティリティ"
LangString UNINSTALL_SHORTCUT 1041 "Merovant Notebook Utilities のアンインストール"
LangString STILL_RUNNING 1041 "Merovant Notebook Utilities のプログラムがまだ実行中です。ハイバネーション ユーティリティは、ファイルの作成中または削除中には終了されません。$\r$\n$\r$\nプログラムを終了してから [再試行] をクリックしてください。中止するには [キャンセル] をクリックしてください。ファイルは変更されていません。"
LangString FILE_IN_USE 1041 "プログラムが使用中のため、ファイルを削除できません。そのプログラムを終了してから [再試行] をクリックしてください。中止するには [キャンセル] をクリックしてください。アンインストールは後でもう一度実行できます。"

; The installer's texts, in English and Russian (after the languages are inserted).

LangString SecProgramName ${LANG_ENGLISH} "Ormind"
LangString SecProgramName ${LANG_RUSSIAN} "Ormind"
LangString SecProgramText ${LANG_ENGLISH} "The program, its command-line tools ormind-day and ormind-report, a Start-menu entry, and a sample event list in your data folder if you have none."
LangString SecProgramText ${LANG_RUSSIAN} "Программа, утилиты командной строки ormind-day и ormind-report, ярлык в меню «Пуск» и пример списка событий в папке ваших данных, если его там ещё нет."
LangString SecStartupName ${LANG_ENGLISH} "Start with Windows"
LangString SecStartupName ${LANG_RUSSIAN} "Запускать вместе с Windows"
LangString SecStartupText ${LANG_ENGLISH} "Starts Ormind when you log on, so that it can remind you from the notification area."
LangString SecStartupText ${LANG_RUSSIAN} "Ormind запускается при входе в систему и напоминает о событиях из области уведомлений."
LangString StillRunning ${LANG_ENGLISH} "Ormind is running. Close it (Close in the menu of its icon in the notification area), then press Retry."
LangString StillRunning ${LANG_RUSSIAN} "Ormind запущен. Закройте его (пункт «Закрыть» в меню его значка в области уведомлений) и нажмите «Повторить»."
LangString ReportFileType ${LANG_ENGLISH} "Ormind report"
LangString ReportFileType ${LANG_RUSSIAN} "Отчёт Ormind"

#pragma once
// TDayNotifier: tells the user of today from the tray icon. At start, and whenever the date
// changes while the program runs, it names today's birthdays in the icon's tooltip and, on a
// day with birthdays, events or name-days, shows a notification with the day's entries as the
// day view writes them: once per day per run, unless the settings turn it off (Notify=0).
// The main window is left alone: it keeps showing the day it showed.
#include <windows.h>

#include <memory>

#include "base/environment.h"
#include "core/interface_texts.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "ui/tray/date_watch.h"
#include "ui/tray/rules/date_change.h"
#include "ui/tray/tray_icon.h"

namespace ormind {

class TDayNotifier {
 public:
  // `module` holds the program's icon (MAINICON), shown in the notification where the shell
  // takes a large icon of its own.
  TDayNotifier(TTrayIcon& tray, const Settings& settings, const Clock& clock,
               const FileSystem& files, HINSTANCE module);
  TDayNotifier(const TDayNotifier&) = delete;
  TDayNotifier& operator=(const TDayNotifier&) = delete;

  // Looks at today now and from then on whenever the date may have changed.
  void Start();

 private:
  void DateMayHaveChanged();

  TTrayIcon& tray_;
  Settings settings_;
  InterfaceTexts texts_;
  const Clock& clock_;
  const FileSystem& files_;
  IconHandle largeIcon_;
  DayAnnouncements days_;
  std::unique_ptr<TDateWatch> watch_;
};

}  // namespace ormind

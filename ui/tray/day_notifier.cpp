#include "ui/tray/day_notifier.h"

#include "core/day_notification.h"
#include "core/day_view.h"

namespace ormind {
namespace {

// The program's icon at the system's large-icon size, as the shell's notification shows it.
IconHandle LoadLargeIcon(HINSTANCE module) {
  return IconHandle(static_cast<HICON>(LoadImageW(module, L"MAINICON", IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON),
                                                  GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)));
}

// Only the day itself is told: the following days need not be read.
Settings ForTodayOnly(Settings settings) {
  settings.DaysBefore = 0;
  return settings;
}

}  // namespace

TDayNotifier::TDayNotifier(TTrayIcon& tray, const Settings& settings, const Clock& clock,
                           const FileSystem& files, HINSTANCE module)
    : tray_(tray),
      settings_(ForTodayOnly(settings)),
      texts_(settings.Lang),
      clock_(clock),
      files_(files),
      largeIcon_(LoadLargeIcon(module)) {}

void TDayNotifier::Start() {
  if (!watch_) watch_ = std::make_unique<TDateWatch>([this] { DateMayHaveChanged(); });
  DateMayHaveChanged();
}

void TDayNotifier::DateMayHaveChanged() {
  const Day today = clock_.Today();
  if (!days_.DateChanged(today)) return;
  // A list that is missing or unreadable is reported by the day view; here it says nothing
  // and is tried again at the next look (at the latest within the hour).
  const DayViewReading reading = ReadDayView(today, today, settings_, texts_, files_);
  if (reading.status != DayViewStatus::Read) {
    days_.LookAgain();
    return tray_.SetHint(std::string());
  }
  tray_.SetHint(DayTooltip(reading.text.shown, texts_));
  if (!settings_.Notify || days_.Announced(today)) return;
  if (const auto notification = ComposeDayNotification(reading.text, texts_)) {
    tray_.ShowBalloon(notification->title, notification->text, largeIcon_.Get());
    days_.MarkAnnounced(today);
  }
}

}  // namespace ormind

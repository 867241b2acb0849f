#pragma once
// How a notification from the tray icon is asked of the shell: which version of the notify
// record the shell reads, and the notification's icon and sound, by the shell's version.
#include <cstdint>

namespace ormind {

// shell32's own version (DllGetVersion): 5.0 came with Windows 2000, 6.0 with XP (its second
// service pack is build 2900), 6.0.6000 with Vista, 6.1 with Windows 7.
struct ShellVersion {
  int major = 0, minor = 0, build = 0;
};

// The notify record versions: the size each shell reads.
enum class NotifyRecordVersion {
  First,    // icon, message, 64-unit tooltip; no notifications
  Second,   // Windows 2000: notification texts, timeout, info flags
  Third,    // XP: the record's GUID
  Current,  // Vista on: the notification's own icon
};

// The shell's flags of a notification (NIIF_*), without windows.h.
inline constexpr std::uint32_t kBalloonInfoIcon = 0x01;   // the system's information sign
inline constexpr std::uint32_t kBalloonUserIcon = 0x04;   // the program's own icon
inline constexpr std::uint32_t kBalloonNoSound = 0x10;
inline constexpr std::uint32_t kBalloonLargeIcon = 0x20;  // the own icon at the large size

struct BalloonStyle {
  bool shown = false;  // false: the shell shows no notifications
  NotifyRecordVersion record = NotifyRecordVersion::First;
  std::uint32_t flags = 0;
  bool usesLargeIcon = false;  // the record carries the large icon of its own
};

// The program's icon where the shell takes one (XP's second service pack on: the tray icon
// itself; Vista on: a large icon of its own, when the program has one), else the information
// sign; no sound where the shell allows it (XP on).
BalloonStyle ChooseBalloonStyle(ShellVersion shell, bool haveLargeIcon);

}  // namespace ormind

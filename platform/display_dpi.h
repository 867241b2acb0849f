#pragma once
// The screen's DPI as the system tells it to this program. The per-monitor functions appeared
// in later versions of Windows, so each is looked up when it is first needed: on a system
// without them every window has the system's DPI (Windows 7 and 8), or 96 where even that
// cannot be read.
#include <windows.h>

namespace ormind {

// Makes the process aware of each monitor's DPI (version 2, which also scales the message
// boxes and dialogs), or of the system's DPI where that is all the system offers. The manifest
// asks for the same; this covers a start where it was not read.
void DeclareDpiAwareness();

// The DPI the system draws at for a window that is not aware of monitors.
UINT SystemDpi();
// The DPI of `monitor`, or the system's when monitors cannot have their own.
UINT MonitorDpi(HMONITOR monitor);
// The DPI `window` is drawn at now.
UINT WindowDpi(HWND window);

}  // namespace ormind

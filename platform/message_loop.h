#pragma once
// The thread's message loop and its steps. Every step lets the dialog manager see the keys of
// the active window when that window asks for it (TWindow::WantsDialogKeys): Tab and
// Shift+Tab move between its controls, Enter and Esc reach it as IDOK and IDCANCEL.
#include <windows.h>

namespace ormind {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Waits for one message and handles it. False when it was a quit request, which is put back
// so that the main loop still sees it.
bool HandleOneMessage();

// Lets the messages waiting in the queue run, then returns (a quit request is put back).
void ProcessPendingMessages();

// Shows `window` modally: `owner` is disabled, messages run until `window` is hidden or
// destroyed (or the program is asked to quit), then `owner` is enabled and activated again.
// Returns false when a quit request ended it.
bool RunModal(HWND window, HWND owner);

}  // namespace ormind

// A small Win32 program that drives and inspects Ormind from inside the same wine session,
// for the end-to-end tests. One command per run; results go to standard output as UTF-8.
//
//   driver start APPDATA PROGRAM         start PROGRAM with APPDATA set; prints its process id
//   driver wait CLASS [MS]               wait until a visible top-level window of CLASS exists
//   driver gone CLASS [MS]               wait until no visible window of CLASS is left
//   driver rect CLASS                    window rectangle: left top right bottom
//   driver text CLASS [CHILDCLASS]       the text of the window (or of its first child of CHILDCLASS)
//   driver post-close CLASS              posts WM_CLOSE to every top-level window of CLASS
//   driver exited PID [MS]               waits until the process with this Windows id has ended
//   driver kill PID                      ends the process with this Windows process id
//   driver style CLASS [CHILDCLASS]      the window's style (or its child's), in hexadecimal
//   driver message [MS]                  wait for a message box titled "Ormind!"; prints its text
//   driver dismiss                       presses OK in the message box titled "Ormind!"
//   driver titles TEXT                   titles of visible top-level windows containing TEXT
//   driver close-title TEXT              closes the visible top-level windows whose title has TEXT
//   driver startup CLASS APPDATA|- PROGRAM [ARGUMENT]
//                                        milliseconds from starting PROGRAM to its first painted
//                                        visible window of CLASS (its child windows painted too)
//   driver bare                          a bare window (class BareWindow), for comparing start-up
//   driver post CLASS CHILD|- MESSAGE WPARAM LPARAM [TIMES]
//                                        posts to the first window of CLASS (or its child of
//                                        CHILD), TIMES times (1); a MESSAGE that is not a
//                                        number is registered
//   driver state CLASS                   "visible iconic" of the first window of CLASS (0 or 1
//                                        each), and how many windows of CLASS are visible
//   driver panel CLASS N                 the text of panel N of the window's status bar
//   driver button CLASS ID               a toolbar button's state: "enabled"/"disabled", then
//                                        " checked" when it is pressed
//   driver press CLASS ID                clicks toolbar button ID of the window (the toolbar's command)
//   driver resize CLASS W H              restores the window and gives it the outer size W x H
//   driver childrect CLASS CHILDCLASS    the first descendant of CHILDCLASS: left top right bottom
//   driver zoomed CLASS                  "yes" when the window is maximised, else "no"
//   driver balloon [MS]                  waits for a visible notification balloon of the tray;
//                                        prints its text (wine's tooltips do not tell their title)
//   driver tooltip [MS]                  waits for a visible plain tooltip; prints its text
//   driver broadcast MESSAGE WPARAM LPARAM
//                                        sends MESSAGE to every top-level window, as the system
//                                        does when the clock is set (WM_TIMECHANGE)
//   driver shape CLASS                   how the window is cut out: its region ("complex N",
//                                        N rectangles; "simple", "empty" or "none"), then
//                                        "layered" when it has WS_EX_LAYERED
//   driver owner CLASS                   the window's owner: its class name, or "none"
//   driver above CLASS OTHER             "yes" when the window of CLASS lies above that of OTHER
//   driver activate CLASS                activates the first window of CLASS (as the taskbar does)
//   driver active                        the class name of the foreground window
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, s.data(), n, nullptr, nullptr);
  std::fwrite(s.data(), 1, s.size(), stdout);
  std::fputc('\n', stdout);
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), length + 1));
  return text;
}

std::wstring ControlTextOf(HWND control) {
  wchar_t text[4096] = L"";
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return std::wstring(text, copied);
}

HWND VisibleWindowOfClass(const std::wstring& className) {
  for (HWND w = FindWindowExW(nullptr, nullptr, className.c_str(), nullptr); w;
       w = FindWindowExW(nullptr, w, className.c_str(), nullptr)) {
    if (IsWindowVisible(w)) return w;
  }
  return nullptr;
}

template <typename Condition>
bool WaitFor(Condition condition, int milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  do {
    if (condition()) return true;
    Sleep(20);
  } while (GetTickCount64() < end);
  return condition();
}

HWND MessageBoxWindow() {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
    if (IsWindowVisible(w) && TextOf(w) == L"Ormind!") return w;
  }
  return nullptr;
}

std::wstring MessageText(HWND box) {
  std::wstring longest;
  for (HWND c = FindWindowExW(box, nullptr, L"Static", nullptr); c;
       c = FindWindowExW(box, c, L"Static", nullptr)) {
    const std::wstring t = TextOf(c);
    if (t.size() > longest.size()) longest = t;
  }
  return longest;
}

std::vector<HWND> TitledWindows(const std::wstring& part) {
  std::vector<HWND> found;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (IsWindowVisible(w) && TextOf(w).find(part) != std::wstring::npos) found.push_back(w);
  }
  return found;
}

bool Start(const std::wstring& program, const std::wstring* appData, PROCESS_INFORMATION& process,
           const std::wstring& argument = L"") {
  if (appData) SetEnvironmentVariableW(L"APPDATA", appData->c_str());
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!argument.empty()) commandLine += L" " + argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process) != FALSE;
}

LRESULT CALLBACK BareProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EndPaint(w, &ps);
    return 0;
  }
  if (m == WM_CLOSE) PostQuitMessage(0);
  return DefWindowProcW(w, m, wp, lp);
}

int Bare() {
  WNDCLASSW c{};
  c.lpfnWndProc = BareProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.lpszClassName = L"BareWindow";
  RegisterClassW(&c);
  HWND w = CreateWindowExW(0, L"BareWindow", L"Bare", WS_POPUP | WS_VISIBLE, 100, 100, 600, 383,
                           nullptr, nullptr, c.hInstance, nullptr);
  if (!w) return 1;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}

// Enumeration callbacks are plain functions: the 32-bit calling convention rules out lambdas.
BOOL CALLBACK NoteChildWaitingForPaint(HWND c, LPARAM data) {
  if (!IsWindowVisible(c) || !GetUpdateRect(c, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(data) = true;
  return FALSE;
}

// Whether a child window (the preview's page, say) still has something to paint.
bool ChildWaitsForPaint(HWND parent) {
  bool waiting = false;
  EnumChildWindows(parent, NoteChildWaitingForPaint, reinterpret_cast<LPARAM>(&waiting));
  return waiting;
}

int Startup(const std::wstring& program, const std::wstring& argument, const std::wstring& className,
            const std::wstring* appData) {
  LARGE_INTEGER frequency, begin, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  PROCESS_INFORMATION process{};
  if (!Start(program, appData, process, argument)) return 2;
  // Painted: visible, with nothing left to paint.
  const bool painted = WaitFor(
      [&] {
        HWND w = VisibleWindowOfClass(className);
        return w && !GetUpdateRect(w, nullptr, FALSE) && !ChildWaitsForPaint(w);
      },
      30000);
  QueryPerformanceCounter(&now);
  if (!painted) return 1;
  std::printf("%.0f\n", (now.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

struct DescendantSearch {
  std::wstring name;
  HWND found = nullptr;
};

BOOL CALLBACK NoteDescendantOfClass(HWND c, LPARAM data) {
  auto& s = *reinterpret_cast<DescendantSearch*>(data);
  wchar_t name[128] = {};
  GetClassNameW(c, name, 128);
  if (s.name != name) return TRUE;
  s.found = c;
  return FALSE;
}

HWND FindDescendant(HWND parent, const std::wstring& className) {
  DescendantSearch search{className};
  EnumChildWindows(parent, NoteDescendantOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Messages that fill a buffer need one in the window's own process.
std::wstring StatusPanelText(HWND bar, int panel) {
  DWORD processId = 0;
  GetWindowThreadProcessId(bar, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return L"";
  constexpr SIZE_T kBytes = 1024 * sizeof(wchar_t);
  void* remote = VirtualAllocEx(process, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE);
  std::wstring text(1024, L'\0');
  if (remote) {
    const LRESULT answer = SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(remote));
    SIZE_T read = 0;
    ReadProcessMemory(process, remote, text.data(), kBytes, &read);
    text.resize(std::min<size_t>(LOWORD(answer), 1023));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  // Alignment tabs are not part of what is shown.
  text.erase(0, text.find_first_not_of(L'\t') == std::wstring::npos ? text.size()
                                                                     : text.find_first_not_of(L'\t'));
  return text;
}

// A visible tooltip: a balloon is what the tray shows a notification in.
HWND VisibleTooltip(bool balloon) {
  for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
       w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
    const bool isBalloon = (GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON) != 0;
    if (IsWindowVisible(w) && isBalloon == balloon) return w;
  }
  return nullptr;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = L"";
  if (window) GetClassNameW(window, name, 128);
  return name;
}

std::wstring ShapeOf(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  std::wstring shape;
  switch (GetWindowRgn(window, region)) {
    case COMPLEXREGION: {
      std::vector<BYTE> data(GetRegionData(region, 0, nullptr));
      GetRegionData(region, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
      shape = L"complex " + std::to_wstring(reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount);
      break;
    }
    case SIMPLEREGION: shape = L"simple"; break;
    case NULLREGION: shape = L"empty"; break;
    default: shape = L"none";
  }
  DeleteObject(region);
  if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) shape += L" layered";
  return shape;
}

bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

// Window rectangles and pixels as the screen has them, at any display scale: a driver unaware
// of the DPI would be given them scaled down to 96 DPI.
void BeAwareOfDpi() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (set) set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));  // per monitor, version 2
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  BeAwareOfDpi();
  const std::wstring command = argv[1];
  auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };
  auto number = [&](int i, int fallback) { return i < argc ? _wtoi(argv[i]) : fallback; };

  if (command == L"bare") return Bare();
  if (command == L"start" && argc >= 4) {
    const std::wstring appData = arg(2);
    PROCESS_INFORMATION process{};
    if (!Start(arg(3), &appData, process)) return 1;
    std::printf("%lu\n", process.dwProcessId);
    return 0;
  }
  if (command == L"startup" && argc >= 5) {
    const std::wstring appData = arg(3);
    return Startup(arg(4), arg(5), arg(2), appData == L"-" ? nullptr : &appData);
  }
  if (command == L"wait" && argc >= 3) {
    return WaitFor([&] { return VisibleWindowOfClass(arg(2)) != nullptr; }, number(3, 10000)) ? 0 : 1;
  }
  if (command == L"gone" && argc >= 3) {
    return WaitFor([&] { return VisibleWindowOfClass(arg(2)) == nullptr; }, number(3, 10000)) ? 0 : 1;
  }
  if (command == L"rect" && argc >= 3) {
    HWND w = VisibleWindowOfClass(arg(2));
    RECT r;
    if (!w || !GetWindowRect(w, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"text" && argc >= 3) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (w && argc >= 4) w = FindWindowExW(w, nullptr, argv[3], nullptr);
    if (!w) return 1;
    // A control's text (an edit's) lives in its process: ask the control itself.
    Print(argc >= 4 ? ControlTextOf(w) : TextOf(w));
    return 0;
  }
  if (command == L"post-close" && argc >= 3) {
    for (HWND w = FindWindowExW(nullptr, nullptr, argv[2], nullptr); w;
         w = FindWindowExW(nullptr, w, argv[2], nullptr)) {
      PostMessageW(w, WM_CLOSE, 0, 0);
    }
    return 0;
  }
  if (command == L"exited" && argc >= 3) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(_wtoi(argv[2])));
    if (!process) return 0;  // already gone
    const DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(number(3, 10000)));
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
  }
  if (command == L"kill" && argc >= 3) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(_wtoi(argv[2])));
    if (!process) return 1;
    const BOOL ended = TerminateProcess(process, 1);
    CloseHandle(process);
    return ended ? 0 : 1;
  }
  if (command == L"style" && argc >= 3) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (w && argc >= 4) w = FindWindowExW(w, nullptr, argv[3], nullptr);
    if (!w) return 1;
    std::printf("%08lx\n", static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)));
    return 0;
  }
  if (command == L"message") {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = MessageBoxWindow()) != nullptr; }, number(2, 10000))) return 1;
    Print(MessageText(box));
    return 0;
  }
  if (command == L"dismiss") {
    HWND box = MessageBoxWindow();
    if (!box) return 1;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor([] { return MessageBoxWindow() == nullptr; }, 5000) ? 0 : 1;
  }
  if (command == L"post" && argc >= 7) {
    HWND w = FindWindowExW(nullptr, nullptr, argv[2], nullptr);
    if (w && arg(3) != L"-") w = FindWindowExW(w, nullptr, argv[3], nullptr);
    const UINT message = iswdigit(argv[4][0]) ? static_cast<UINT>(wcstoul(argv[4], nullptr, 0))
                                              : RegisterWindowMessageW(argv[4]);
    const WPARAM wParam = static_cast<WPARAM>(wcstoll(argv[5], nullptr, 0));
    const LPARAM lParam = static_cast<LPARAM>(wcstoll(argv[6], nullptr, 0));
    const unsigned long times = argc >= 8 ? wcstoul(argv[7], nullptr, 10) : 1;
    if (!w) return 1;
    for (unsigned long i = 0; i < times; ++i)
      if (!PostMessageW(w, message, wParam, lParam)) return 1;
    return 0;
  }
  if (command == L"state" && argc >= 3) {
    HWND first = FindWindowExW(nullptr, nullptr, argv[2], nullptr);
    if (!first) return 1;
    int visible = 0;
    for (HWND w = first; w; w = FindWindowExW(nullptr, w, argv[2], nullptr))
      visible += IsWindowVisible(w) ? 1 : 0;
    std::printf("%d %d %d\n", IsWindowVisible(first) ? 1 : 0, IsIconic(first) ? 1 : 0, visible);
    return 0;
  }
  if (command == L"titles" && argc >= 3) {
    for (HWND w : TitledWindows(arg(2))) Print(TextOf(w));
    return 0;
  }
  if (command == L"close-title" && argc >= 3) {
    for (HWND w : TitledWindows(arg(2))) PostMessageW(w, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"panel" && argc >= 4) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (w) w = FindWindowExW(w, nullptr, STATUSCLASSNAMEW, nullptr);
    if (!w) return 1;
    Print(StatusPanelText(w, number(3, 0)));
    return 0;
  }
  if (command == L"button" && argc >= 4) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (w) w = FindWindowExW(w, nullptr, TOOLBARCLASSNAMEW, nullptr);
    if (!w) return 1;
    const LRESULT state = SendMessageW(w, TB_GETSTATE, number(3, 0), 0);
    if (state < 0) return 1;
    Print(std::wstring((state & TBSTATE_ENABLED) ? L"enabled" : L"disabled") +
          ((state & TBSTATE_CHECKED) ? L" checked" : L""));
    return 0;
  }
  if (command == L"press" && argc >= 4) {
    HWND w = VisibleWindowOfClass(arg(2));
    HWND bar = w ? FindWindowExW(w, nullptr, TOOLBARCLASSNAMEW, nullptr) : nullptr;
    if (!bar) return 1;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(number(3, 0), BN_CLICKED), reinterpret_cast<LPARAM>(bar));
    return 0;
  }
  if (command == L"resize" && argc >= 5) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (!w) return 1;
    ShowWindow(w, SW_RESTORE);
    return SetWindowPos(w, nullptr, 0, 0, number(3, 0), number(4, 0), SWP_NOMOVE | SWP_NOZORDER) ? 0 : 1;
  }
  if (command == L"childrect" && argc >= 4) {
    HWND w = VisibleWindowOfClass(arg(2));
    HWND child = w ? FindDescendant(w, arg(3)) : nullptr;
    RECT r;
    if (!child || !GetWindowRect(child, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"zoomed" && argc >= 3) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (!w) return 1;
    Print(IsZoomed(w) ? L"yes" : L"no");
    return 0;
  }
  if (command == L"balloon" || command == L"tooltip") {
    const bool balloon = command == L"balloon";
    HWND tip = nullptr;
    if (!WaitFor([&] { return (tip = VisibleTooltip(balloon)) != nullptr; }, number(2, 10000))) return 1;
    Print(ControlTextOf(tip));
    return 0;
  }
  if (command == L"broadcast" && argc >= 5) {
    const UINT message = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, static_cast<WPARAM>(wcstoll(argv[3], nullptr, 0)),
                        static_cast<LPARAM>(wcstoll(argv[4], nullptr, 0)), SMTO_ABORTIFHUNG, 5000,
                        &answer);
    return 0;
  }
  if (command == L"shape" && argc >= 3) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (!w) return 1;
    Print(ShapeOf(w));
    return 0;
  }
  if (command == L"owner" && argc >= 3) {
    HWND w = VisibleWindowOfClass(arg(2));
    if (!w) return 1;
    HWND owner = GetWindow(w, GW_OWNER);
    Print(owner ? ClassOf(owner) : L"none");
    return 0;
  }
  if (command == L"above" && argc >= 4) {
    HWND upper = VisibleWindowOfClass(arg(2)), lower = VisibleWindowOfClass(arg(3));
    if (!upper || !lower) return 1;
    Print(Above(upper, lower) ? L"yes" : L"no");
    return 0;
  }
  if (command == L"activate" && argc >= 3) {
    HWND w = FindWindowExW(nullptr, nullptr, argv[2], nullptr);
    return w && SetForegroundWindow(w) ? 0 : 1;
  }
  if (command == L"active") {
    Print(ClassOf(GetForegroundWindow()));
    return 0;
  }
  return 2;
}

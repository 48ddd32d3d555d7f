// Test-only helper for the end-to-end tests: finds top-level windows inside the Wine desktop,
// reports their state and sends them messages. Prints one line of results; exit 0 on success.
// "probe serve" answers one request a line on its standard input, so that a test's many looks
// cost a line each, not the start of a Wine process each.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "probe_windows.h"

using namespace probe;

namespace {

int Usage() {
  std::fputs(
      "probe window CLASS [TIMEOUT_MS]      wait for a top-level window, print its state\n"
      "probe gone CLASS TIMEOUT_MS          wait until no such window exists\n"
      "probe close CLASS                    post WM_CLOSE\n"
      "probe command CLASS ID               post WM_COMMAND ID\n"
      "probe message CLASS MSG WPARAM LPARAM post any message\n"
      "probe dialog TITLE TIMEOUT_MS [BUTTON] print a message box's text, then press BUTTON "
      "(1=OK)\n"
      "probe tooltip PREFIX TIMEOUT_MS       print the text of a shown tooltip starting with "
      "PREFIX\n"
      "probe focus CLASS                    the control that has the keyboard focus in CLASS's "
      "thread\n"
      "probe foreground -                   the foreground window\n"
      "probe xfocus -                       the X window of the foreground window\n"
      "probe above CLASS OTHER              exit 0 when CLASS is above OTHER in the z-order\n"
      "probe taskbar -                      the taskbar's visible buttons\n"
      "probe cover X Y W H MS               a window of another program in front, for MS ms\n"
      "probe busytray MS                    a notification area that refuses icons, for MS ms\n"
      "probe child-at X Y                   the window at a screen point\n"
      "probe alive HWND                     exit 0 while the window exists\n"
      "probe dpichanged CLASS DPI           send WM_DPICHANGED with the window's own rectangle\n"
      "probe menus -                        the pop-up menus shown, and those whose loop runs\n"
      "probe unhook-all -                   remove every hook of the desktop behind its owner's "
      "back\n"
      "probe child TITLE ID                  print the screen rectangle, state and text of control "
      "ID of the window titled TITLE\n"
      "probe record FILE ARG...              append each ARG as a line to FILE (a stand-in for a "
      "program the shell starts)\n"
      "probe hold FILE MS                    keep FILE open, shared with nobody, for MS "
      "milliseconds\n"
      "probe send CLASS NAME                send the registered message NAME to the window and "
      "wait until it was handled\n"
      "probe titled CLASS TITLE TIMEOUT_MS  wait for a visible top-level window, print its state\n"
      "probe count CLASS TITLE              print how many visible top-level windows match (class "
      "- "
      "for any)\n"
      "probe control TITLE ID               print a dialog's control (any depth) by id\n"
      "probe owner TITLE TIMEOUT_MS         wait for a message box titled TITLE, print its owner\n"
      "probe activate CLASS                 make a top-level window the foreground one, as Alt+Tab "
      "does\n"
      "probe move CLASS X Y                 move a top-level window's top left corner to X Y\n"
      "probe texts TITLE                    print every control's rectangle and text extent\n"
      "probe settext TITLE ID TEXT          set the text of a dialog's control (any depth)\n"
      "probe shown CLASS TIMEOUT_MS         wait for a visible top-level window, print its state\n"
      "probe place CLASS X Y W H            move and size a top-level window\n"
      "probe call CLASS MSG WPARAM LPARAM   send a message and wait until the window has handled "
      "it\n"
      "probe sync CLASS TIMEOUT_MS          wait for the window, then until its thread has handled "
      "a message (its start-up is over)\n"
      "probe workarea -                     print the desktop's work area\n"
      "probe moving CLASS TIMEOUT_MS        wait until the window's thread is in a move or size "
      "loop\n"
      "probe regquery KEY -                 print a registry key's values, NAME TAB TYPE TAB DATA\n"
      "probe regset KEY NAME DATA           write a string value\n"
      "probe regdelete KEY -                delete a key and everything under it\n"
      "probe serve -                        answer requests from standard input, one a line: the\n"
      "                                     arguments in UTF-8, separated by tabs; each answer\n"
      "                                     ends in a line of the record separator (0x1E) and the\n"
      "                                     exit code\n",
      stderr);
  return 2;
}

// A registry key named as reg.exe names it ("HKCU\\Software\\..."): its root and the rest.
bool SplitKey(const std::wstring& key, HKEY& root, std::wstring& path) {
  const size_t slash = key.find(L'\\');
  const std::wstring head = key.substr(0, slash);
  path = slash == std::wstring::npos ? L"" : key.substr(slash + 1);
  if (head == L"HKCU" || head == L"HKEY_CURRENT_USER") {
    root = HKEY_CURRENT_USER;
  } else if (head == L"HKLM" || head == L"HKEY_LOCAL_MACHINE") {
    root = HKEY_LOCAL_MACHINE;
  } else {
    return false;
  }
  return true;
}

// The values of a key, a line each: its name, its type and its data (a number in hexadecimal as
// reg.exe shows it, text as it is). Exit code 3 when the key does not exist.
int RegQuery(const std::wstring& name) {
  HKEY root;
  std::wstring path;
  if (!SplitKey(name, root, path)) return 2;
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 3;
  for (DWORD i = 0;; ++i) {
    wchar_t value[16384];
    DWORD valueLength = 16384, type = 0, size = 0;
    if (RegEnumValueW(key, i, value, &valueLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    valueLength = 16384;
    if (RegEnumValueW(key, i, value, &valueLength, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      continue;
    std::string shown;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      shown = Utf8(reinterpret_cast<const wchar_t*>(data.data()));
      std::printf("%s\tREG_%s\t%s\n", Utf8(value).c_str(), type == REG_SZ ? "SZ" : "EXPAND_SZ",
                  shown.c_str());
    } else if (type == REG_DWORD) {
      DWORD number = 0;
      memcpy(&number, data.data(), sizeof number);
      std::printf("%s\tREG_DWORD\t0x%lx\n", Utf8(value).c_str(), number);
    } else {
      std::printf("%s\tREG_BINARY\t", Utf8(value).c_str());
      for (DWORD b = 0; b < size; ++b) std::printf("%02X", data[b]);
      std::printf("\n");
    }
  }
  RegCloseKey(key);
  return 0;
}

int RegSet(const std::wstring& name, const std::wstring& value, const std::wstring& text) {
  HKEY root;
  std::wstring path;
  if (!SplitKey(name, root, path)) return 2;
  HKEY key;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return 1;
  const LONG r =
      RegSetValueExW(key, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return r == ERROR_SUCCESS ? 0 : 1;
}

int RegDelete(const std::wstring& name) {
  HKEY root;
  std::wstring path;
  if (!SplitKey(name, root, path) || path.empty()) return 2;
  const LONG r = RegDeleteTreeW(root, path.c_str());
  if (r == ERROR_FILE_NOT_FOUND) return 0;
  return r == ERROR_SUCCESS && RegDeleteKeyW(root, path.c_str()) == ERROR_SUCCESS ? 0 : 1;
}

int RunVerb(int argc, wchar_t** argv);

// One request a line, until standard input ends. Nothing of a request's state outlives it.
int Serve() {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  std::string pending;
  for (;;) {
    size_t end;
    while ((end = pending.find('\n')) == std::string::npos) {
      char chunk[4096];
      DWORD got = 0;
      if (!ReadFile(in, chunk, sizeof chunk, &got, nullptr) || got == 0) return 0;
      pending.append(chunk, got);
    }
    std::string line = pending.substr(0, end);
    pending.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::wstring> words{L"probe"};
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      words.push_back(Widen16(line.substr(start, tab - start)));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    std::vector<wchar_t*> args;
    for (auto& w : words) args.push_back(w.data());
    args.push_back(nullptr);
    const int rc = RunVerb(static_cast<int>(words.size()), args.data());
    std::printf("\x1e%d\n", rc);
    std::fflush(stdout);
  }
}

int RunVerb(int argc, wchar_t** argv) {
  if (argc < 3) return Usage();
  const std::wstring verb = argv[1];
  const wchar_t* cls = argv[2];
  if (verb == L"window") {
    HWND h = FindTop(cls, nullptr, argc > 3 ? _wtoi(argv[3]) : 0);
    if (!h) return 1;
    PrintWindow(h);
    return 0;
  }
  if (verb == L"shown" && argc > 3) {
    const DWORD start = GetTickCount();
    for (;;) {
      Found f{cls, nullptr};
      EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&f));
      if (f.hwnd) {
        PrintWindow(f.hwnd);
        return 0;
      }
      if (GetTickCount() - start >= static_cast<DWORD>(_wtoi(argv[3]))) return 1;
      Sleep(50);
    }
  }
  if (verb == L"place" && argc > 6) {
    HWND h = FindTop(cls, nullptr, 2000);
    return h && SetWindowPos(h, nullptr, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]),
                             _wtoi(argv[6]), SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (verb == L"gone" && argc > 3) {
    const DWORD start = GetTickCount();
    while (FindTop(cls, nullptr, 0)) {
      if (GetTickCount() - start >= static_cast<DWORD>(_wtoi(argv[3]))) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (verb == L"close" || verb == L"command" || verb == L"message") {
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    if (verb == L"close") return PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == L"command" && argc > 3)
      return PostMessageW(h, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0) ? 0 : 1;
    if (verb == L"message" && argc > 5)
      return PostMessageW(h, static_cast<UINT>(_wtoi(argv[3])),
                          static_cast<WPARAM>(_wtoi64(argv[4])),
                          static_cast<LPARAM>(_wtoi64(argv[5])))
                 ? 0
                 : 1;
    return Usage();
  }
  if (verb == L"dialog" && argc > 3) {
    // After a press, the answer comes once the box has gone: a box that is closing is still
    // shown with its title a moment, but no longer with its text, and the next look for a box
    // would find it.
    HWND box = FindTop(L"#32770", cls, static_cast<DWORD>(_wtoi(argv[3])));
    if (!box) return 1;
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 4096);  // a message box's text control
    std::printf("%s\n", Utf8(text).c_str());
    std::fflush(stdout);
    if (argc > 4) {
      const int button = _wtoi(argv[4]);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
      const DWORD pressed = GetTickCount();
      while (IsWindow(box)) {
        if (GetTickCount() - pressed >= 30000) return 1;
        Sleep(10);
      }
    }
    return 0;
  }
  if (verb == L"titled" && argc > 4) {
    HWND h = FindTop(cls, argv[3], static_cast<DWORD>(_wtoi(argv[4])));
    if (!h) return 1;
    PrintWindow(h);
    return 0;
  }
  if (verb == L"count" && argc > 3) {
    CountSearch search{cls, argv[3]};
    EnumWindows(CountMatches, reinterpret_cast<LPARAM>(&search));
    std::printf("%d\n", search.count);
    return 0;
  }
  if (verb == L"control" && argc > 3) {
    HWND top = FindTop(L"#32770", cls, 2000);
    if (!top) return 1;
    return PrintControl(top, _wtoi(argv[3]));
  }
  if (verb == L"owner" && argc > 3) {
    HWND box = FindTop(L"#32770", cls, static_cast<DWORD>(_wtoi(argv[3])));
    if (!box) return 1;
    HWND owner = GetWindow(box, GW_OWNER);
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 4096);
    std::printf("owner=%lld owner_class=%s owner_enabled=%d box_foreground=%d owner_title=%s\n",
                static_cast<long long>(reinterpret_cast<INT_PTR>(owner)),
                owner ? ClassOf(owner).c_str() : "", owner && IsWindowEnabled(owner) ? 1 : 0,
                GetForegroundWindow() == box ? 1 : 0, owner ? TextOf(owner).c_str() : "");
    std::printf("text=%s\n", Utf8(text).c_str());
    return 0;
  }
  if (verb == L"activate") {
    HWND h = FindTop(cls, nullptr, 2000);
    return h && SetForegroundWindow(h) ? 0 : 1;
  }
  if (verb == L"move" && argc > 4) {
    HWND h = FindTop(cls, nullptr, 2000);
    return h && SetWindowPos(h, nullptr, _wtoi(argv[3]), _wtoi(argv[4]), 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (verb == L"settext" && argc > 4) {
    // Types into a dialog's control (any depth) as a user would, with one message.
    HWND top = FindTop(L"#32770", cls, 2000);
    ChildSearch search{_wtoi(argv[3])};
    if (top) EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    return SendMessageW(search.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
  }
  if (verb == L"tooltip" && argc > 3) {
    const DWORD start = GetTickCount();
    for (;;) {
      TipSearch search{cls, {}};
      EnumWindows(FindTip, reinterpret_cast<LPARAM>(&search));
      if (!search.found.empty()) {
        std::printf("%s\n", Utf8(search.found.c_str()).c_str());
        return 0;
      }
      if (GetTickCount() - start >= static_cast<DWORD>(_wtoi(argv[3]))) return 1;
      Sleep(100);
    }
  }
  if (verb == L"focus") {
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &gti)) return 1;
    HWND f = gti.hwndFocus;
    std::printf("focus=%lld class=%s id=%d text=%s\n",
                static_cast<long long>(reinterpret_cast<INT_PTR>(f)), f ? ClassOf(f).c_str() : "",
                f ? GetDlgCtrlID(f) : 0, f ? TextOf(f).c_str() : "");
    return 0;
  }
  if (verb == L"xfocus") {
    // The X window of the window in front (Wine keeps each top-level window's in a property):
    // X sends the keys to the X window that has its focus, and the program in front gets them
    // only through that window.
    HWND f = GetForegroundWindow();
    if (!f) return 1;
    const auto x = reinterpret_cast<UINT_PTR>(GetPropW(f, L"__wine_x11_whole_window"));
    if (!x) return 1;
    std::printf("%llu\n", static_cast<unsigned long long>(x));
    return 0;
  }
  if (verb == L"foreground") {
    HWND f = GetForegroundWindow();
    std::printf("class=%s title=%s\n", f ? ClassOf(f).c_str() : "", f ? TextOf(f).c_str() : "");
    return 0;
  }
  if (verb == L"above" && argc > 3) {
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
      if (!IsWindowVisible(h)) continue;
      const std::wstring c = Widen16(ClassOf(h));
      if (c == argv[2]) return 0;
      if (c == argv[3]) return 1;
    }
    return 2;
  }
  if (verb == L"taskbar") {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) return 1;
    ButtonList list;
    EnumChildWindows(tray, PrintTaskbarButton, reinterpret_cast<LPARAM>(&list));
    return 0;
  }
  if (verb == L"cover" && argc > 6) {
    HWND w =
        MakeWindow(L"QuilloCover", CoverProc, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, _wtoi(argv[2]),
                   _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), L"Another program");
    if (!w) return 1;
    SetForegroundWindow(w);
    Pump(static_cast<DWORD>(_wtoi(argv[6])));
    DestroyWindow(w);
    return 0;
  }
  if (verb == L"busytray") {
    // Newest in the top-most band, so the shell's own window is found after it.
    HWND w = MakeWindow(L"Shell_TrayWnd", BusyTrayProc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP,
                        0, 0, 0, 0, L"");
    if (!w) return 1;
    std::printf("busy\n");
    std::fflush(stdout);
    Pump(static_cast<DWORD>(_wtoi(argv[2])));
    DestroyWindow(w);
    return 0;
  }
  if (verb == L"child-at" && argc > 3) {
    HWND h = WindowFromPoint({_wtoi(argv[2]), _wtoi(argv[3])});
    if (!h) return 1;
    std::printf("hwnd=%lld class=%s\n", static_cast<long long>(reinterpret_cast<INT_PTR>(h)),
                ClassOf(h).c_str());
    return 0;
  }
  if (verb == L"alive") {
    return IsWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(argv[2])))) ? 0 : 1;
  }
  if (verb == L"dpichanged" && argc > 3) {
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    RECT r{};
    GetWindowRect(h, &r);
    // The message carries a pointer: the rectangle must live in the window's process.
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return 1;
    void* remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &r, sizeof r, nullptr);
    const WORD dpi = static_cast<WORD>(_wtoi(argv[3]));
    DWORD_PTR result = 0;
    const LRESULT ok =
        SendMessageTimeoutW(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                            reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000, &result);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok ? 0 : 1;
  }
  if (verb == L"menus") {
    // A menu is shown a moment before its thread's menu loop takes the mouse and the keys: a
    // click elsewhere before that goes to the window under it and leaves the menu open, keys go
    // to the window that was in front. "tracking" counts the shown menus whose thread is in menu
    // mode, has the keyboard (its window is the foreground one) and, after that, answers a
    // message, which it does from the loop.
    int shown = 0, tracking = 0;
    for (HWND h = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h;
         h = FindWindowExW(nullptr, h, L"#32768", nullptr)) {
      if (!IsWindowVisible(h)) continue;
      ++shown;
      const DWORD thread = GetWindowThreadProcessId(h, nullptr);
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      HWND front = GetForegroundWindow();
      DWORD_PTR result = 0;
      if (GetGUIThreadInfo(thread, &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) &&
          front && GetWindowThreadProcessId(front, nullptr) == thread &&
          SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result))
        ++tracking;
    }
    std::printf("menus=%d tracking=%d\n", shown, tracking);
    return 0;
  }
  if (verb == L"unhook-all") {
    // Hooks are handles of the desktop's user-handle table; any of them can be removed by
    // handle. A zero generation matches any entry of that index.
    int removed = 0;
    for (int index = 0; index < 0x7FF0; ++index)
      if (UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<INT_PTR>(0x20 + 2 * index))))
        ++removed;
    std::printf("removed=%d\n", removed);
    return 0;
  }
  if (verb == L"child" && argc > 3) {
    HWND top = FindTop(nullptr, cls, 5000);
    HWND child = top ? GetDlgItem(top, _wtoi(argv[3])) : nullptr;
    // A control on one of the window's pages is a grandchild: the first descendant with the id.
    struct ById {
      int id;
      HWND found;
    } search{_wtoi(argv[3]), nullptr};
    if (top && !child)
      EnumChildWindows(
          top,
          [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<ById*>(lp);
            if (GetDlgCtrlID(h) != s->id) return TRUE;
            s->found = h;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&search));
    if (!child) child = search.found;
    if (!child) return 1;
    RECT r{};
    GetWindowRect(child, &r);
    // WM_GETTEXT: across processes only the message reads what a control shows (a drop-down
    // list's selected item).
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &copied);
    std::printf("x=%ld y=%ld w=%ld h=%ld visible=%d enabled=%d text=%s\n", r.left, r.top,
                r.right - r.left, r.bottom - r.top, IsWindowVisible(child) ? 1 : 0,
                IsWindowEnabled(child) ? 1 : 0, Utf8(text).c_str());
    return 0;
  }
  if (verb == L"texts" && argc > 2) {
    // Every control of the window titled CLASS-argument: its rectangle in the window's client
    // area and the extent of its text in the system's icon-title font at the window's DPI, the
    // font that follows Windows' text size. (A control's own font handle cannot be read from
    // another process.)
    HWND top = FindTop(nullptr, cls, 5000);
    if (!top) return 1;
    const UINT dpi = GetDpiForWindow(top) ? GetDpiForWindow(top) : 96;
    LOGFONTW lf{};
    if (!SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0, dpi)) return 1;
    HFONT iconTitle = CreateFontIndirectW(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, iconTitle);
    RECT client{};
    GetClientRect(top, &client);
    std::printf("client w=%ld h=%ld dpi=%u iconfont=%ld face=%s\n", client.right, client.bottom,
                dpi, lf.lfHeight, Utf8(lf.lfFaceName).c_str());
    for (HWND c = GetWindow(top, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
      wchar_t text[1024] = {};
      GetWindowTextW(c, text, 1024);
      SIZE extent{};
      if (*text) GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
      std::printf("id=%d x=%ld y=%ld w=%ld h=%ld tw=%ld th=%ld text=%s\n", GetDlgCtrlID(c), r.left,
                  r.top, r.right - r.left, r.bottom - r.top, extent.cx, extent.cy,
                  Utf8(text).c_str());
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(iconTitle);
    return 0;
  }
  if (verb == L"record") {
    FILE* f = _wfopen(cls, L"ab");
    if (!f) return 1;
    for (int i = 3; i < argc; ++i) std::fprintf(f, "%s\n", Utf8(argv[i]).c_str());
    std::fclose(f);
    return 0;
  }
  if (verb == L"send" && argc > 3) {
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    DWORD_PTR result = 0;
    // A minute: the window may answer from inside a drag's loop, on a busy machine.
    if (SendMessageTimeoutW(h, RegisterWindowMessageW(argv[3]), 0, 0, SMTO_NORMAL, 60000, &result))
      return 0;
    std::printf("error=%lu\n", GetLastError());
    return 1;
  }
  if (verb == L"hold" && argc > 3) {
    HANDLE f =
        CreateFileW(cls, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(argv[3])));
    CloseHandle(f);
    return 0;
  }
  if (verb == L"call" && argc > 5) {
    // Sent, not posted: the answer comes once the window's procedure has run, so whatever the
    // message changes can be read at once.
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, static_cast<UINT>(_wtoi(argv[3])),
                             static_cast<WPARAM>(_wtoi64(argv[4])),
                             static_cast<LPARAM>(_wtoi64(argv[5])), SMTO_NORMAL, 30000, &result))
      return 1;
    std::printf("result=%lld\n", static_cast<long long>(result));
    return 0;
  }
  if (verb == L"sync" && argc > 3) {
    // The answer comes once the window's thread has handled every message sent before. It comes
    // from the message loop, or from inside a call that waits for another thread (Wine's window
    // creation talks to the desktop's): it tells that a start-up has come far enough to create
    // the window, not that it is over.
    HWND h = FindTop(cls, nullptr, static_cast<DWORD>(_wtoi(argv[3])));
    if (!h) return 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(_wtoi(argv[3])),
                             &result))
      return 1;
    PrintWindow(h);
    return 0;
  }
  if (verb == L"moving" && argc > 3) {
    // A drag by the system's move loop takes the pointer's place when the loop starts: a test
    // moves the pointer only once it runs.
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    const DWORD start = GetTickCount();
    for (;;) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      if (GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info) &&
          (info.flags & GUI_INMOVESIZE))
        return 0;
      if (GetTickCount() - start >= static_cast<DWORD>(_wtoi(argv[3]))) return 1;
      Sleep(20);
    }
  }
  if (verb == L"workarea") {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return 1;
    std::printf("x=%ld y=%ld w=%ld h=%ld\n", area.left, area.top, area.right - area.left,
                area.bottom - area.top);
    return 0;
  }
  if (verb == L"regquery") return RegQuery(cls);
  if (verb == L"regset" && argc > 4) return RegSet(cls, argv[3], argv[4]);
  if (verb == L"regdelete") return RegDelete(cls);
  if (verb == L"serve") return Serve();
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  return RunVerb(argc, argv);
}

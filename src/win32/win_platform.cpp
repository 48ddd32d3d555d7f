// Clock, pointer, idle and locale queries through the Win32 API.
#include "win32/win_platform.h"

#include "core/util/datetime.h"
#include "core/util/utf.h"

namespace quillo {

std::wstring Widen(std::string_view utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

double WinClock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return EncodeDateTime(
      {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

WinSystemQueries::WinSystemQueries() {
  wchar_t sep[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8) > 0 && sep[0] < 0x80 && sep[0])
    decimalSeparator_ = static_cast<char>(sep[0]);
}

std::optional<std::pair<int32_t, int32_t>> WinSystemQueries::CursorPos() {
  POINT p;
  if (!GetCursorPos(&p)) return std::nullopt;
  return std::pair<int32_t, int32_t>{p.x, p.y};
}

std::optional<uint32_t> WinSystemQueries::IdleSeconds() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  if (!GetLastInputInfo(&info)) return std::nullopt;
  return static_cast<uint32_t>(GetTickCount() - info.dwTime) / 1000;
}

std::optional<uint32_t> WinSystemQueries::LastInputTick() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  if (!GetLastInputInfo(&info)) return std::nullopt;
  return static_cast<uint32_t>(info.dwTime);
}

namespace {
std::wstring DesktopName(HDESK desktop) {
  wchar_t name[256] = {};
  DWORD needed = 0;
  if (!GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name, &needed)) return {};
  return name;
}
}  // namespace

bool WinSystemQueries::InputDesktopIsOurs() {
  // The secure desktop (lock screen, password and elevation prompts) cannot even be opened.
  HDESK input = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
  if (!input) return false;
  const std::wstring inputName = DesktopName(input);
  CloseDesktop(input);
  const std::wstring ours = DesktopName(GetThreadDesktop(GetCurrentThreadId()));
  // A name that cannot be read proves nothing: judge as before.
  return inputName.empty() || ours.empty() || _wcsicmp(inputName.c_str(), ours.c_str()) == 0;
}

std::pair<int32_t, int32_t> WinSystemQueries::PrimaryScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<ScreenRect> WinSystemQueries::Monitors() {
  std::vector<ScreenRect> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT r, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
            {r->left, r->top, r->right, r->bottom});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

std::string WinSystemQueries::ComputerName() {
  wchar_t buf[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(buf, &size)) return {};
  std::wstring name(buf, size);
  CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
  return Narrow(name);
}

std::array<std::string, 12> WinSystemQueries::ShortMonthNames() {
  std::array<std::string, 12> names;
  for (int m = 0; m < 12; ++m) {
    wchar_t buf[80] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + m, buf, 80) > 0)
      names[m] = Narrow(buf);
  }
  return names;
}

}  // namespace quillo

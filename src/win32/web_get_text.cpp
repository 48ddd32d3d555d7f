// WebGetText over WinINet (its header cannot share a file with WinHTTP's).
#include <windows.h>

#include <wininet.h>

#include <algorithm>

#include "core/online/version_file.h"
#include "win32/http_client.h"
#include "win32/late_bound.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

// Loaded on the first fetch, on the worker, like WinHTTP (http_client.cpp).
struct WinInetApi {
  decltype(&InternetOpenW) Open = nullptr;
  decltype(&InternetSetOptionW) SetOption = nullptr;
  decltype(&InternetCrackUrlW) CrackUrl = nullptr;
  decltype(&InternetConnectW) Connect = nullptr;
  decltype(&HttpOpenRequestW) OpenRequest = nullptr;
  decltype(&HttpSendRequestW) SendRequest = nullptr;
  decltype(&InternetQueryDataAvailable) QueryDataAvailable = nullptr;
  decltype(&InternetReadFile) ReadFile = nullptr;
  decltype(&HttpQueryInfoW) QueryInfo = nullptr;
  decltype(&InternetCloseHandle) CloseHandle = nullptr;
  bool ok = false;
};

const WinInetApi& WinInet() {
  static const WinInetApi api = [] {
    WinInetApi a;
    HMODULE m = LoadLibraryW(L"wininet.dll");
    a.ok = m != nullptr;
    if (!m) return a;
    Bind(m, a.Open, "InternetOpenW", a.ok);
    Bind(m, a.SetOption, "InternetSetOptionW", a.ok);
    Bind(m, a.CrackUrl, "InternetCrackUrlW", a.ok);
    Bind(m, a.Connect, "InternetConnectW", a.ok);
    Bind(m, a.OpenRequest, "HttpOpenRequestW", a.ok);
    Bind(m, a.SendRequest, "HttpSendRequestW", a.ok);
    Bind(m, a.QueryDataAvailable, "InternetQueryDataAvailable", a.ok);
    Bind(m, a.ReadFile, "InternetReadFile", a.ok);
    Bind(m, a.QueryInfo, "HttpQueryInfoW", a.ok);
    Bind(m, a.CloseHandle, "InternetCloseHandle", a.ok);
    return a;
  }();
  return api;
}

struct InetHandle {
  HINTERNET h = nullptr;
  RequestAbort* abort = nullptr;  // set while the deadline may close the handle instead
  explicit InetHandle(HINTERNET handle) : h(handle) {}
  InetHandle(const InetHandle&) = delete;
  InetHandle& operator=(const InetHandle&) = delete;
  ~InetHandle() {
    if (h && (!abort || abort->Disarm())) WinInet().CloseHandle(h);
  }
  explicit operator bool() const { return h != nullptr; }
  // Closing the request handle from the lane's thread ends a wait on it; false when the deadline
  // has passed already.
  bool ArmAbort(RequestAbort& a) {
    if (!a.Arm([handle = h] { WinInet().CloseHandle(handle); })) return false;
    abort = &a;
    return true;
  }
};

// WinINet takes its time-outs from the connection and the request, not from the session (Wine
// ignores them there and waits for a silent server for minutes).
void SetTimeouts(HINTERNET handle) {
  DWORD connect = kVersionConnectTimeoutMs, receive = kVersionReceiveTimeoutMs;
  WinInet().SetOption(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  WinInet().SetOption(handle, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
  WinInet().SetOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
}

}  // namespace

FetchReply WebGetText(const std::string& url, RequestAbort& abort) {
  FetchReply reply;
  const WinInetApi& api = WinInet();
  if (!api.ok) {
    reply.error = "Unable to initialize Wininet";
    return reply;
  }
  InetHandle session(
      api.Open(Widen(kVersionAgent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) {
    reply.error = "Unable to initialize Wininet";
    return reply;
  }
  const std::string cannotOpen = "Cannot open URL " + url;
  // What InternetOpenUrl would do, in its steps, so that the request's own handle can carry the
  // time-outs and be closed at the deadline: the same GET, with the reload flag and no extra
  // headers.
  const std::wstring address = Widen(url);
  wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {}, path[INTERNET_MAX_PATH_LENGTH] = {};
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = INTERNET_MAX_PATH_LENGTH;
  if (!api.CrackUrl(address.c_str(), 0, 0, &parts)) {
    reply.error = cannotOpen;
    return reply;
  }
  InetHandle connection(
      api.Connect(session.h, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) {
    reply.error = cannotOpen;
    return reply;
  }
  SetTimeouts(connection.h);
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
  // InternetOpenUrl accepts any type ("Accept: */*"), and so does this request.
  const wchar_t* anyType[] = {L"*/*", nullptr};
  // No cookies either way: the check tells the site nothing about the user, not even a cookie
  // Windows keeps for it, and keeps none it sets.
  InetHandle file(api.OpenRequest(connection.h, L"GET", path, nullptr, nullptr, anyType,
                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES | secure, 0));
  if (!file) {
    reply.error = cannotOpen;
    return reply;
  }
  SetTimeouts(file.h);
  if (!file.ArmAbort(abort) || !api.SendRequest(file.h, nullptr, 0, nullptr, 0)) {
    reply.error = cannotOpen;
    return reply;
  }
  // Exactly the bytes each read returned; whatever page the server sends is the content. A read
  // asks only for what has arrived, and the deadline is looked at between reads: under Wine,
  // closing the handle from the lane does not end a read that waits for a full block, and a
  // server that sends a byte now and then would hold the check past its deadline.
  std::string bytes;
  char buf[1025];
  for (;;) {
    DWORD available = 0, got = 0;
    if (abort.fired() || !api.QueryDataAvailable(file.h, &available, 0, 0) ||
        !api.ReadFile(file.h, buf, std::clamp<DWORD>(available, 1, sizeof buf), &got)) {
      reply.error = NetErrorText("Cannot read URL " + url,
                                 abort.fired() ? ERROR_INTERNET_TIMEOUT : GetLastError());
      return reply;
    }
    if (got == 0) break;
    if (bytes.size() + got > kMaxVersionFileBytes) {
      reply.error = "The content of " + url + " is larger than 1 MiB";
      return reply;
    }
    bytes.append(buf, got);
  }
  // A file cut off before its announced length is not the version file.
  DWORD announced = 0, announcedSize = sizeof announced;
  if (api.QueryInfo(file.h, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced,
                    &announcedSize, nullptr) &&
      bytes.size() < announced) {
    reply.error = NetErrorText("Cannot read URL " + url, ERROR_INTERNET_CONNECTION_RESET);
    return reply;
  }
  std::wstring text;
  if (!bytes.empty()) {
    const int n =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  }
  reply.ok = true;
  reply.text = Narrow(text);
  return reply;
}

}  // namespace quillo

// WebGetText over WinINet (its header cannot share a file with WinHTTP's).
#include <windows.h>

#include <wininet.h>

#include "core/online/submission.h"
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
  decltype(&InternetOpenUrlW) OpenUrl = nullptr;
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
    Bind(m, a.OpenUrl, "InternetOpenUrlW", a.ok);
    Bind(m, a.ReadFile, "InternetReadFile", a.ok);
    Bind(m, a.QueryInfo, "HttpQueryInfoW", a.ok);
    Bind(m, a.CloseHandle, "InternetCloseHandle", a.ok);
    return a;
  }();
  return api;
}

struct InetHandle {
  HINTERNET h = nullptr;
  explicit InetHandle(HINTERNET handle) : h(handle) {}
  InetHandle(const InetHandle&) = delete;
  InetHandle& operator=(const InetHandle&) = delete;
  ~InetHandle() {
    if (h) WinInet().CloseHandle(h);
  }
  explicit operator bool() const { return h != nullptr; }
};

}  // namespace

FetchReply WebGetText(const std::string& url) {
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
  // The same patience as the submission's: the check runs in the background, but it ends.
  DWORD connectTimeout = kSubmitConnectTimeoutMs, receiveTimeout = kSubmitResponseTimeoutMs;
  api.SetOption(session.h, INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof connectTimeout);
  api.SetOption(session.h, INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveTimeout, sizeof receiveTimeout);
  InetHandle file(api.OpenUrl(session.h, Widen(url).c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
  if (!file) {
    reply.error = "Cannot open URL " + url;
    return reply;
  }
  // Exactly the bytes each read returned; whatever page the server sends is the content.
  std::string bytes;
  char buf[1025];
  for (;;) {
    DWORD got = 0;
    if (!api.ReadFile(file.h, buf, sizeof buf, &got)) {
      reply.error = NetErrorText("Cannot read URL " + url, GetLastError());
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

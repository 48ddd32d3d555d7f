// The WinHTTP post, the errors of both requests and the time-based UUID.
#include "win32/http_client.h"

#include <windows.h>

#include <rpc.h>
#include <winhttp.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/online/submission.h"
#include "win32/late_bound.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

// WinHTTP and RPCRT4 are loaded on the first request, on the worker, so that a program that never
// goes online never maps them; they stay loaded (a request may still run when the process ends).
struct WinHttpApi {
  decltype(&WinHttpOpen) Open = nullptr;
  decltype(&WinHttpSetOption) SetOption = nullptr;
  decltype(&WinHttpSetTimeouts) SetTimeouts = nullptr;
  decltype(&WinHttpConnect) Connect = nullptr;
  decltype(&WinHttpOpenRequest) OpenRequest = nullptr;
  decltype(&WinHttpSendRequest) SendRequest = nullptr;
  decltype(&WinHttpReceiveResponse) ReceiveResponse = nullptr;
  decltype(&WinHttpQueryHeaders) QueryHeaders = nullptr;
  decltype(&WinHttpQueryDataAvailable) QueryDataAvailable = nullptr;
  decltype(&WinHttpReadData) ReadData = nullptr;
  decltype(&WinHttpCloseHandle) CloseHandle = nullptr;
  bool ok = false;
};

const WinHttpApi& WinHttp() {
  static const WinHttpApi api = [] {
    WinHttpApi a;
    HMODULE m = LoadLibraryW(L"winhttp.dll");
    a.ok = m != nullptr;
    if (!m) return a;
    Bind(m, a.Open, "WinHttpOpen", a.ok);
    Bind(m, a.SetOption, "WinHttpSetOption", a.ok);
    Bind(m, a.SetTimeouts, "WinHttpSetTimeouts", a.ok);
    Bind(m, a.Connect, "WinHttpConnect", a.ok);
    Bind(m, a.OpenRequest, "WinHttpOpenRequest", a.ok);
    Bind(m, a.SendRequest, "WinHttpSendRequest", a.ok);
    Bind(m, a.ReceiveResponse, "WinHttpReceiveResponse", a.ok);
    Bind(m, a.QueryHeaders, "WinHttpQueryHeaders", a.ok);
    Bind(m, a.QueryDataAvailable, "WinHttpQueryDataAvailable", a.ok);
    Bind(m, a.ReadData, "WinHttpReadData", a.ok);
    Bind(m, a.CloseHandle, "WinHttpCloseHandle", a.ok);
    return a;
  }();
  return api;
}

struct HttpHandle {
  HINTERNET h = nullptr;
  RequestAbort* abort = nullptr;  // set while the deadline may close the handle instead
  explicit HttpHandle(HINTERNET handle) : h(handle) {}
  HttpHandle(const HttpHandle&) = delete;
  HttpHandle& operator=(const HttpHandle&) = delete;
  ~HttpHandle() {
    if (h && (!abort || abort->Disarm())) WinHttp().CloseHandle(h);
  }
  explicit operator bool() const { return h != nullptr; }
  // Lets the deadline end a wait on this handle by closing it from the lane's thread; false when
  // the deadline has passed already.
  bool ArmAbort(RequestAbort& a) {
    if (!a.Arm([handle = h] { WinHttp().CloseHandle(handle); })) return false;
    abort = &a;
    return true;
  }
};

// Reasons for the errors a post or a fetch meets most; the system's own text where it has one.
const char* KnownReason(DWORD code) {
  switch (code) {
    case ERROR_WINHTTP_TIMEOUT:
      return "The operation timed out";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "The server name or address could not be resolved";
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "A connection with the server could not be established";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "The connection with the server was reset or terminated";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
      return "The server response could not be parsed";
    case ERROR_WINHTTP_SECURE_FAILURE:
      return "A security error occurred: the server's certificate is not trusted or not valid";
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
      return "An error occurred in the secure channel support";
    case WSAETIMEDOUT:
      return "The connection timed out";
    default:
      return nullptr;
  }
}

}  // namespace

std::string NetErrorText(const std::string& what, DWORD code) {
  std::string reason;
  if (const char* known = KnownReason(code)) {
    reason = known;
  } else {
    wchar_t* buf = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    HMODULE module = nullptr;
    if (code >= 12000 && code < 13000) {
      module = GetModuleHandleW(code < WINHTTP_ERROR_BASE + 100 ? L"winhttp.dll" : L"wininet.dll");
    }
    FormatMessageW(flags | (module ? FORMAT_MESSAGE_FROM_HMODULE : 0), module, code, 0,
                   reinterpret_cast<LPWSTR>(&buf), 0, nullptr);
    if (buf) {
      reason = Narrow(buf);
      LocalFree(buf);
    }
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
      reason.pop_back();
    if (reason.empty()) reason = "error";
  }
  return what + ": (" + std::to_string(code) + ") " + reason;
}

namespace {

std::wstring QueryText(HINTERNET request, DWORD what) {
  const WinHttpApi& http = WinHttp();
  DWORD bytes = 0;
  http.QueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &bytes,
                    WINHTTP_NO_HEADER_INDEX);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return {};
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (!http.QueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &bytes,
                         WINHTTP_NO_HEADER_INDEX))
    return {};
  text.resize(bytes / sizeof(wchar_t));
  return text;
}

}  // namespace

SubmitReply HttpPostForm(const SubmitRequest& r, RequestAbort& abort) {
  static constexpr const char* kWhat = kSubmitErrorPrefix;
  SubmitReply reply;
  auto failed = [&reply](DWORD code) {
    reply.error = NetErrorText(kWhat, code);
    return reply;
  };
  const WinHttpApi& http = WinHttp();
  if (!http.ok) {
    reply.error = std::string(kWhat) + ": winhttp.dll could not be loaded";
    return reply;
  }
  HttpHandle session(http.Open(Widen(kSubmitUserAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                               WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return failed(GetLastError());
  // TLS 1.2, and 1.3 where the system offers it (older systems refuse the 1.3 flag).
  DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
  if (!http.SetOption(session.h, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols)) {
    protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    if (!http.SetOption(session.h, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols))
      return failed(GetLastError());
  }
  // Resolving counts as connecting: neither may hang the request for ever.
  if (!http.SetTimeouts(session.h, kSubmitConnectTimeoutMs, kSubmitConnectTimeoutMs,
                        kSubmitResponseTimeoutMs, kSubmitResponseTimeoutMs))
    return failed(GetLastError());
  HttpHandle connection(http.Connect(session.h, Widen(r.host).c_str(), r.port, 0));
  if (!connection) return failed(GetLastError());
  HttpHandle request(http.OpenRequest(connection.h, L"POST", Widen(r.path).c_str(), nullptr,
                                      WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                      WINHTTP_FLAG_SECURE));
  if (!request) return failed(GetLastError());
  // No cookies; and no redirects: a redirected post would either send the totals wherever the
  // reply names or turn into a GET without them, whose success would be taken for the post's.
  // The 3xx is the reply.
  DWORD features = WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_REDIRECTS;
  if (!http.SetOption(request.h, WINHTTP_OPTION_DISABLE_FEATURE, &features, sizeof features))
    return failed(GetLastError());
  // The same said as a policy, for systems that know it; the feature switch above suffices.
  DWORD redirects = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
  http.SetOption(request.h, WINHTTP_OPTION_REDIRECT_POLICY, &redirects, sizeof redirects);
  // The time-outs above alone let a server that accepts and never answers hold the request.
  DWORD responseTimeout = kSubmitResponseTimeoutMs;
  if (!http.SetOption(request.h, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                      sizeof responseTimeout))
    return failed(GetLastError());

  if (!request.ArmAbort(abort)) return failed(ERROR_WINHTTP_TIMEOUT);

  const std::wstring headers = L"Content-Type: " + Widen(kSubmitContentType);
  // The body is already ASCII (form-encoded), so it is its own UTF-8 without a byte-order mark.
  const auto size = static_cast<DWORD>(r.body.size());
  if (!http.SendRequest(request.h, headers.c_str(), static_cast<DWORD>(-1L),
                        const_cast<char*>(r.body.data()), size, size, 0))
    return failed(GetLastError());
  if (!http.ReceiveResponse(request.h, nullptr)) return failed(GetLastError());

  DWORD status = 0, statusSize = sizeof status;
  if (!http.QueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                         WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize,
                         WINHTTP_NO_HEADER_INDEX))
    return failed(GetLastError());
  const std::wstring statusText = QueryText(request.h, WINHTTP_QUERY_STATUS_TEXT);

  // The reply is only ever quoted in an error message: past its limit it is not read on. A read
  // asks only for what has arrived, and the deadline is looked at between reads: under Wine,
  // closing the handle from the lane does not end a read that waits for a full buffer, and a
  // server that sends a byte now and then would hold the post past its deadline.
  char buf[16384];
  uint64_t total = 0;
  for (;;) {
    DWORD available = 0, got = 0;
    if (abort.fired()) return failed(ERROR_WINHTTP_TIMEOUT);
    if (!http.QueryDataAvailable(request.h, &available) ||
        !http.ReadData(request.h, buf, std::clamp<DWORD>(available, 1, sizeof buf), &got))
      return failed(abort.fired() ? ERROR_WINHTTP_TIMEOUT : GetLastError());
    if (got == 0) break;
    total += got;
    reply.body.append(buf, std::min<size_t>(got, kMaxReplyBytes - reply.body.size()));
    if (reply.body.size() >= kMaxReplyBytes) break;
  }
  // A connection closed before the announced length arrived ends the read like a finished reply
  // on some systems: it is the broken connection it is.
  DWORD announced = 0, announcedSize = sizeof announced;
  if (reply.body.size() < kMaxReplyBytes &&
      http.QueryHeaders(request.h, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &announced, &announcedSize,
                        WINHTTP_NO_HEADER_INDEX) &&
      total < announced)
    return failed(ERROR_WINHTTP_CONNECTION_ERROR);
  reply.received = true;
  reply.status = static_cast<int>(status);
  reply.statusText = Narrow(statusText);
  return reply;
}

std::array<uint8_t, 16> NewTimeBasedUuid() {
  using CreateFn = RPC_STATUS(RPC_ENTRY*)(UUID*);
  static const CreateFn create = LateBound<CreateFn>(L"rpcrt4.dll", "UuidCreateSequential");
  UUID uuid{};  // all zero, "000000000000", should the call be missing
  if (create) create(&uuid);
  std::array<uint8_t, 16> bytes{};
  static_assert(sizeof uuid == bytes.size());
  std::memcpy(bytes.data(), &uuid, bytes.size());
  return bytes;
}

}  // namespace quillo

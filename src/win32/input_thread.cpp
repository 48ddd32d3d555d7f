// Hook callbacks and the thread that owns them.
#include "win32/input_thread.h"

#include <memory>

#include "core/counting/hook_request.h"
#include "core/counting/input_classifier.h"

namespace quillo {
namespace {

// The hook procedures get no context argument; the record is set before the thread starts.
ActivityCounters* g_counters = nullptr;

constexpr UINT kInstallMessage = WM_APP + 1;
constexpr UINT kRemoveMessage = WM_APP + 2;
constexpr UINT kQuitMessage = WM_APP + 3;

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
  const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  const bool action = nCode == HC_ACTION && event;
  if (!OnKeyboardEvent(*g_counters, nCode, static_cast<uint32_t>(wParam), action ? event->time : 0,
                       action ? event->vkCode : 0, action && (event->flags & LLKHF_EXTENDED)))
    return 0;
  return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
  if (nCode == HC_ACTION) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    OnMouseEvent(
        *g_counters, nCode, static_cast<uint32_t>(wParam), HIWORD(event->mouseData),
        [] {
          return std::pair<uint32_t, uint32_t>{GetTickCount(), GetDoubleClickTime()};
        },
        event->time, event->pt.x, event->pt.y);
  }
  return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace

struct InputThread::Request {
  Request(HookKind k, int64_t h) : kind(k), handle(h) {}
  ~Request() {
    if (done) CloseHandle(done);
  }
  HookKind kind;
  int64_t handle;
  int64_t result = 0;
  RequestHandOver handOver;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

InputThread::InputThread(ActivityCounters& counters, DWORD waitMs)
    : counters_(counters), waitMs_(waitMs) {
  g_counters = &counters_;
}

InputThread::~InputThread() {
  if (thread_.joinable()) {
    PostThreadMessageW(threadId_, kQuitMessage, 0, 0);
    thread_.join();
  }
  if (ready_) CloseHandle(ready_);
}

bool InputThread::Start() {
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!ready_) return false;
  thread_ = std::thread([this] { Run(); });
  return WaitForSingleObject(ready_, 10000) == WAIT_OBJECT_0;
}

void InputThread::Work(UINT message, Request& r) {
  HHOOK& live = live_[r.kind == HookKind::kKeyboard ? 0 : 1];
  if (message == kInstallMessage) {
    // Never two of a kind: one the window no longer knows of goes first.
    if (live) UnhookWindowsHookEx(live), live = nullptr;
    const bool keyboard = r.kind == HookKind::kKeyboard;
    live = SetWindowsHookExW(keyboard ? WH_KEYBOARD_LL : WH_MOUSE_LL,
                             keyboard ? KeyboardHookProc : MouseHookProc, GetModuleHandleW(nullptr),
                             0);
    r.result = reinterpret_cast<int64_t>(live);
  } else {
    const auto h = reinterpret_cast<HHOOK>(r.handle);
    const bool gone = UnhookWindowsHookEx(h) || GetLastError() == ERROR_INVALID_HOOK_HANDLE;
    if (gone && h == live) live = nullptr;
    r.result = gone ? 1 : 0;
  }
}

void InputThread::Run() {
  threadId_ = GetCurrentThreadId();
  MSG m;
  PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
  // Input must never wait behind the window's work.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  SetEvent(ready_);
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (m.hwnd == nullptr && (m.message == kInstallMessage || m.message == kRemoveMessage)) {
      // The caller may have stopped waiting; the shared request outlives both sides.
      std::unique_ptr<std::shared_ptr<Request>> carrier(
          reinterpret_cast<std::shared_ptr<Request>*>(m.lParam));
      Request& r = **carrier;
      if (!r.handOver.Claim()) continue;  // given up before we got to it: never do it late
      Work(m.message, r);
      if (!r.handOver.Finish() && m.message == kInstallMessage && r.result != 0) {
        // Given up while we worked: nobody will own this hook, so it goes again.
        HHOOK& live = live_[r.kind == HookKind::kKeyboard ? 0 : 1];
        UnhookWindowsHookEx(live);
        live = nullptr;
      }
      SetEvent(r.done);
      continue;
    }
    if (m.hwnd == nullptr && m.message == kQuitMessage) break;
    DispatchMessageW(&m);
  }
  for (HHOOK& live : live_)
    if (live) UnhookWindowsHookEx(live), live = nullptr;
}

std::shared_ptr<InputThread::Request> InputThread::Call(UINT message, HookKind kind,
                                                        int64_t handle) {
  if (!thread_.joinable()) return nullptr;
  auto request = std::make_shared<Request>(kind, handle);
  if (!request->done) return nullptr;
  auto* carrier = new std::shared_ptr<Request>(request);
  if (!PostThreadMessageW(threadId_, message, 0, reinterpret_cast<LPARAM>(carrier))) {
    delete carrier;
    return nullptr;
  }
  if (WaitForSingleObject(request->done, waitMs_) == WAIT_OBJECT_0) return request;
  // Late after all, or skipped or undone by the input thread.
  return request->handOver.GiveUp() == RequestHandOver::GaveUp::kTooLate ? request : nullptr;
}

int64_t InputThread::Install(HookKind kind) {
  const auto r = Call(kInstallMessage, kind, 0);
  return r ? r->result : 0;
}

bool InputThread::Remove(HookKind kind, int64_t handle) {
  const auto r = Call(kRemoveMessage, kind, handle);
  return r && r->result != 0;
}

}  // namespace quillo

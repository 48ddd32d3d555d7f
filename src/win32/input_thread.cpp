// Hook callbacks and the thread that owns them.
#include "win32/input_thread.h"

#include <memory>

#include "core/counting/input_classifier.h"

namespace quillo {
namespace {

// The hook procedures get no context argument; the record is set before the thread starts.
ActivityCounters* g_counters = nullptr;

constexpr UINT kInstallMessage = WM_APP + 1;
constexpr UINT kRemoveMessage = WM_APP + 2;
constexpr UINT kQuitMessage = WM_APP + 3;

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
  if (!OnKeyboardEvent(*g_counters, nCode, static_cast<uint32_t>(wParam))) return 0;
  return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
  if (nCode == 0) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    OnMouseEvent(*g_counters, nCode, static_cast<uint32_t>(wParam), HIWORD(event->mouseData), [] {
      return std::pair<uint32_t, uint32_t>{GetTickCount(), GetDoubleClickTime()};
    });
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
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

InputThread::InputThread(ActivityCounters& counters) : counters_(counters) {
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
      Request* r = carrier->get();
      if (m.message == kInstallMessage) {
        const bool keyboard = r->kind == HookKind::kKeyboard;
        HHOOK h = SetWindowsHookExW(keyboard ? WH_KEYBOARD_LL : WH_MOUSE_LL,
                                    keyboard ? KeyboardHookProc : MouseHookProc,
                                    GetModuleHandleW(nullptr), 0);
        r->result = reinterpret_cast<int64_t>(h);
      } else {
        r->result = UnhookWindowsHookEx(reinterpret_cast<HHOOK>(r->handle)) ? 1 : 0;
      }
      SetEvent(r->done);
      continue;
    }
    if (m.hwnd == nullptr && m.message == kQuitMessage) break;
    DispatchMessageW(&m);
  }
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
  if (WaitForSingleObject(request->done, 10000) != WAIT_OBJECT_0) return nullptr;
  return request;
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

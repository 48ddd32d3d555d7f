// The dedicated input thread: owns both low-level hooks and runs nothing but their message loop,
// so no work of the window (dialogs, disk, network) can ever delay the desktop's input.
#pragma once

#include <windows.h>

#include <memory>
#include <thread>

#include "core/app/platform.h"
#include "core/counting/activity_counters.h"

namespace quillo {

class InputThread : public HookBackend {
 public:
  // `waitMs` bounds how long the window's thread waits for an install or remove.
  explicit InputThread(ActivityCounters& counters, DWORD waitMs = 3000);
  ~InputThread() override;
  InputThread(const InputThread&) = delete;
  InputThread& operator=(const InputThread&) = delete;

  // Starts the thread and waits until its message queue exists.
  bool Start();
  // Installs or removes a hook on the input thread and waits for the answer. A request that is
  // not answered in time fails, and never takes effect later: a late install is undone on the
  // input thread. There is never more than one hook of a kind.
  int64_t Install(HookKind kind) override;
  // True when no hook with that handle is installed any more: removed now, or already gone (the
  // system drops a hook whose callback was late too often).
  bool Remove(HookKind kind, int64_t handle) override;
  DWORD threadId() const { return threadId_; }

 private:
  struct Request;
  void Run();
  void Work(UINT message, Request& r);
  std::shared_ptr<Request> Call(UINT message, HookKind kind, int64_t handle);

  ActivityCounters& counters_;
  DWORD waitMs_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
  HHOOK live_[2] = {nullptr, nullptr};  // the input thread's own record, by HookKind
};

}  // namespace quillo

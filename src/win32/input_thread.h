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
  explicit InputThread(ActivityCounters& counters);
  ~InputThread() override;
  InputThread(const InputThread&) = delete;
  InputThread& operator=(const InputThread&) = delete;

  // Starts the thread and waits until its message queue exists.
  bool Start();
  // Installs or removes a hook on the input thread and waits for the answer.
  int64_t Install(HookKind kind) override;
  bool Remove(HookKind kind, int64_t handle) override;

 private:
  struct Request;
  void Run();
  std::shared_ptr<Request> Call(UINT message, HookKind kind, int64_t handle);

  ActivityCounters& counters_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
};

}  // namespace quillo

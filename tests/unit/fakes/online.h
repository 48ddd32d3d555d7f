// The online services' platform and view in memory: requests are recorded, never sent; a new
// time-based identifier each time; boxes and the update dialog recorded, with something to run
// while one is open.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/online_logic.h"

namespace quillo::fakes {

struct FakeOnlinePlatform : OnlinePlatform {
  std::vector<SubmitRequest> posts;
  std::vector<FetchRequest> fetches;
  std::array<uint8_t, 16> uuid{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5};
  std::array<uint8_t, 16> NewTimeBasedUuid() override {
    auto u = uuid;
    ++uuid[15];  // a new one every time
    return u;
  }
  void StartSubmit(SubmitRequest r) override { posts.push_back(std::move(r)); }
  void StartFetch(FetchRequest r) override { fetches.push_back(std::move(r)); }
};

struct FakeOnlineView : OnlineView {
  std::vector<std::string> errors, warnings;
  std::vector<UpdateDialogState> dialogs;
  bool dialogWorks = true;
  // Runs while a box or the dialog is "open", as the message loop inside a modal box would.
  std::function<void()> whileOpen;
  void Open() {
    if (auto f = std::exchange(whileOpen, nullptr)) f();
  }
  void ShowSubmitError(const std::string& t) override {
    errors.push_back(t);
    Open();
  }
  void ShowWarning(const std::string& t) override {
    warnings.push_back(t);
    Open();
  }
  bool ShowUpdateDialog(const UpdateDialogState& d) override {
    if (!dialogWorks) return false;
    dialogs.push_back(d);
    Open();
    return true;
  }
};

}  // namespace quillo::fakes

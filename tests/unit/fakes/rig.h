// The main window's logic over the fakes of everything it reaches, with the settings dialog's
// host: the one rig the tests of the logic, the history, export and import and the settings
// dialog start the program with.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/app/main_logic.h"
#include "core/app/settings_dialog.h"
#include "platform.h"
#include "settings_host.h"

namespace quillo::fakes {

struct Rig {
  Events events;
  ActivityCounters c;
  FakeClock clock;
  FakeSystem system;
  FakeHooks hooks;
  FakeStore store{events};
  FakeView view{events};
  FakeLogFile logFile;
  FakeHistoryFiles history;
  FakeSettingsHost host{events};
  // The program keeps its history in `history`; without files (nullptr) it keeps none.
  HistoryFiles* historyFiles = &history;
  std::unique_ptr<MainLogic> logic;
  // What the last opening of the settings dialog did outside it, kept before the events are
  // cleared.
  Events opening;

  // The logic made but not started, so that a test can connect to it first.
  MainLogic& Make(bool commandLineParameters = false) {
    logic = std::make_unique<MainLogic>(
        c, Platform{clock, system, hooks, store, view, logFile, historyFiles},
        commandLineParameters);
    return *logic;
  }
  // Starts the logic from what the store holds, then forgets the events of start-up.
  MainLogic& Start(bool commandLineParameters = false) {
    Make(commandLineParameters).FormCreate();
    events.clear();
    return *logic;
  }
  // Starts from these stored values and no others.
  MainLogic& Start(std::initializer_list<std::pair<const char*, const char*>> stored) {
    store.values.clear();
    for (const auto& [name, value] : stored) store.values[name] = value;
    return Start();
  }
  // Starts again as the next run of the program would, after an exit or a kill: its counters
  // start afresh; the store, the log and the history's files stay.
  MainLogic& Restart() {
    c.ZeroLive();
    c.liveRunSeconds = c.liveIdleSeconds = 0;
    c.totalDistance = c.histDistance = 0;
    return Start();
  }

  // The settings dialog as it opens.
  SettingsDialogState Open() {
    SettingsDialogState st;
    FormShow(st, *logic, host);
    opening = events;
    events.clear();
    return st;
  }
  // The events that are store writes, without the "write " prefix.
  std::vector<std::string> Writes() const {
    std::vector<std::string> w;
    for (const auto& e : events)
      if (e.rfind("write ", 0) == 0) w.push_back(e.substr(6));
    return w;
  }
  // A stored value as it stands, or "<absent>".
  std::string Stored(const std::string& name) const {
    const auto it = store.values.find(name);
    return it == store.values.end() ? "<absent>" : it->second;
  }
};

}  // namespace quillo::fakes

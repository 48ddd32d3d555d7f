// What the History window reaches outside itself, handed in by the window that opens it as plain
// functions, so that nothing here knows that window's class: the history and the day in
// progress, the panel's units and language, the debug text, the help, and word that it closed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/history/history_data.h"

namespace quillo {

class HistoryWindow;

struct HistoryHost {
  HINSTANCE instance = nullptr;
  // Every day up to now, the day in progress included (read when the window opens).
  std::function<HistoryData()> load;
  // The day in progress as it stands now (cheap: asked every few seconds).
  std::function<DayRecord()> today;
  // The days from the first to the last day number given, with the places clicked (the click
  // map's; read only when it asks).
  std::function<HistoryData(int32_t, int32_t)> loadPlaces;
  std::function<bool()> metric;   // the panel's units
  std::function<int()> language;  // the panel's language
  std::function<char()> decimal;  // the decimal separator the program uses
  std::function<void(const std::string&)> debugLine;
  // F1: the help's page of this window.
  std::function<void()> help;
  // The window is gone (closed, or the program ends): its owner may free it. Called from the
  // window's last message, so the owner must free it later (a posted message), not there.
  std::function<void(HistoryWindow* which)> closed;
};

}  // namespace quillo

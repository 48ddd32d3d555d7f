// Export and import of the counters, in the order that never costs the user a total.
#include "core/app/counter_transfer.h"

namespace quillo {
namespace {

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

std::string NotImported(const std::string& path, const std::string& why) {
  return Quoted(path) + " was not imported; the counters have not been changed.\n\n" + why;
}

}  // namespace

void ExportCounters1Click(MainLogic& logic, CounterFileUi& ui) {
  // The figures as they are when the item is chosen, not when the dialog closes.
  const std::string text = ExportFileText(CollectCounterFigures(logic.counters()));
  const auto path = ui.AskExportPath();
  if (!path) return;
  if (const auto error = ui.ReplaceFile(*path, text))
    ui.ShowError("The counters could not be exported to " + Quoted(*path) + ".\n\n" + *error);
}

void LoadCounterFigures(MainLogic& logic, const CounterFigures& f) {
  logic.ResetCounters();  // also lets the saves replace totals that failed to load at start
  ActivityCounters& c = logic.counters();
  c.totalDistance = static_cast<double>(f.distance);
  // Like the totals, the distance is a loaded figure: "since start" begins at zero here too.
  c.histDistance = c.totalDistance;
  c.histRunSeconds = f.runSeconds;
  c.histIdleSeconds = f.idleSeconds;
  for (Counter counter : kAllCounters) c.Hist(counter) = f.totals[static_cast<int>(counter)];
}

void ImportCounters1Click(MainLogic& logic, CounterFileUi& ui) {
  const auto path = ui.AskImportPath();
  if (!path) return;
  const CounterFileUi::ReadResult read = ui.ReadFile(*path, kExportFileSizeLimit);
  using Status = CounterFileUi::ReadResult::Status;
  switch (read.status) {
    case Status::kMissing:
      return;  // a name typed in the open dialog that names no file
    case Status::kFailed:
      ui.ShowError(NotImported(*path, "The file cannot be read: " + read.error));
      return;
    case Status::kTooLarge:
      ui.ShowError(NotImported(*path, "The file is far larger than a counter export (at most " +
                                          std::to_string(kExportFileSizeLimit) + " bytes)."));
      return;
    case Status::kRead:
      break;
  }
  const ImportResult parsed = ParseExportFile(read.bytes);
  if (!parsed.figures) {
    ui.ShowError(NotImported(*path, parsed.problem.Message()));
    return;
  }
  LoadCounterFigures(logic, *parsed.figures);
  // A running sampler shows the new totals at its next tick; a paused panel is refreshed now.
  if (!logic.samplerEnabled()) logic.tmrDistanceTimer();
  // Saved at once: an import must not wait for the next minute, nor be lost to a crash.
  const std::vector<std::string> failures = logic.WriteValues();
  if (!failures.empty()) {
    std::string text =
        "The counters were imported, but some of them could not be saved; they will be saved "
        "again when the program closes.\n";
    for (const auto& f : failures) text += "\n" + f;
    ui.ShowError(text);
  }
}

}  // namespace quillo

#pragma once
// Field books of any size for the benchmarks: a Stadia sheet that looks like a
// day's radiation survey, and a sheet object with quiet ports to hold it.
#include <cstddef>
#include <optional>
#include <vector>

#include "job/application_state.h"
#include "job/sheet_chooser.h"
#include "platform/recording_ports.h"
#include "sheets/stadia/stadia.h"

namespace kestrel::bench {

// `rowCount` rows in blocks of 100, one set-up per block: the STN rows of the
// set-up and backsight points (every tenth set-up stands on a point radiated
// from the set-up before instead), the AT/BS row, a few notes (offsets,
// "null", remarks) and shots of every kind, check shots on the backsight
// included. Point numbers are unique; the sheet reduces without messages.
std::vector<StadiaRow> GenerateStadiaRows(std::size_t rowCount);

// A Stadia sheet with ports that record nothing the benchmarks look at.
class BenchSheet {
 public:
  BenchSheet() { app.errorReport = false; }
  BenchSheet(const BenchSheet&) = delete;
  BenchSheet& operator=(const BenchSheet&) = delete;

 private:
  class NoChooser : public SheetChooser {
   public:
    std::optional<SheetChoice> Choose(const JobLocation&, SheetType, int) override { return {}; }
  };

 public:
  ApplicationState app;
  RecordingMessages messages;
  RecordingProgress progress;
  MemoryClipboard clipboard;
  RecordingShell shell;
  ScriptedDialogs dialogs;
  FixedUnitSelectors units;
  NoChooser chooser;
  SheetContext ctx{app, messages, progress, clipboard, shell, dialogs, units, chooser};
  Stadia sheet{ctx};
};

}  // namespace kestrel::bench

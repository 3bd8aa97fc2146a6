#pragma once
// What the sheet tests hand a sheet: an application state and recording
// ports, wired into a SheetContext; plus a scratch folder for sheet files.
#include <optional>
#include <string>
#include <vector>

#include "job/application_state.h"
#include "job/sheet_chooser.h"
#include "platform/recording_ports.h"
#include "platform/scratch_folder.h"
#include "sheets/sheet_context.h"

namespace kestrel::testing {

// The table selection dialog: answers every question with `answer` (nullopt
// stands for Cancel) and counts the questions.
class ScriptedSheetChooser : public SheetChooser {
 public:
  std::optional<SheetChoice> Choose(const JobLocation&, SheetType type, int number) override {
    offeredTypes.push_back(type);
    offeredNumbers.push_back(number);
    return answer;
  }

  std::optional<SheetChoice> answer;
  std::vector<SheetType> offeredTypes;
  std::vector<int> offeredNumbers;
};

// Owns everything a SheetContext refers to. Not copyable: the context holds
// references into it.
struct SheetTestContext {
  SheetTestContext() = default;
  SheetTestContext(const SheetTestContext&) = delete;
  SheetTestContext& operator=(const SheetTestContext&) = delete;

  ApplicationState app;
  RecordingMessages messages;
  RecordingProgress progress;
  MemoryClipboard clipboard;
  RecordingShell shell;
  ScriptedDialogs dialogs;
  FixedUnitSelectors units;
  ScriptedSheetChooser chooser;
  SheetContext ctx{app, messages, progress, clipboard, shell, dialogs, units, chooser};
};

}  // namespace kestrel::testing

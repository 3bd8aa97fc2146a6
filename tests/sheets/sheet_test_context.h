#pragma once
// What the sheet tests hand a sheet: an application state and recording
// ports, wired into a SheetContext; plus a scratch folder for sheet files and
// the reader of expected-text files.
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "job/application_state.h"
#include "job/sheet_chooser.h"
#include "platform/recording_ports.h"
#include "platform/scratch_folder.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"

namespace kestrel::testing {

// A cell's text as the grid shows it, and a text as the user types it.
inline std::string Shown(CUGDataSource& sheet, int column, int row) {
  CellValue cell;
  sheet.CellText(column, row, cell);
  return cell.text;
}

inline CellValue Typed(std::string text) {
  CellValue cell;
  cell.text = std::move(text);
  return cell;
}

// The lines of an expected-text file: '#' lines are comments, and a line's
// text ends at its last '|' so that trailing blanks are seen.
inline std::vector<std::string> ExpectedLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with('#')) continue;
    if (const auto end = line.rfind('|'); end != std::string::npos) line.resize(end);
    lines.push_back(line);
  }
  return lines;
}

// The same lines as one text, each ended by a line feed.
inline std::string ExpectedText(const std::string& path) {
  std::string text;
  for (const std::string& line : ExpectedLines(path)) text += line + "\n";
  return text;
}

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

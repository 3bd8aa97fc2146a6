#pragma once
// What the sheet tests hand a sheet: an application state and recording
// ports, wired into a SheetContext; plus a scratch folder for sheet files.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "job/application_state.h"
#include "job/sheet_chooser.h"
#include "platform/recording_ports.h"
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

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrel-sheets-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool Ok() const { return !path_.empty(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kestrel::testing

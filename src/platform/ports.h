#pragma once
// The ports through which the core reaches the desktop. The Qt program, the
// command-line program and the tests each implement them; a sheet receives the
// ones it needs when it is made (no globals). Every text crossing a port is
// Windows-1252, as texts are everywhere in the core; paths are native.
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Message boxes with the system's fixed texts.
class Messages {
 public:
  virtual ~Messages() = default;
  // An information box with an OK button.
  virtual void Show(std::string_view text) = 0;
  // OK / Cancel; true for OK.
  virtual bool AskOkCancel(std::string_view text) = 0;
  // Yes / No; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
};

// Opening a finished report with the desktop's viewer.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void OpenFile(const std::string& path) = 0;
};

// The status bar's progress text and progress control.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetText(std::string_view text) = 0;
  // Shows the progress control with its range and step.
  virtual void Show(int low, int high, int step) = 0;
  // Advances the control by one step.
  virtual void Step() = 0;
  virtual void Hide() = 0;
};

// The clipboard, plain text only.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // False when the clipboard holds no text that can be read.
  virtual bool GetText(std::string& text) = 0;
  // Empties the clipboard and puts the text on it.
  virtual void SetText(std::string_view text) = 0;
};

// The status bar's bearing and distance selectors, read every time a cell is
// shown or parsed.
class UnitSelectors {
 public:
  virtual ~UnitSelectors() = default;
  // The angle mode code: 0 whole circle, 3 quadrant, 1 grads.
  virtual int BearingMode() = 0;
  // The distance notation code: 0 metres, 1 decimal feet, 2 feet and inches.
  virtual int DistanceUnit() = 0;
};

// Dialogs a command opens that are not the sheet's own.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A save-file dialog that asks before overwriting; nullopt on Cancel.
  // `defaultExtension` has no dot ("xml").
  virtual std::optional<std::string> AskSaveFileName(std::string_view defaultExtension,
                                                     const std::string& initialFolder) = 0;
  // A whole number asked for in a small dialog showing `prompt` with `offered`
  // filled in; nullopt on Cancel. A program that cannot ask takes the offered
  // number.
  virtual std::optional<int> AskInteger(std::string_view prompt, int offered) {
    static_cast<void>(prompt);
    return offered;
  }
};

// A printer page in twips (y grows upwards, so rows go to more negative y).
class PageCanvas {
 public:
  virtual ~PageCanvas() = default;
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  // Character height plus external leading of the current font, in twips.
  virtual int LineHeight() = 0;
};

}  // namespace kestrel

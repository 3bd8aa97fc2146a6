#pragma once
// Port implementations that record what the core asked of the desktop and
// answer from a script: for the tests, and for kestrel-cli where a safe
// default answer stands in for a question.
#include <deque>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kestrel {

class RecordingMessages : public Messages {
 public:
  void Show(std::string_view text) override;
  bool AskOkCancel(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;

  // Every text shown or asked, in order.
  std::vector<std::string> texts;
  // Answers to the next questions, in order; when empty `defaultAnswer`.
  std::deque<bool> answers;
  bool defaultAnswer = false;

 private:
  bool NextAnswer();
};

class RecordingShell : public Shell {
 public:
  void OpenFile(const std::string& path) override;
  std::vector<std::string> opened;
};

class RecordingProgress : public Progress {
 public:
  void SetText(std::string_view text) override;
  void Show(int low, int high, int step) override;
  void Step() override;
  void Hide() override;

  // "text:...", "show:low,high,step", "step", "hide", in order.
  std::vector<std::string> events;
  int steps = 0;
};

class MemoryClipboard : public Clipboard {
 public:
  bool GetText(std::string& text) override;
  void SetText(std::string_view text) override;

  std::string text;
  bool hasText = false;
};

class FixedUnitSelectors : public UnitSelectors {
 public:
  FixedUnitSelectors(int bearingMode = 0, int distanceUnit = 0)
      : bearingMode(bearingMode), distanceUnit(distanceUnit) {}
  int BearingMode() override { return bearingMode; }
  int DistanceUnit() override { return distanceUnit; }

  int bearingMode;
  int distanceUnit;
};

class ScriptedDialogs : public Dialogs {
 public:
  std::optional<std::string> AskSaveFileName(std::string_view defaultExtension,
                                             const std::string& initialFolder) override;
  std::optional<int> AskInteger(std::string_view prompt, int offered) override;
  // The answer to every save-file question; nullopt stands for Cancel.
  std::optional<std::string> saveFileName;
  int questions = 0;
  // The prompts of the number questions, and the answer to them (nullopt:
  // the number offered).
  std::vector<std::string> integerPrompts;
  std::optional<int> integerAnswer;
};

class RecordingCanvas : public PageCanvas {
 public:
  struct Text {
    int x;
    int y;
    std::string text;
  };
  explicit RecordingCanvas(int lineHeight = 200) : lineHeight(lineHeight) {}
  void DrawText(int x, int y, std::string_view text) override;
  int LineHeight() override { return lineHeight; }

  std::vector<Text> texts;
  int lineHeight;
};

}  // namespace kestrel

#pragma once
// The desktop ports as kestrel-cli answers them: message boxes become lines on
// standard error, questions take the safe answer, the clipboard is standard
// input and output, and the table selection dialog is never shown.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job/sheet_chooser.h"
#include "platform/ports.h"

namespace kestrel::cli {

// Message boxes. Texts are kept until the verb is done, so that a verb can
// take over a text it prints itself (the observation strings) before the rest
// go to standard error in UTF-8.
class TerminalMessages : public Messages {
 public:
  void Show(std::string_view text) override;
  // Questions are answered No / Cancel unless `answerYes` is set.
  bool AskOkCancel(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;

  // Takes one shown text out of the list (it will not be printed or count as
  // a refusal). False when no such text was shown.
  bool Consume(std::string_view text);
  // Whether a listed text begins with `prefix`.
  bool Shown(std::string_view prefix) const;
  // Whether a text still listed is a refusal: anything but the "... created"
  // notices that follow a written file, and the questions.
  bool Refused() const;
  // Writes the listed texts to `out` and empties the list.
  void Flush(std::FILE* out);

  bool answerYes = false;

 private:
  struct Entry {
    std::string text;
    bool question = false;
    bool answer = false;
  };
  std::vector<Entry> shown_;
};

// A "... created" notice after a report or export file was written.
bool IsFileCreatedNotice(std::string_view text);
// A message that reports, not refuses: the "... created" notices and the
// traverse adjustments' news (a perfect misclose, the height switch, Crandall
// falling back to Bowditch).
bool IsNotice(std::string_view text);

// Progress: silent, or the texts on standard error with --progress.
class TerminalProgress : public Progress {
 public:
  explicit TerminalProgress(bool verbose) : verbose_(verbose) {}
  void SetText(std::string_view text) override;
  void Show(int, int, int) override {}
  void Step() override {}
  void Hide() override {}

 private:
  bool verbose_;
};

// The clipboard. The copy verb echoes what is put on it to standard output in
// UTF-8; the paste verb fills it from standard input first. In other verbs it
// lives in memory, so that a copy and a paste in one edit move rows about.
class TerminalClipboard : public Clipboard {
 public:
  bool GetText(std::string& text) override;
  void SetText(std::string_view text) override;

  // Puts a Windows-1252 text on the clipboard as a paste will find it.
  void Fill(std::string text) { memory_ = std::move(text); }
  bool echo = false;

 private:
  std::optional<std::string> memory_;
};

// Reports the sheet asked to have opened; the verbs print them.
class ListingShell : public Shell {
 public:
  void OpenFile(const std::string& path) override { opened.push_back(path); }
  // The paths not yet printed, in order.
  std::vector<std::string> opened;
};

// The save-file dialog answered from an option; Cancel without one.
class OptionDialogs : public Dialogs {
 public:
  std::optional<std::string> AskSaveFileName(std::string_view defaultExtension,
                                             const std::string& initialFolder) override;
  // `number` when given, else the number offered.
  std::optional<int> AskInteger(std::string_view prompt, int offered) override;
  std::optional<std::string> saveFileName;
  std::optional<int> number;
};

// The table selection dialog is never shown: it records what it would have
// offered and answers Cancel.
class CancellingChooser : public SheetChooser {
 public:
  std::optional<SheetChoice> Choose(const JobLocation& job, SheetType type, int number) override;

  struct Offer {
    JobLocation job;
    SheetType type = SheetType::Stadia;
    int number = 0;
  };
  std::optional<Offer> offered;
};

// Standard input as a whole, at most `limit` bytes; nullopt when it cannot be
// read or is longer.
std::optional<std::string> ReadStandardInput(std::size_t limit);

// Bytes to a stream as they are (paths, already UTF-8).
void WriteRaw(std::FILE* out, std::string_view bytes);
// A Windows-1252 text to a stream in UTF-8.
void WriteText(std::FILE* out, std::string_view cp1252);

}  // namespace kestrel::cli

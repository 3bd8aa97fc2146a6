#include "cli/cli_ports.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace kestrel::cli {

void WriteRaw(std::FILE* out, std::string_view bytes) {
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), out);
}

void WriteText(std::FILE* out, std::string_view cp1252) { WriteRaw(out, Cp1252ToUtf8(cp1252)); }

bool IsFileCreatedNotice(std::string_view text) {
  return (text.starts_with("file ") || text.starts_with("xml output file ")) &&
         text.ends_with(" created");
}

void TerminalMessages::Show(std::string_view text) { shown_.push_back({std::string(text)}); }

bool TerminalMessages::AskOkCancel(std::string_view text) {
  shown_.push_back({std::string(text), true, answerYes});
  return answerYes;
}

bool TerminalMessages::AskYesNo(std::string_view text) {
  shown_.push_back({std::string(text), true, answerYes});
  return answerYes;
}

bool TerminalMessages::Consume(std::string_view text) {
  const auto found =
      std::find_if(shown_.begin(), shown_.end(), [&](const Entry& s) { return s.text == text; });
  if (found == shown_.end()) return false;
  shown_.erase(found);
  return true;
}

bool TerminalMessages::Shown(std::string_view prefix) const {
  return std::any_of(shown_.begin(), shown_.end(),
                     [&](const Entry& s) { return s.text.starts_with(prefix); });
}

bool IsNotice(std::string_view text) {
  return IsFileCreatedNotice(text) || text == "Perfect linear misclose" ||
         text.starts_with("Height correction is now turned on") ||
         text == "Height adjustment is now turned off" ||
         text.starts_with("Crandall cannot hold the bearings");
}

bool TerminalMessages::Refused() const {
  return std::any_of(shown_.begin(), shown_.end(),
                     [](const Entry& s) { return !s.question && !IsNotice(s.text); });
}

void TerminalMessages::Flush(std::FILE* out) {
  // What the verb printed comes first on a terminal that shows both streams.
  std::fflush(stdout);
  for (const Entry& s : shown_) {
    WriteText(out, s.text);
    if (s.question) WriteRaw(out, s.answer ? " (answered yes)" : " (answered no)");
    WriteRaw(out, "\n");
  }
  shown_.clear();
}

void TerminalProgress::SetText(std::string_view text) {
  if (!verbose_) return;
  WriteText(stderr, text);
  WriteRaw(stderr, "\n");
}

bool TerminalClipboard::GetText(std::string& text) {
  if (!memory_) return false;
  text = *memory_;
  return true;
}

void TerminalClipboard::SetText(std::string_view text) {
  memory_ = std::string(text);
  if (echo) WriteText(stdout, text);
}

std::optional<std::string> OptionDialogs::AskSaveFileName(std::string_view /*defaultExtension*/,
                                                          const std::string& /*initialFolder*/) {
  return saveFileName;
}

std::optional<int> OptionDialogs::AskInteger(std::string_view /*prompt*/, int offered) {
  return number.value_or(offered);
}

std::optional<SheetChoice> CancellingChooser::Choose(const JobLocation& job, SheetType type,
                                                     int number) {
  offered = Offer{job, type, number};
  return std::nullopt;
}

std::optional<std::string> ReadStandardInput(std::size_t limit) {
  std::string text;
  char buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin);
    if (got > 0) {
      if (text.size() + got > limit) return std::nullopt;
      text.append(buffer, got);
    }
    if (got < sizeof buffer) break;
  }
  if (std::ferror(stdin)) return std::nullopt;
  return text;
}

}  // namespace kestrel::cli

#include "platform/recording_ports.h"

namespace kestrel {

void RecordingMessages::Show(std::string_view text) { texts.emplace_back(text); }

bool RecordingMessages::AskOkCancel(std::string_view text) {
  texts.emplace_back(text);
  return NextAnswer();
}

bool RecordingMessages::AskYesNo(std::string_view text) {
  texts.emplace_back(text);
  return NextAnswer();
}

bool RecordingMessages::NextAnswer() {
  if (answers.empty()) return defaultAnswer;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingShell::OpenFile(const std::string& path) { opened.push_back(path); }

void RecordingProgress::SetText(std::string_view text) {
  events.push_back("text:" + std::string(text));
}

void RecordingProgress::Show(int low, int high, int step) {
  events.push_back("show:" + std::to_string(low) + "," + std::to_string(high) + "," +
                   std::to_string(step));
}

void RecordingProgress::Step() {
  events.emplace_back("step");
  ++steps;
}

void RecordingProgress::Hide() { events.emplace_back("hide"); }

bool MemoryClipboard::GetText(std::string& out) {
  if (!hasText) return false;
  out = text;
  return true;
}

void MemoryClipboard::SetText(std::string_view newText) {
  text = std::string(newText);
  hasText = true;
}

std::optional<std::string> ScriptedDialogs::AskSaveFileName(std::string_view /*defaultExtension*/,
                                                            const std::string& /*initialFolder*/) {
  ++questions;
  return saveFileName;
}

std::optional<int> ScriptedDialogs::AskInteger(std::string_view prompt, int offered) {
  integerPrompts.emplace_back(prompt);
  return integerAnswer.value_or(offered);
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text) {
  texts.push_back(Text{x, y, std::string(text)});
}

}  // namespace kestrel

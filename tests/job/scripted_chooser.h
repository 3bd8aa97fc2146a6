#pragma once
// A table selection dialog for the tests: records what it was prepared with
// and answers with a scripted choice (nullopt stands for Cancel).
#include <optional>
#include <vector>

#include "job/sheet_chooser.h"

namespace kestrel {

class ScriptedChooser : public SheetChooser {
 public:
  struct Call {
    JobLocation job;
    SheetType type;
    int number;
  };

  std::optional<SheetChoice> Choose(const JobLocation& job, SheetType type, int number) override {
    calls.push_back({job, type, number});
    return answer;
  }

  std::optional<SheetChoice> answer;
  std::vector<Call> calls;
};

}  // namespace kestrel

#pragma once
// The "Field Table Selection" dialog as the core sees it: prepared with the
// job, a sheet type and a number, it answers with the chosen sheet file, or
// nothing when the user cancels.
#include <optional>
#include <string>

#include "job/job_location.h"
#include "job/sheet_types.h"

namespace kestrel {

struct SheetChoice {
  SheetType type = SheetType::Stadia;
  std::string path;  // as the dialog's path field holds it
};

class SheetChooser {
 public:
  virtual ~SheetChooser() = default;
  virtual std::optional<SheetChoice> Choose(const JobLocation& job, SheetType type, int number) = 0;
};

}  // namespace kestrel

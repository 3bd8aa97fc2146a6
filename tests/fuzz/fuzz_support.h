#pragma once
// What the harnesses share: the input as text, a sheet with recording ports,
// a scratch folder, loading and saving sheets, and the checks every input
// must pass (no stored or printed number is non-finite).
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_access.h"
#include "sheets/command_codes.h"
#include "sheets/sheet_test_context.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_landxml.h"
#include "sheets/stadia/stadia_listing.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_compute.h"
#include "sheets/traverse/traverse_report.h"

namespace kestrel::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// One folder for the whole run, in memory when /dev/shm is there.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern =
        access("/dev/shm", W_OK) == 0 ? "/dev/shm/kestrel-fuzz-XXXXXX" : "/tmp/kestrel-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

inline std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

// The sheet tests' context (its table selection cancels the append command),
// with the job in the scratch folder.
struct FuzzContext : testing::SheetTestContext {
  FuzzContext() {
    app.errorReport = false;  // no report files per input
    app.job = {.drive = "", .folder = ScratchFolder() + "/", .job = "tst"};
  }
};

// The bytes of a file the harness wrote; a missing file is a failure.
inline std::string FileBytes(const std::string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) std::abort();
  return *bytes;
}

// A sheet read from `bytes` written as the scratch file `name`; null when the
// sheet refuses the file.
template <typename Sheet>
std::unique_ptr<Sheet> Loaded(FuzzContext& context, const std::string& name,
                              std::string_view bytes) {
  auto sheet = std::make_unique<Sheet>(context.ctx);
  if (sheet->LoadFromFile(WriteScratchFile(name, bytes)) != 1) return nullptr;
  return sheet;
}

// A sheet that loaded saves as the scratch file `name`, and the file reads
// back.
template <typename Sheet>
std::unique_ptr<Sheet> SavedAndReread(Sheet& sheet, FuzzContext& context, const std::string& name) {
  auto reread = std::make_unique<Sheet>(context.ctx);
  if (sheet.SaveToFile(ScratchFolder() + "/" + name) != 1 ||
      reread->LoadFromFile(ScratchFolder() + "/" + name) != 1)
    std::abort();
  return reread;
}

// The first `count` rows, for a copy of what was pasted.
inline std::vector<int> FirstRows(int count) {
  std::vector<int> rows(static_cast<std::size_t>(std::max(count, 0)));
  std::iota(rows.begin(), rows.end(), 0);
  return rows;
}

// Clipboard text pasted into a new sheet and copied out (`pasteAndCopy`, which
// exercises the sheet when told to): a copy of pasted rows, pasted and copied
// once more, gives the same text.
inline void RequireStableCopy(std::string (*pasteAndCopy)(FuzzContext&, std::string_view, bool),
                              std::string_view text) {
  FuzzContext context;
  const std::string first = pasteAndCopy(context, text, true);
  const std::string second = pasteAndCopy(context, first, false);
  if (pasteAndCopy(context, second, false) != second) std::abort();
}

// Every cell's text in each angle mode and distance notation; with `check`,
// no cell shows a non-finite number.
inline void ShowEveryCell(CUGDataSource& sheet, FuzzContext& context, int columns,
                          void (*check)(std::string_view) = nullptr) {
  for (int mode : {0, 1, 3}) {
    context.units.bearingMode = mode;
    context.units.distanceUnit = mode == 3 ? 2 : mode;
    for (int row = 0; row < sheet.RowCount(); ++row) {
      for (int column = 0; column < columns; ++column) {
        CellValue cell;
        sheet.CellText(column, row, cell);
        if (check != nullptr) check(cell.text);
      }
    }
  }
  context.units.bearingMode = 0;
  context.units.distanceUnit = 0;
}

// A stored number is never NaN or infinite, whatever the input was.
inline void RequireFinite(double value) {
  if (!std::isfinite(value)) {
    std::fprintf(stderr, "non-finite value stored: %g\n", value);
    std::abort();
  }
}

inline void RequireFiniteRows(const Stadia& sheet) {
  for (const StadiaRow& row : sheet.Rows()) {
    for (double value :
         {row.hz, row.spare, row.dist, row.targetHt, row.east, row.north, row.height}) {
      RequireFinite(value);
    }
    if (row.type != kStadiaAtBs) RequireFinite(row.obs2);  // AT/BS: the backsight bits
  }
}

// A number printed from a non-finite value: "nan", "-nan", "inf" or "-inf"
// standing alone (not inside a word such as "information").
inline void RequireNoNonFiniteText(std::string_view text) {
  const auto letter = [&](std::size_t i) {
    return i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]));
  };
  for (std::string_view word : {"nan", "inf", "NAN", "INF"}) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
      if ((at == 0 || !letter(at - 1)) && !letter(at + word.size())) {
        std::fprintf(stderr, "non-finite number in output: %.*s\n",
                     static_cast<int>(std::min<std::size_t>(text.size() - at, 60)),
                     text.data() + at);
        std::abort();
      }
    }
  }
}

// The listing and the LandXML export of the sheet's rows with their texts
// emptied (a text may say "nan" itself): no number in them is non-finite.
inline void RequireFiniteOutput(Stadia& sheet) {
  for (StadiaRow& row : sheet.Rows()) {
    row.code.clear();
    row.comment.clear();
    row.note.clear();
  }
  const int rows = sheet.RowCount();
  for (bool corrected : {false, true}) {
    for (const std::string& line : StadiaListingLines(sheet, 0, rows, corrected)) {
      RequireNoNonFiniteText(line);
    }
  }
  RequireNoNonFiniteText(StadiaLandXml(sheet));
}

// Everything the grid and the user can make of a loaded sheet: every cell's
// text in each unit, a reduction and the listing.
inline void ExerciseSheet(Stadia& sheet, FuzzContext& context) {
  RequireFiniteRows(sheet);
  ShowEveryCell(sheet, context, Stadia::kEntryColumns);
  sheet.Command(4);  // reduce
  RequireFiniteRows(sheet);
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  RequireFiniteOutput(sheet);
}

inline void RequireFiniteRows(const Traverse& sheet) {
  for (const TraverseRow& row : sheet.Rows()) {
    for (double value : {row.angle, row.bearing, row.vertical, row.slope_dist, double(row.inst_ht),
                         double(row.target_ht), row.east, row.north, double(row.height),
                         row.adj_east, row.adj_north, row.adj_height}) {
      RequireFinite(value);
    }
  }
}

// Every cell in each notation, Calculate, the misclose, every adjustment with
// heights, and both reports: nothing non-finite is stored or printed.
inline void ExerciseTraverse(Traverse& sheet, FuzzContext& context) {
  RequireFiniteRows(sheet);
  ShowEveryCell(sheet, context, Traverse::kEntryColumns);
  sheet.SetHeightAdjust(true);
  for (int command :
       {kCmdCalculate, kCmdMisclose, kCmdAngularClose, kCmdBowditch, kCmdTransit, kCmdCrandall}) {
    sheet.Command(command);
    RequireFiniteRows(sheet);
  }
  for (TraverseRow& row : sheet.Rows()) {
    row.code.clear();  // a text may say "nan" itself
    row.note.clear();
  }
  for (const std::string& line : TraverseReportLines(sheet)) RequireNoNonFiniteText(line);
  for (bool corrected : {false, true}) {
    for (const std::string& line : TraverseAdjustmentReportLines(sheet, false, corrected)) {
      RequireNoNonFiniteText(line);
    }
  }
  for (const std::string& line : MiscloseSummaryLines(sheet.LastMisclose(), 0, 0)) {
    RequireNoNonFiniteText(line);
  }
}

}  // namespace kestrel::fuzz

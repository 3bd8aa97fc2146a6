#pragma once
// The reconciliation of an upload whose points partly exist in the host's
// database ("Reselect imported points"): which incoming points are already
// there unchanged, how the others are renumbered, and what the two lists
// show. The desktop dialog and kestrel-cli both drive this model.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "sheets/point_record.h"

namespace kestrel {

enum class ReconcileChoice {
  kAlterAll,       // "Alter all incoming points by"
  kAlterSome,      // "Alter some incoming points by"
  kReplace,        // "Replace existing points with incoming points"
  kReplaceFields,  // "Replace individual fields with incoming fields"
};

struct PointListItem {
  std::string text;
  bool inDatabase = false;  // drawn with a red square, else a green one
};

class ImportedPoints {
 public:
  // `records` are the sheet's records in sheet order; they are changed in
  // place (marked or renumbered) by Accept.
  ImportedPoints(const std::vector<std::uint32_t>& requested, std::vector<PointRecord>& records,
                 const std::vector<std::uint32_t>& hostNumbers,
                 const std::vector<PointRecord>& existing, std::uint32_t highestHostNumber);

  // Choosing a radio button recomputes the offsets.
  void Choose(ReconcileChoice choice);
  ReconcileChoice Choice() const { return choice_; }
  // The offsets typed into the dialog's two boxes.
  std::int64_t offsetAll = 0;
  std::int64_t offsetSome = 0;

  // "Import point range": the boxes and the range applied on OK.
  bool rangeChecked = false;
  std::int64_t rangeFrom = 0;
  std::int64_t rangeTo = 0;
  // "Apply pt range": drops the numbers outside the range from the first
  // list, recomputes the offsets and reapplies the choice.
  void ApplyRange();
  // Unchecking the range rebuilds the lists from the records.
  void SetRangeChecked(bool checked);

  // "no points to add" when the sheet gave no numbers.
  bool NothingToAdd() const { return incoming_.empty(); }

  std::vector<PointListItem> IncomingItems() const;  // "Points to be added to database"
  std::vector<PointListItem> ExistingItems() const;  // "Existing points in database"

  // The number a positive incoming number is stored under with the current
  // choice and offsets.
  std::int64_t NewNumber(std::int64_t number) const;

  // OK: marks the numbers outside a checked range, then renumbers the records.
  void Accept();

 private:
  void RebuildLists();
  void ComputeOffsets();
  std::int64_t ListOffset() const;

  std::vector<PointRecord>& records_;
  std::vector<std::int64_t> incoming_;
  std::vector<std::int64_t> existing_;
  std::unordered_set<std::int64_t> database_;
  std::uint32_t highest_ = 0;
  ReconcileChoice choice_ = ReconcileChoice::kAlterAll;
};

}  // namespace kestrel

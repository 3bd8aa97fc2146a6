// Before an upload: the duplicate check, then the reconciliation of identical
// points, offsets, choices, the point range and what the lists show.
#include <gtest/gtest.h>

#include "hostlink/duplicate_points.h"
#include "hostlink/imported_points.h"

namespace kestrel {
namespace {

PointRecord Point(std::int32_t number, double east = 0.0, const char* code = "", double north = 0.0,
                  float height = 0.0f) {
  PointRecord record;
  record.point = number;
  record.east = east;
  record.north = north;
  record.height = height;
  record.code = code;
  return record;
}

TEST(DuplicatePoints, ConflictsByHowRepeatsDiffer) {
  struct Case {
    const char* name;
    std::vector<PointRecord> records;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"repeat within 0.01",
       {Point(5, 100.0, "", 50.0, 10.0f), Point(5, 100.009, "", 50.009, 10.005f)},
       {}},
      {"easting differs by exactly 0.01",
       {Point(5, 0.0), Point(5, 0.01)},
       {"point number 5 in file at least twice"}},
      {"height differs",
       {Point(9, 1.0, "", 1.0, 10.0f), Point(9, 1.0, "", 1.0, 10.5f)},
       {"point number 9 in file at least twice"}},
      {"three, the third different",
       {Point(3, 1.0), Point(3, 1.0), Point(3, 2.0)},
       {"point number 3 in file at least twice"}},
      {"two runs, sheet order mixed",
       {Point(8, 0.0), Point(2, 0.0), Point(8, 1.0), Point(2, 0.0), Point(2, 3.0)},
       {"point number 2 in file at least twice", "point number 8 in file at least twice"}},
  };
  for (const Case& c : cases) {
    const DuplicateReport report = FindDuplicatePoints(c.records);
    EXPECT_EQ(report.lines, c.lines) << c.name;
    EXPECT_EQ(report.conflicts, static_cast<int>(c.lines.size())) << c.name;
  }
}

std::vector<PointRecord> Range(std::int32_t first, std::int32_t last, double east) {
  std::vector<PointRecord> records;
  for (std::int32_t n = first; n <= last; ++n) records.push_back(Point(n, east));
  return records;
}

std::vector<std::int32_t> Stored(const std::vector<PointRecord>& records) {
  std::vector<std::int32_t> numbers;
  for (const PointRecord& r : records) numbers.push_back(r.point);
  return numbers;
}

// The numbers the host announced: those of the sheet's records.
std::vector<std::uint32_t> Numbers(const std::vector<PointRecord>& records) {
  const std::vector<std::int32_t> stored = Stored(records);
  return {stored.begin(), stored.end()};
}

std::vector<std::string> Texts(const std::vector<PointListItem>& items) {
  std::vector<std::string> texts;
  for (const PointListItem& item : items)
    texts.push_back(item.text + (item.inDatabase ? " R" : " G"));
  return texts;
}

// The database's highest number is 50 throughout.
struct Rule {
  const char* name;
  std::vector<PointRecord> sheet;
  std::vector<PointRecord> database;  // the existing records the host sent
  ReconcileChoice choice;
  std::vector<std::int32_t> stored;  // the numbers sent, in sheet order
  std::int64_t from = 0, to = 0;     // a checked range, when `to` is set
  bool applyRange = false;
};

TEST(ImportedPoints, ReconciliationRules) {
  using C = ReconcileChoice;
  const Rule rules[] = {
      // points 1 to 3 into a database of 1 to 50 follow its last point
      {"alter all", Range(1, 3, 5.0), Range(1, 3, 9.0), C::kAlterAll, {51, 52, 53}},
      // offset 50 + 1 - 2: only 2 is in the database, 60 keeps its number
      {"alter some", {Point(2, 5.0), Point(60, 5.0)}, {Point(2, 9.0)}, C::kAlterSome, {51, 60}},
      {"shift all", {Point(2, 5.0), Point(60, 5.0)}, {Point(2, 9.0)}, C::kAlterAll, {51, 109}},
      {"replace", Range(1, 3, 5.0), Range(1, 3, 9.0), C::kReplace, {1, 2, 3}},
      // 1 is identical and not stored; the smallest positive number left is 2
      {"identical", {Point(1, 9.0), Point(2, 5.0)}, Range(1, 2, 9.0), C::kAlterAll, {-1, 51}},
      {"other code", {Point(1, 9.0, "TREE")}, {Point(1, 9.0, "POST")}, C::kAlterAll, {51}},
      {"within 0.001 is identical", {Point(4, 9.0005)}, {Point(4, 9.0)}, C::kAlterAll, {-4}},
      // checked range without applying it: offsets from the whole list (50)
      {"range", Range(1, 5, 5.0), Range(1, 5, 9.0), C::kAlterAll, {-1, 52, 53, -4, -5}, 2, 3},
      // applied range: offsets from 2 and 3 only (49)
      {"apply", Range(1, 5, 5.0), Range(1, 5, 9.0), C::kAlterAll, {-1, 51, 52, -4, -5}, 2, 3, true},
      {"no overlap, no shift", Range(60, 61, 5.0), {Point(2, 9.0)}, C::kAlterAll, {60, 61}},
  };
  for (const Rule& rule : rules) {
    std::vector<PointRecord> records = rule.sheet;
    ImportedPoints dialog(Numbers(rule.sheet), records, {}, rule.database, 50);
    dialog.Choose(rule.choice);
    if (rule.to != 0) {
      dialog.SetRangeChecked(true);
      dialog.rangeFrom = rule.from;
      dialog.rangeTo = rule.to;
      if (rule.applyRange) dialog.ApplyRange();
    }
    dialog.Accept();
    EXPECT_EQ(Stored(records), rule.stored) << rule.name;
  }
}

TEST(ImportedPoints, ListsShowMarksAndNewNumbers) {
  std::vector<PointRecord> none;
  EXPECT_TRUE(ImportedPoints({}, none, {}, {Point(8)}, 8).NothingToAdd());
  std::vector<PointRecord> seven = {Point(7)};  // no overlap: plain numbers
  EXPECT_EQ(Texts(ImportedPoints({7}, seven, {}, {Point(8)}, 8).IncomingItems()),
            std::vector<std::string>{"7 G"});

  std::vector<PointRecord> records = {Point(1, 9.0), Point(2, 5.0), Point(70, 5.0)};
  const std::vector<PointRecord> database = {Point(1, 9.0), Point(2, 9.0)};
  ImportedPoints dialog(Numbers(records), records, {}, database, 40);
  EXPECT_EQ(dialog.rangeFrom, 1);
  EXPECT_EQ(dialog.rangeTo, 70);
  // offset 40 + 1 - 2
  EXPECT_EQ(Texts(dialog.IncomingItems()),
            (std::vector<std::string>{"1 already in dbase G", "2 in as 41 R", "70 in as 109 G"}));
  dialog.Choose(ReconcileChoice::kAlterSome);
  EXPECT_EQ(Texts(dialog.IncomingItems()),
            (std::vector<std::string>{"1 already in dbase G", "2 in as 41 R", "70 in as 70 G"}));
  dialog.Choose(ReconcileChoice::kReplace);
  EXPECT_EQ(dialog.offsetAll, 1);
  EXPECT_EQ(Texts(dialog.IncomingItems()),
            (std::vector<std::string>{"1 already in dbase G", "2 in as 2 R", "70 in as 70 G"}));
  EXPECT_EQ(Texts(dialog.ExistingItems()), (std::vector<std::string>{"1 R", "2 R"}));
}

TEST(ImportedPoints, UncheckingTheRangeRestoresTheList) {
  std::vector<PointRecord> records = Range(1, 4, 5.0);
  ImportedPoints dialog(Numbers(records), records, {}, Range(1, 4, 9.0), 10);
  dialog.SetRangeChecked(true);
  dialog.rangeFrom = 3;
  dialog.rangeTo = 4;
  dialog.ApplyRange();
  EXPECT_EQ(dialog.IncomingItems().size(), 2u);
  EXPECT_EQ(dialog.offsetAll, 8);  // 10 + 1 - 3
  dialog.SetRangeChecked(false);
  EXPECT_EQ(dialog.IncomingItems().size(), 4u);
  EXPECT_EQ(dialog.offsetAll, 10);
}

}  // namespace
}  // namespace kestrel

#pragma once
// Rows for the tests of the Stadia listing, reports and exports.
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/stadia/stadia_row.h"

namespace kestrel::testing {

// A blank row of `type` with a point number and, when given, a position.
inline StadiaRow Row(int type, std::uint32_t point, double east = kEmptyValue,
                     double north = kEmptyValue, double height = kEmptyValue) {
  StadiaRow row = BlankStadiaRow(type);
  row.point = point;
  row.east = east;
  row.north = north;
  row.height = height;
  return row;
}

inline StadiaRow StationRow(std::uint32_t point, double east, double north, double height) {
  return Row(kStadiaStn, point, east, north, height);
}

inline StadiaRow CheckRow(std::uint32_t point, double east, double north, double height) {
  return Row(kStadiaChk, point, east, north, height);
}

inline StadiaRow SetupRow(std::uint32_t at, double reading, std::uint32_t backsight,
                          double instrumentHeight) {
  StadiaRow row = Row(kStadiaAtBs, at);
  row.hz = reading;
  row.dist = instrumentHeight;
  SetBacksightNumber(row, backsight);
  return row;
}

inline StadiaRow NoteRow(std::string note) {
  StadiaRow row = BlankStadiaRow(kStadiaFnote);
  row.note = std::move(note);
  return row;
}

// A shot with its circle reading, obs2 (vertical reading or height
// difference), distance, point code and comment.
inline StadiaRow ShotRow(StadiaRow row, double hz, double obs2, double dist, std::string code,
                         std::string comment) {
  row.hz = hz;
  row.obs2 = obs2;
  row.dist = dist;
  row.code = std::move(code);
  row.comment = std::move(comment);
  return row;
}

// A small sheet with a row of every type: two stations, a set-up on 1 looking
// at 2 with the circle reading 30 degrees there, and one shot of each kind.
inline std::vector<StadiaRow> ListingRows() {
  StadiaRow stn1 = ShotRow(StationRow(1, 1000, 1000, 50), kEmptyValue, kEmptyValue, kEmptyValue,
                           "STN", "control");
  StadiaRow sdht = ShotRow(Row(kStadiaSdHt, 101, 1050, 1000, 100.1), 120, 60, 100, "TREE", "oak");
  sdht.targetHt = 1.6;
  StadiaRow chk = ShotRow(CheckRow(1, 1000.003, 999.998, 50.001), 0, 90, 0.005, "", "check");
  chk.targetHt = 1.5;
  return {stn1,
          StationRow(2, 1000, 1100, 51),
          SetupRow(1, 30.0, 2, 1.5),
          NoteRow("sunny"),
          sdht,
          ShotRow(Row(kStadiaHzDh, 102, 1014.142, 1014.142, 48.75), 45.3, -1.25, 20, "FENCE", ""),
          ShotRow(Row(kStadiaHdRl, 103, 990, 985, 49), 200.153, kEmptyValue, 15.5, "",
                  "a comment longer than sixteen"),
          chk};
}

}  // namespace kestrel::testing

#pragma once
// Rows for the tests of the Stadia listing, reports and exports.
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/stadia/stadia_row.h"

namespace kestrel::testing {

// A blank row of `type` with a point number.
inline StadiaRow Row(int type, std::uint32_t point) {
  StadiaRow row = BlankStadiaRow(type);
  row.point = point;
  return row;
}

inline StadiaRow Positioned(StadiaRow row, double east, double north, double height) {
  row.east = east;
  row.north = north;
  row.height = height;
  return row;
}

inline StadiaRow StationRow(std::uint32_t point, double east, double north, double height) {
  return Positioned(Row(kStadiaStn, point), east, north, height);
}

inline StadiaRow CheckRow(std::uint32_t point, double east, double north, double height) {
  return Positioned(Row(kStadiaChk, point), east, north, height);
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

// A shot of `type` (SD/HT, HZ/DH, HD/RL or CHK) with its circle reading, the
// reading or height difference kept in obs2, and its distance.
inline StadiaRow ShotRow(int type, std::uint32_t point, double hz, double obs2, double dist,
                         std::string comment = "") {
  StadiaRow row = Row(type, point);
  row.hz = hz;
  row.obs2 = obs2;
  row.dist = dist;
  row.comment = std::move(comment);
  return row;
}

// A small sheet with a row of every type: two stations, a set-up on 1 looking
// at 2 with the circle reading 30 degrees there, and one shot of each kind.
inline std::vector<StadiaRow> ListingRows() {
  StadiaRow stn1 = StationRow(1, 1000, 1000, 50);
  stn1.code = "STN";
  stn1.comment = "control";
  StadiaRow sdht =
      Positioned(ShotRow(kStadiaSdHt, 101, 120.0, 60.0, 100.0, "oak"), 1050, 1000, 100.1);
  sdht.targetHt = 1.6;
  sdht.code = "TREE";
  StadiaRow hzdh =
      Positioned(ShotRow(kStadiaHzDh, 102, 45.3, -1.25, 20.0), 1014.142, 1014.142, 48.75);
  hzdh.code = "FENCE";
  const StadiaRow hdrl = Positioned(
      ShotRow(kStadiaHdRl, 103, 200.153, kEmptyValue, 15.5, "a comment longer than sixteen"), 990,
      985, 49);
  StadiaRow chk =
      Positioned(ShotRow(kStadiaChk, 1, 0.0, 90.0, 0.005, "check"), 1000.003, 999.998, 50.001);
  chk.targetHt = 1.5;
  return {stn1,
          StationRow(2, 1000, 1100, 51),
          SetupRow(1, 30.0, 2, 1.5),
          NoteRow("sunny"),
          sdht,
          hzdh,
          hdrl,
          chk};
}

}  // namespace kestrel::testing

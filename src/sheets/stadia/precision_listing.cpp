#include "sheets/stadia/precision_listing.h"

#include <algorithm>

#include "platform/printf_format.h"
#include "sheets/stadia/listing_texts.h"
#include "sheets/stadia/precision_stadia.h"

namespace kestrel {

namespace {

// Headings by row type: without and with the coordinate columns.
constexpr const char* kHeadings[kStadiaRowTypeCount][2] = {
    {"$b$       Point        Easting     Northing        Height                 PCode         "
     "Comment$b0$",
     "$b$     Point       Easting      Northing        Height                 PCode         "
     "Comment$b0$"},
    {"$b$    At Point      Back Bear   Back Point    Ins Height$b0$",
     "$b$  At Point     Back Bear    Back Point    Ins Height$b0$"},
    {"$b$Field Note$b0$", "$b$Field Note$b0$"},
    {"$b$       Point     Bear/Angle     Vertical    Slope Dist    Ht Target    PCode         "
     "Comment$b0$",
     "$b$     Point    Bear/Angle      Vertical    Slope Dist    Ht Target    PCode         "
     "Comment       Easting      Northing    Height$b0$"},
    {"$b$       Point     Bear/Angle   Slope Dist   Diff Height    Ht Target    PCode         "
     "Comment$b0$",
     "$b$     Point    Bear/Angle    Slope Dist   Diff Height    Ht Target    PCode         "
     "Comment       Easting      Northing    Height$b0$"},
    {"$b$       Point     Bear/Angle   Slope Dist        Height                 PCode         "
     "Comment$b0$",
     "$b$     Point    Bear/Angle    Slope Dist        Height                 PCode         "
     "Comment       Easting      Northing    Height$b0$"},
    {"$b$       Point     Bear/Angle     Vertical    Slope Dist    Ht Target    PCode         "
     "Comment$b0$",
     "$b$     Point    Bear/Angle      Vertical    Slope Dist    Ht Target    PCode         "
     "Comment       Easting      Northing    Height$b0$"},
};

// The shot's code and comment and, in the wide form, its coordinates.
void Close(std::string& line, const LineFields& f, const PrecisionStadiaRow& row, bool wide) {
  AppendCodeAndComment(line, row.code, row.comment);
  if (!wide) return;
  f.Length(line, 14, row.east);
  f.Length(line, 14, row.north);
  f.Length(line, 10, row.height);
}

// The keyword and point of a row's line.
void Lead(std::string& line, const LineFields& f, const char* keyword,
          const PrecisionStadiaRow& row, bool wide) {
  line += keyword;
  f.Point(line, wide ? 5 : 7, row.point);
}

// One row's line into `line`; empty for a row of unknown type.
void RowLine(std::string& line, const LineFields& f, const PrecisionStadiaRow& row, bool wide) {
  const int angleWidth = wide ? 14 : 15;
  line.clear();
  switch (row.type) {
    case kStadiaStn:
      Lead(line, f, "STN  ", row, wide);
      f.Length(line, wide ? 14 : 15, row.east);
      f.Length(line, 14, row.north);
      f.Length(line, 14, row.height);
      line += "             ";
      AppendCodeAndComment(line, row.code, row.comment);
      return;
    case kStadiaAtBs: {
      const std::uint32_t backsight = HasBacksight(row) ? BacksightNumber(row) : kNoPoint;
      Lead(line, f, "AT/BS", row, wide);
      f.Angle(line, angleWidth, row.hz);
      f.Point(line, wide ? 14 : 13, backsight);
      f.Length(line, 14, row.dist);
      return;
    }
    case kStadiaFnote:
      line = Sprintf("Fnote  %-60s", row.note.c_str());
      return;
    case kStadiaSdHt:
    case kStadiaChk:
      Lead(line, f, row.type == kStadiaSdHt ? "SD/HT" : "  CHK", row, wide);
      f.Angle(line, angleWidth, row.hz);
      f.Plain(line, wide ? 14 : 13, 4, row.obs2);
      f.Length(line, 14, row.dist);
      f.Length(line, 13, row.targetHt);
      Close(line, f, row, wide);
      return;
    case kStadiaHzDh:
      Lead(line, f, "HZ/DH", row, wide);
      f.Angle(line, angleWidth, row.hz);
      f.Length(line, wide ? 14 : 13, row.dist);
      f.Length(line, 14, row.obs2);
      f.Length(line, 13, row.targetHt);
      Close(line, f, row, wide);
      return;
    case kStadiaHdRl:
      Lead(line, f, "HD/RL", row, wide);
      // The narrow form prints the reading as the number it is held as.
      if (wide) {
        f.Angle(line, angleWidth, row.hz);
      } else {
        f.Plain(line, 15, 4, row.hz);
      }
      f.Length(line, wide ? 14 : 13, row.dist);
      f.Length(line, 14, row.height);
      Close(line, f, row, wide);
      return;
    default:
      return;
  }
}

}  // namespace

std::vector<std::string> PrecisionListingLines(const PrecisionStadia& sheet, int first, int end) {
  const std::vector<PrecisionStadiaRow>& rows = sheet.Rows();
  const int count = static_cast<int>(rows.size());
  first = std::clamp(first, 0, count);
  end = std::clamp(end, first, count);
  const bool wide = sheet.ShowCoordinates();
  const LineFields f(sheet.Context().units.BearingMode(), sheet.Context().units.DistanceUnit());
  std::vector<std::string> lines;
  std::string line;
  int headed = -1;  // the type whose heading was listed last
  for (int i = first; i < end; ++i) {
    const PrecisionStadiaRow& row = rows[static_cast<std::size_t>(i)];
    if (row.type < 0 || row.type >= kStadiaRowTypeCount) continue;
    if (row.type != headed) {
      lines.emplace_back(kHeadings[row.type][wide ? 1 : 0]);
      headed = row.type;
    }
    RowLine(line, f, row, wide);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace kestrel

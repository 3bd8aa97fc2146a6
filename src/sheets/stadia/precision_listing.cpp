#include "sheets/stadia/precision_listing.h"

#include <algorithm>

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

std::string CodeAndComment(const PrecisionStadiaRow& row) {
  return Sprintf("%9.9s%16.16s", row.code.c_str(), row.comment.c_str());
}

// The shot's code and comment and, in the wide form, its coordinates.
std::string Closed(const FieldTexts& f, const PrecisionStadiaRow& row, bool wide,
                   std::string line) {
  line += CodeAndComment(row);
  if (!wide) return line;
  return line + f.Length("%14.3f", row.east) + f.Length("%14.3f", row.north) +
         f.Length("%10.3f", row.height);
}

std::string RowLine(const FieldTexts& f, const PrecisionStadiaRow& row, bool wide) {
  const char* point = wide ? "%5d" : "%7d";
  const char* angle = wide ? "%14.4f" : "%15.4f";
  switch (row.type) {
    case kStadiaStn:
      return "STN  " + f.Point(point, row.point) + f.Length(wide ? "%14.3f" : "%15.3f", row.east) +
             f.Length("%14.3f", row.north) + f.Length("%14.3f", row.height) + "             " +
             CodeAndComment(row);
    case kStadiaAtBs: {
      const std::uint32_t backsight = HasBacksight(row) ? BacksightNumber(row) : kNoPoint;
      return "AT/BS" + f.Point(point, row.point) + f.Angle(angle, row.hz) +
             f.Point(wide ? "%14d" : "%13d", backsight) + f.Length("%14.3f", row.dist);
    }
    case kStadiaFnote:
      return Sprintf("Fnote  %-60s", row.note.c_str());
    case kStadiaSdHt:
    case kStadiaChk:
      return Closed(f, row, wide,
                    (row.type == kStadiaSdHt ? "SD/HT" : "  CHK") + f.Point(point, row.point) +
                        f.Angle(angle, row.hz) + f.Plain(wide ? "%14.4f" : "%13.4f", row.obs2) +
                        f.Length("%14.3f", row.dist) + f.Length("%13.3f", row.targetHt));
    case kStadiaHzDh:
      return Closed(f, row, wide,
                    "HZ/DH" + f.Point(point, row.point) + f.Angle(angle, row.hz) +
                        f.Length(wide ? "%14.3f" : "%13.3f", row.dist) +
                        f.Length("%14.3f", row.obs2) + f.Length("%13.3f", row.targetHt));
    case kStadiaHdRl:
      // The narrow form prints the reading as the number it is held as.
      return Closed(f, row, wide,
                    "HD/RL" + f.Point(point, row.point) +
                        (wide ? f.Angle(angle, row.hz) : f.Plain("%15.4f", row.hz)) +
                        f.Length(wide ? "%14.3f" : "%13.3f", row.dist) +
                        f.Length("%14.3f", row.height));
    default:
      return {};
  }
}

}  // namespace

std::vector<std::string> PrecisionListingLines(const PrecisionStadia& sheet, int first, int end) {
  const std::vector<PrecisionStadiaRow>& rows = sheet.Rows();
  const int count = static_cast<int>(rows.size());
  first = std::clamp(first, 0, count);
  end = std::clamp(end, first, count);
  const bool wide = sheet.ShowCoordinates();
  const FieldTexts f(sheet.Context().units.BearingMode(), sheet.Context().units.DistanceUnit());
  std::vector<std::string> lines;
  int headed = -1;  // the type whose heading was listed last
  for (int i = first; i < end; ++i) {
    const PrecisionStadiaRow& row = rows[static_cast<std::size_t>(i)];
    if (row.type < 0 || row.type >= kStadiaRowTypeCount) continue;
    if (row.type != headed) {
      lines.emplace_back(kHeadings[row.type][wide ? 1 : 0]);
      headed = row.type;
    }
    lines.push_back(RowLine(f, row, wide));
  }
  return lines;
}

}  // namespace kestrel

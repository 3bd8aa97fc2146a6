// The traverse reports: their lines, the printed page and the report files.
#include "sheets/traverse/traverse_report.h"

#include <algorithm>
#include <cmath>

#include "platform/ports.h"
#include "platform/printf_format.h"
#include "platform/text_encoding.h"
#include "report/report_writer.h"
#include "sheets/listing_page.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_compute.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

constexpr const char* kReportPattern = "%s%sTraverseReport_%s.rtf";
constexpr const char* kAdjustmentRtfPattern = "%s%sTraverseListing_%s.rtf";
constexpr const char* kAdjustmentCsvPattern = "%s%sTraverseListing_%s.csv";

constexpr int kFontPoints = 8;

constexpr double kDegreesPerRadian = 180.0 / kPi;
// Stations nearer than this in both directions have no bearing between them.
constexpr double kSamePlace = 0.001;

const std::string kDashes(101, '-');

// Texts of one report in the user's angle mode and distance notation.
class Fields {
 public:
  Fields(int mode, int unit) : mode_(mode), unit_(unit) {}

  bool FeetInches() const { return unit_ == kFeetInches; }
  bool Metres() const { return unit_ == kMetres; }

  // Noise below the printed precision prints as 0, never as -0.000.
  // A value that overflowed prints as blanks.
  std::string Length(const char* format, double value) const {
    if (!std::isfinite(value)) return std::string(Sprintf(format, 0.0).size(), ' ');
    if (std::fabs(value) < 0.0005) value = 0.0;
    std::string text = Sprintf(format, value);
    FormatDistanceText(text, value, unit_);
    return text;
  }

  // A packed bearing printed as a number; quadrant letters in Quadrant mode.
  // kNoBearing prints "no bearing" in the field's width.
  std::string Bearing(const char* format, double packed) const {
    std::string text = Sprintf(format, packed < 0 ? 0.0 : packed);
    const std::size_t width = text.size();
    if (packed < 0) {
      text = "no bearing";
    } else if (mode_ == kQuadrant) {
      QuadrantBearingText(text);
    }
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
  }

  // The whole-circle text of a packed bearing (quadrant in Quadrant mode).
  std::string DmsText(double packed) const {
    std::string text = FormatDmsText(packed);
    if (mode_ == kQuadrant) QuadrantBearingText(text);
    return text;
  }

 private:
  int mode_;
  int unit_;
};

double BearingDms(double e1, double n1, double e2, double n2) {
  if (std::fabs(e2 - e1) < kSamePlace && std::fabs(n2 - n1) < kSamePlace) return kNoBearing;
  const double bearing = BearingBetween(e1, n1, e2, n2);
  return bearing == kNoBearing ? kNoBearing : DegreesToDms(bearing * kDegreesPerRadian);
}

std::string Heading(int unit, bool csv) {
  if (csv) {
    return unit == kMetres
               ? "STN,Bearing,Distance,Latitude,Departure,Lat.Cor,Dep.Cor,Easting,Northing,Height"
               : "STN,Bearing,Distance,Latitude,Departure,Lat.Cor,Dep.Cor,Northing,Easting,Height";
  }
  switch (unit) {
    case kMetres:
      return "STN    Bearing   Distance  Latitude  Departure Lat.Cor Dep.Cor    Easting       "
             "Northing      Height";
    case kDecimalFeet:
      return "STN    Bearing   Distance  Latitude  Departure Lat.Cor Dep.Cor    Northing      "
             "Easting       Height";
    default:
      return "STN        Bearing       Distance      Latitude      Departure     Lat.Cor     "
             "Dep.Cor        Northing          Easting     Height";
  }
}

// The table of route stations, shared by both reports.
void AppendTable(std::vector<std::string>& lines, const Traverse& sheet, const Fields& f, bool csv,
                 bool adjustmentReport, bool corrected) {
  const TraverseStations& st = sheet.Stations();
  const bool wide = f.FeetInches();
  const char* sep = csv ? "," : "";
  lines.push_back(kDashes);
  lines.push_back(Heading(f.Metres() ? kMetres : (wide ? kFeetInches : kDecimalFeet), csv));
  lines.push_back(kDashes);
  auto coordinates = [&](std::size_t k, const char* firstFormat) {
    const double first = f.Metres() ? st.east[k] : st.north[k];
    const double second = f.Metres() ? st.north[k] : st.east[k];
    return f.Length(firstFormat, first) + sep + f.Length("%14.3f", second);
  };
  auto height = [&](std::size_t k) {
    return IsEmptyValue(st.height[k]) ? std::string() : f.Length("%12.3f", st.height[k]);
  };
  for (std::size_t k = 0; k < st.Count(); ++k) {
    std::string line = Sprintf(csv ? "%-5d," : "%-5d", static_cast<int>(st.route[k]));
    if (k == 0) {
      line += coordinates(0, wide ? "%96.3f" : "%70.3f");
      if (IsEmptyValue(st.height[0])) {
        line += csv ? ",null" : (adjustmentReport && !wide ? "         null" : "        null");
      } else {
        line += sep + height(0);
      }
      lines.push_back(std::move(line));
      continue;
    }
    const double de = st.computedEast[k] - st.computedEast[k - 1];
    const double dn = st.computedNorth[k] - st.computedNorth[k - 1];
    double bearing = BearingDms(st.computedEast[k - 1], st.computedNorth[k - 1], st.computedEast[k],
                                st.computedNorth[k]);
    double distance = std::sqrt(de * de + dn * dn);
    if (!IsEmptyValue(st.slope[k]) && !IsEmptyValue(st.vertical[k])) {
      distance = st.slope[k] * std::fabs(std::sin(st.vertical[k] / kDegreesPerRadian));
    }
    if (corrected) {
      bearing = BearingDms(st.east[k - 1], st.north[k - 1], st.east[k], st.north[k]);
      distance = DistanceBetween(st.east[k - 1], st.north[k - 1], st.east[k], st.north[k]);
    }
    const char* angleFormat = wide ? "%14.4f" : "%10.4f";
    const char* lengthFormat = wide ? "%14.3f" : "%10.3f";
    const char* correctionFormat = wide ? "%12.3f" : "%8.3f";
    line += f.Bearing(angleFormat, bearing) + sep + f.Length(lengthFormat, distance) + sep +
            f.Length(lengthFormat, dn) + sep + f.Length(lengthFormat, de) + sep +
            f.Length(correctionFormat, st.addNorth[k] - st.addNorth[k - 1]) + sep +
            f.Length(correctionFormat, st.addEast[k] - st.addEast[k - 1]) + sep +
            coordinates(k, "%14.3f");
    if (IsEmptyValue(st.height[k])) {
      line += csv ? ",null" : "         null";
    } else {
      line += sep + height(k);
    }
    lines.push_back(std::move(line));
  }
}

Fields FieldsOf(Traverse& sheet) {
  return Fields(sheet.Context().units.BearingMode(), sheet.Context().units.DistanceUnit());
}

ReportSettings ReportPage() {
  ReportSettings settings;
  settings.fontSize = kFontPoints;
  settings.marginLeft = 1000;
  settings.marginRight = 500;
  settings.marginTop = 1500;
  settings.marginBottom = 1000;
  return settings;
}

}  // namespace

std::vector<std::string> TraverseReportLines(Traverse& sheet) {
  const TraverseStations& st = sheet.Stations();
  std::vector<std::string> lines;
  if (st.Empty()) {
    lines = {"No traverse has been defined; or you need to first calculate a misclose",
             "by hitting the Recalc (Re) button top left. You need a Fnote entry such as",
             "tr 1,2,3,4,1 Please refer to our on-line tutorials", "for an example"};
    return lines;
  }
  const Fields f = FieldsOf(sheet);
  // The misclose before any correction.
  const LinearMiscloseValues m =
      LinearMisclose(sheet, st.computedEast, st.computedNorth, st.computedHeight);
  const double perimeter = Perimeter(st.computedEast, st.computedNorth);
  if (!m.Formed()) {
    lines.push_back("Misclose: none - the route does not end on its first point or a known point");
  } else {
    const bool closed = std::fabs(m.east) < 0.001 && std::fabs(m.north) < 0.001;
    const std::string bearing = closed ? "no bearing" : f.DmsText(m.bearing);
    lines.push_back(Sprintf("Misclose: bearing %s dist %s", bearing.c_str(),
                            f.Length(" %5.3f", m.distance).c_str()));
    lines.push_back("Misclose: delta N " + f.Length("%8.3f", m.north) + "  delta E " +
                    f.Length("%8.3f", m.east));
  }
  lines.push_back("Perimeter: " + f.Length("%8.3f", perimeter));
  if (!m.Formed()) {
    lines.push_back("Accuracy:  none - there is no misclose to compare");
  } else if (m.distance < 0.001) {
    lines.push_back("Accuracy:  Closed");
  } else if (!std::isfinite(perimeter / m.distance)) {
    lines.push_back("Accuracy:  none - the route is too long to compare");
  } else {
    lines.push_back(Sprintf("Accuracy:  1:%1.0f before doing correction", perimeter / m.distance));
  }
  lines.push_back("Area:      " +
                  f.Length("%-12.3f", RouteArea(st.computedEast, st.computedNorth)));
  AppendTable(lines, sheet, f, false, false, false);
  return lines;
}

std::vector<std::string> TraverseAdjustmentReportLines(Traverse& sheet, bool csv, bool corrected) {
  const TraverseStations& st = sheet.Stations();
  const TraverseAdjustmentRecord& record = sheet.Adjustment();
  const Fields f = FieldsOf(sheet);
  const LinearMiscloseValues& m = record.misclose;
  std::vector<std::string> lines;
  if (!record.valid || st.Empty()) {
    lines.push_back("Traverse Adjustment Report");
    lines.push_back(
        "No adjustment has been made: run Bowditch, Compass, Transit or Crandall first");
    return lines;
  }
  const std::string bearing =
      m.bearing < 0 ? std::string("  no bearing") : Sprintf("%12.4f", m.bearing);
  const std::string area = f.Length("%12.3f", RouteArea(st.east, st.north));
  const std::string perimeter = f.Length("%12.3f", record.perimeter);
  const bool closed = m.distance < 0.001;
  double ratio = closed ? 0.0 : record.perimeter / m.distance;
  if (!std::isfinite(ratio)) ratio = 0.0;
  if (csv) {
    lines.push_back("Traverse Adjustment Report");
    lines.push_back("Northing Misclose:," + f.Length("%12.3f", m.north));
    lines.push_back("Easting Misclose :," + f.Length("%12.3f", m.east));
    lines.push_back("Bearing Misclose :," + bearing);
    lines.push_back("Distance Misclose:," + f.Length("%12.3f", m.distance));
    lines.push_back("Area            :," + area);
    lines.push_back("     Perimeter        :," + perimeter);
    lines.push_back(closed ? std::string("     Accuracy         :,Traverse is closed")
                           : Sprintf("     Accuracy         :,1:%1.0f", ratio));
  } else {
    lines.push_back("     Traverse Adjustment Report");
    lines.push_back("     Northing Misclose: " + f.Length("%12.3f", m.north));
    lines.push_back("     Easting Misclose : " + f.Length("%12.3f", m.east));
    lines.push_back("     Bearing Misclose :  " + bearing);
    lines.push_back("     Distance Misclose: " + f.Length("%12.3f", m.distance));
    lines.push_back("      Area            :         " + area);
    lines.push_back("     Perimeter        : " + perimeter);
    lines.push_back(closed ? std::string("     Accuracy         :        Traverse is closed")
                           : Sprintf("     Accuracy         :         1:%1.0f", ratio));
  }
  AppendTable(lines, sheet, f, csv, true, corrected);
  return lines;
}

int PrintTraverseHeader(Traverse& sheet, PageCanvas* canvas) {
  if (canvas == nullptr) {
    sheet.MessageLines().clear();
    return -1;
  }
  DrawListingHeader(*canvas, "Traverse Report", "Traverse File  :", sheet.DocumentPath());
  return 0;
}

int ListTraverseReport(Traverse& sheet, PageCanvas* canvas, const RowRange& range) {
  std::vector<std::string> report = TraverseReportLines(sheet);
  if (canvas != nullptr) {
    const LineRange listed = ClipToListing(range, static_cast<int>(report.size()));
    DrawListingLines(*canvas, std::vector<std::string>(report.begin() + listed.first,
                                                       report.begin() + listed.end));
    return 0;
  }
  std::vector<std::string> lines = {"Traverse Report",
                                    "Traverse File  :" + Utf8ToCp1252(sheet.DocumentPath())};
  lines.insert(lines.end(), report.begin(), report.end());
  WriteAndOpenReport(sheet.Context(), lines, sheet.Context().app.job.ReportPath(kReportPattern),
                     true, ReportPage());
  return 0;
}

int WriteTraverseAdjustmentReport(Traverse& sheet, const TraverseReportChoice& choice,
                                  std::string* written) {
  SheetContext& ctx = sheet.Context();
  const std::vector<std::string> lines =
      TraverseAdjustmentReportLines(sheet, choice.csv, choice.corrected);
  CReportWriter writer(ctx.messages);
  writer.settings = ReportPage();
  std::string path =
      ctx.app.job.ReportPath(choice.csv ? kAdjustmentCsvPattern : kAdjustmentRtfPattern);
  const int result = choice.csv ? writer.WriteCsv(lines, path)
                                : writer.WriteReport(lines, path, true, true, false);
  if (result != 1) return 0;
  if (written) *written = path;
  ctx.shell.OpenFile(path);
  return 1;
}

}  // namespace kestrel

#include "sheets/stadia/stadia_reduction.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "job/job_location.h"
#include "platform/ascii_case.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/stadia/field_notes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_reports.h"
#include "sheets/stadia/stadia_tolerances.h"
#include "survey/angle_steps.h"
#include "survey/angles.h"
#include "survey/entry_doubts.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

// "null" on an HZ/DH shot: 1e20 in single precision, which shows empty.
constexpr double kNoHeightDifference = 100000002004087734272.0;
constexpr double kThreeRightAngles = 4.71238898038469;
constexpr std::string_view kAtmosphericKeyword = "AtmosphericCorrectionCoefficient";
// Anywhere in a note, in any case: set-ups without a backsight found take
// their circle as bearings.
constexpr std::string_view kAzimuthOnly = "azimuth only";

bool IsZeroPoint(const StadiaRow& row) {
  return std::fabs(row.east) < kZeroStationLimit && std::fabs(row.north) < kZeroStationLimit &&
         std::fabs(row.height) < kZeroStationLimit;
}

// Heights are held to single precision, as the sheet file's readers expect.
double StoredHeight(double value) { return SinglePrecisionOrEmpty(value); }

void CopyPoint(StadiaRow& to, const StadiaRow& from) {
  to.east = from.east;
  to.north = from.north;
  to.height = StoredHeight(from.height);
}

}  // namespace

// The cells whose values cannot be what was meant, after the reduction's own
// lines: "line 12 Hz Cir 45°75'00\": 75 minutes: ...". The rows are passed
// over once; only a row with a suspect field is looked at column by column.
void ListDoubtfulCells(Stadia& sheet) {
  const std::vector<StadiaRow>& rows = sheet.Rows();
  const StadiaColumns& columns = sheet.Columns();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const StadiaRow& row = rows[i];
    // obs2 is not always an angle; CellDoubt tells.
    if (row.typedLetters == 0 && AngleReadingDoubt(row.hz).empty() &&
        AngleReadingDoubt(row.obs2).empty()) {
      continue;
    }
    CellValue cell;
    for (int column = 1; column < columns.entryColumns; ++column) {
      sheet.CellText(column, static_cast<int>(i), cell);
      if (cell.doubt.empty()) continue;
      sheet.MessageLines().push_back(Sprintf("line %d %s %s: %s", static_cast<int>(i),
                                             std::string(columns.Heading(column, row.type)).c_str(),
                                             cell.text.c_str(), cell.doubt.c_str()));
    }
  }
}

int CalculateStadia(Stadia& sheet) {
  StadiaReduction(sheet).Run();
  ListDoubtfulCells(sheet);
  SheetContext& ctx = sheet.Context();
  if (!ctx.app.errorReport || sheet.MessageLines().empty()) return 0;
  WriteAndOpenReport(ctx, sheet.MessageLines(), ctx.app.job.ReportPath(kStadiaErrorReportName),
                     false);
  return 0;
}

StadiaReduction::StadiaReduction(Stadia& sheet)
    : rows_(sheet.Rows()),
      lines_(sheet.MessageLines()),
      lasting_(sheet.ReductionOptions()),
      reReduction_(sheet.ReReduction()) {}

void StadiaReduction::Run() {
  lines_.clear();
  if (rows_.empty()) return;
  // Only the points that set-ups ask for are followed through the shots: a
  // sheet has a hundred shots to a set-up, and a small index stays fast.
  std::vector<std::uint32_t> asked;
  for (const StadiaRow& row : rows_) {
    if (row.type != kStadiaAtBs) continue;
    asked.push_back(row.point);
    asked.push_back(BacksightNumber(row));
  }
  shotsAbove_ = StationsAbove(asked);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const int type = rows_[i].type;
    if (IsStadiaShot(type) && setups_.empty() && !noSetupLineAdded_) {
      AddLine(Sprintf(kNoSetupYetLine, static_cast<int>(i)));
      noSetupLineAdded_ = true;
    }
    bool keepOffsets = false;
    if (type == kStadiaStn) {
      ReduceStation(i);
    } else if (type == kStadiaAtBs) {
      ReduceSetup(i);
    } else if (type == kStadiaFnote) {
      ReadNote(rows_[i].note);
      keepOffsets = true;
    } else if (IsStadiaShot(type)) {
      keepOffsets = !ReduceShot(i);
      shotsAbove_.Pass(rows_[i].point, i);
    }
    if (!keepOffsets) ClearOffsets();
  }
}

void StadiaReduction::AddLine(std::string line) { lines_.push_back(std::move(line)); }

void StadiaReduction::ClearOffsets() { radial_ = right_ = left_ = false; }

// --- Lookups ---------------------------------------------------------------

std::ptrdiff_t StadiaReduction::FirstListedStation(std::uint32_t point) const {
  const auto found = firstStation_.find(point);
  return found == firstStation_.end() ? -1 : static_cast<std::ptrdiff_t>(found->second);
}

// A zero station is listed only while no other station has its number (a
// zero row never joins a number already listed), and it is replaced in place,
// so it can only be the first station of its number.
std::ptrdiff_t StadiaReduction::ZeroListedStation(std::uint32_t point) const {
  const std::ptrdiff_t first = FirstListedStation(point);
  if (first < 0 || !IsZeroPoint(rows_[stations_[static_cast<std::size_t>(first)]])) return -1;
  return first;
}

std::ptrdiff_t StadiaReduction::NearestShotAbove(std::size_t, std::uint32_t point) const {
  const std::optional<std::size_t> found = shotsAbove_.Nearest(point);
  return found ? static_cast<std::ptrdiff_t>(*found) : -1;
}

bool StadiaReduction::AzimuthOnlyNoteAbove(std::size_t) const { return azimuthOnlySeen_; }

// --- STN -------------------------------------------------------------------

void StadiaReduction::ReduceStation(std::size_t index) {
  const StadiaRow& row = rows_[index];
  if (IsEmptyValue(row.east) || IsEmptyValue(row.north) || IsEmptyValue(row.height)) return;
  if (IsZeroPoint(row) && FirstListedStation(row.point) >= 0) return;

  // A station booked as zeros until its coordinates were known: the real row
  // takes its place and fills the earlier row in.
  if (const std::ptrdiff_t zero = ZeroListedStation(row.point); zero >= 0) {
    std::size_t& slot = stations_[static_cast<std::size_t>(zero)];
    CopyPoint(rows_[slot], row);
    slot = index;
    return;
  }
  stations_.push_back(index);
  firstStation_.try_emplace(row.point, stations_.size() - 1);
}

// --- AT/BS -----------------------------------------------------------------

void StadiaReduction::ReduceSetup(std::size_t index) {
  StadiaRow& row = rows_[index];
  const std::uint32_t at = row.point;
  const std::uint32_t bs = BacksightNumber(row);

  StadiaSetup setup{.row = index, .point = at, .instrumentHeight = row.dist};
  const auto standOn = [&](const StadiaRow& known) {
    setup.east = known.east;
    setup.north = known.north;
    setup.height = known.height;
    CopyPoint(row, known);
  };
  bool stationFound = false, stationZero = false, backsightZero = false;
  Backsight backsight = bs == 0 ? Backsight::Absent : Backsight::NotFound;
  double bsEast = 0.0, bsNorth = 0.0;

  if (const std::ptrdiff_t p = FirstListedStation(at); p >= 0) {
    const StadiaRow& station = rows_[stations_[static_cast<std::size_t>(p)]];
    standOn(station);
    stationZero = IsZeroPoint(station);
    stationFound = !stationZero;
  }
  if (backsight == Backsight::NotFound) {
    if (const std::ptrdiff_t p = FirstListedStation(bs); p >= 0) {
      const StadiaRow& station = rows_[stations_[static_cast<std::size_t>(p)]];
      bsEast = station.east;
      bsNorth = station.north;
      if (IsZeroPoint(station)) {
        backsightZero = true;
      } else {
        backsight = Backsight::Found;
      }
    }
  }

  // Points not known as stations (and, when re-reducing, every point) come
  // from the nearest shot to them above. A sheet without a backsight number
  // has no backsight point to look for.
  if (!stationFound || reReduction_) {
    if (const std::ptrdiff_t r = NearestShotAbove(index, at); r >= 0) {
      standOn(rows_[static_cast<std::size_t>(r)]);
      stationFound = true;
    }
  }
  if (backsight == Backsight::NotFound || (reReduction_ && backsight == Backsight::Found)) {
    if (const std::ptrdiff_t r = NearestShotAbove(index, bs); r >= 0) {
      bsEast = rows_[static_cast<std::size_t>(r)].east;
      bsNorth = rows_[static_cast<std::size_t>(r)].north;
      backsight = Backsight::Found;
    }
  }

  if (!stationFound) {
    AddLine(Sprintf(stationZero ? kZeroStationLine : kStationNotFoundLine, at));
    stationFound = stationZero;
  }
  if (backsight == Backsight::NotFound && backsightZero) {
    AddLine(Sprintf(kZeroStationLine, bs));
    backsight = Backsight::Found;
  }
  bool azimuthOnly = false;
  if (backsight == Backsight::NotFound) {
    azimuthOnly = AzimuthOnlyNoteAbove(index);
    if (!azimuthOnly) AddLine(Sprintf(kBacksightNotFoundLine, bs));
  }

  setupValid_ = stationFound && (backsight != Backsight::NotFound || azimuthOnly);
  if (!setupValid_) return;
  if (backsight == Backsight::Found && !azimuthOnly) {
    const double bearing = BearingBetween(setup.east, setup.north, bsEast, bsNorth);
    setup.orientation = RadiansToDegrees(bearing) - DmsToDegrees(row.hz);
    if (std::fabs(setup.orientation) < kNoOrientationDegrees) setup.orientation = 0.0;
  }
  setups_.push_back(setup);
}

// --- Fnote -----------------------------------------------------------------

void StadiaReduction::ReadNote(const std::string& note) {
  if (ContainsIgnoringAsciiCase(note, kAzimuthOnly)) azimuthOnlySeen_ = true;
  const FieldNote read = ReadFieldNote(note);
  switch (read.keyword) {
    case NoteKeyword::RightOffset:
    case NoteKeyword::LeftOffset:
      lateralOffset_ = read.value;
      (read.keyword == NoteKeyword::RightOffset ? right_ : left_) = true;
      break;
    case NoteKeyword::RadialOffset:
      radialOffset_ = read.value;
      radial_ = true;
      break;
    case NoteKeyword::Convention:
      lasting_.convention = read.convention;
      break;
    case NoteKeyword::NoHeight:
      noHeight_ = true;
      break;
    case NoteKeyword::VerticalAdjustment:
      lasting_.verticalAdjustment = read.value;
      break;
    case NoteKeyword::None:
      // The Stadia reduction's own keywords.
      if (StartsWithIgnoringAsciiCase(note, "backface")) {
        backFace_ = true;
      } else if (StartsWithIgnoringAsciiCase(note, kAtmosphericKeyword)) {
        // One separator character stands between the keyword and the number.
        lasting_.atmosphericCoefficient = NoteNumber(note, kAtmosphericKeyword.size() + 1);
      }
      break;
  }
}

// --- Shots -----------------------------------------------------------------

bool StadiaReduction::ReduceShot(std::size_t index) {
  StadiaRow& row = rows_[index];
  if (!setupValid_) {
    row.east = row.north = kUnreducedCoordinate;
    if (row.type != kStadiaHdRl) row.height = StoredHeight(kUnreducedCoordinate);
    return true;
  }
  const bool needsObs2 = row.type != kStadiaHdRl;
  if (IsEmptyValue(row.hz) || (needsObs2 && IsEmptyValue(row.obs2))) return false;

  // "backface" expects the circle read through the back of the telescope,
  // 180 plus the zenith angle, which always lies above 180. A reading below
  // 180 cannot be one: the note would put the point on the other side of the
  // set-up with its height difference reversed, so the surveyor is told.
  if (backFace_ && lasting_.convention == VerticalConvention::Zenith &&
      (row.type == kStadiaSdHt || row.type == kStadiaChk) && DmsToDegrees(row.obs2) < 180.0) {
    AddLine(
        Sprintf("line %d vertical reading below 180 under \"backface\": a back-face reading "
                "is 180 plus the zenith angle",
                static_cast<int>(index)));
  }
  const StadiaSetup& setup = setups_.back();
  const double azimuth = DegreesToRadians(DmsToDegrees(row.hz) + setup.orientation);
  if (row.type == kStadiaSdHt || row.type == kStadiaChk) {
    SlopeShot(row, setup, azimuth);
  } else {
    row.east = FiniteOrEmpty(setup.east + std::sin(azimuth) * row.dist);
    row.north = FiniteOrEmpty(setup.north + std::cos(azimuth) * row.dist);
    if (row.type == kStadiaHzDh) {
      row.height =
          noHeight_ ? kNoHeightDifference
                    : StoredHeight(setup.height + setup.instrumentHeight - row.targetHt + row.obs2);
    } else if (noHeight_) {
      row.height = kEmptyValue;  // HD/RL keeps its entered height otherwise
    }
  }
  noHeight_ = false;
  ApplyOffsets(row, setup);
  return true;
}

void StadiaReduction::SlopeShot(StadiaRow& row, const StadiaSetup& setup, double azimuth) {
  const double elevation =
      DegreesToRadians(ElevationDegrees(DmsToDegrees(row.obs2), lasting_.convention, backFace_) +
                       DmsToDegrees(lasting_.verticalAdjustment));

  double slope = row.dist;
  const double coefficient = lasting_.atmosphericCoefficient;
  if (row.type == kStadiaSdHt && std::fabs(coefficient) > 100) slope *= 1 + coefficient / 1000000;

  const double horizontal = std::cos(elevation) * slope;
  row.east = FiniteOrEmpty(setup.east + horizontal * std::sin(azimuth));
  row.north = FiniteOrEmpty(setup.north + horizontal * std::cos(azimuth));
  row.height = noHeight_ ? kEmptyValue
                         : StoredHeight(setup.height + setup.instrumentHeight - row.targetHt +
                                        std::sin(elevation) * slope);
}

void StadiaReduction::ApplyOffsets(StadiaRow& row, const StadiaSetup& setup) const {
  if (radial_) {
    const double d0 = DistanceBetween(setup.east, setup.north, row.east, row.north);
    if (d0 == 0) return;  // a point on the station has no direction to move in
    const double scale = (d0 + radialOffset_) / d0;
    row.east = FiniteOrEmpty(setup.east + (row.east - setup.east) * scale);
    row.north = FiniteOrEmpty(setup.north + (row.north - setup.north) * scale);
  } else if (right_ || left_) {
    const double bearing = BearingBetween(setup.east, setup.north, row.east, row.north);
    double dEast = 0.0, dNorth = 0.0;
    PolarStep(bearing + (right_ ? kPi / 2 : kThreeRightAngles), lateralOffset_, dEast, dNorth);
    row.east = FiniteOrEmpty(row.east + dEast);
    row.north = FiniteOrEmpty(row.north + dNorth);
  }
}

}  // namespace kestrel

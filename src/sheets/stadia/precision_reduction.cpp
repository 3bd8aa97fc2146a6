#include "sheets/stadia/precision_reduction.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "adjust/grid_corrections.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/stadia/field_notes.h"
#include "sheets/stadia/precision_angles.h"
#include "sheets/stadia/stations_above.h"
#include "survey/angle_steps.h"
#include "survey/angles.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);
// Most shots are never looked up: a dense filter over the points set-ups ask
// for tells so without probing the index.
constexpr int kFilterBitsPerPoint = 64;
constexpr double kUnknownOrientation = 1e15;
// Beyond this the box cannot be a refraction rate (it would be degrees per km).
constexpr double kLargestVerticalAdjustment = 1e6;

bool Usable(double value) { return std::isfinite(value) && !IsEmptyValue(value); }
double Stored(double value) { return Usable(value) ? value : kEmptyValue; }
double OrZero(double value) { return Usable(value) ? value : 0.0; }

// Into [0, 360] by one turn at most, as bearings of one calculation need.
double OneTurn(double degrees) {
  if (degrees > 360.0) degrees -= 360.0;
  if (degrees < 0.0) degrees += 360.0;
  return degrees;
}

// The log's printf fields ("%5d", "%6.2f", ...) written without printf: a
// million-row sheet logs a line per slope shot. std::to_chars rounds as
// printf does in the C locale.
void AppendPadded(std::string& out, const char* begin, const char* end, int width) {
  const int length = static_cast<int>(end - begin);
  if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(begin, end);
}
void AppendInt(std::string& out, int value, int width) {
  char buffer[16];
  const auto done = std::to_chars(buffer, buffer + sizeof buffer, value);
  AppendPadded(out, buffer, done.ptr, width);
}
void AppendFixed(std::string& out, double value, int width, int precision) {
  char buffer[400];  // a double's longest fixed form fits
  const auto done =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  AppendPadded(out, buffer, done.ptr, width);
}

std::uint64_t PairKey(std::uint32_t from, std::uint32_t to) {
  return (std::uint64_t{from} << 32) | to;
}

bool IsShot(int type) { return IsStadiaShot(type); }
bool IsSlope(int type) { return type == kStadiaSdHt || type == kStadiaChk; }
// Rows whose coordinates later rows may look up by point number.
bool GivesCoordinates(int type) {
  return type == kStadiaStn || type == kStadiaSdHt || type == kStadiaHzDh;
}

struct Coordinates {
  double east = 0.0, north = 0.0, height = 0.0;
};

class Reduction {
 public:
  Reduction(std::vector<PrecisionStadiaRow>& rows, PrecisionReductionState& state,
            const PrecisionReductionOptions& options)
      : rows_(rows), state_(state), options_(options), grid_(options.geoid) {}

  PrecisionReductionResult Run() {
    IndexWhatSetupsAsk();
    BearingPass();
    if (options_.gridCorrections) {
      result_.correctionsLog.reserve(slopeShots_ + 2);
      result_.correctionsLog.push_back(kCorrectionsTitle);
      result_.correctionsLog.push_back("");
      GridPass();
    }
    CoordinatePass();
    return std::move(result_);
  }

 private:
  // --- Indexes ---------------------------------------------------------------

  // Only the points set-ups stand on or sight, and the shots before the
  // first set-up, are ever looked up; only the pairs set-ups sight are ever
  // searched for in the observed directions. Knowing them up front keeps the
  // per-row cost of the indexes to one hash probe.
  void IndexWhatSetupsAsk() {
    std::vector<std::uint32_t> wantedPoints;
    bool setupSeen = false;
    for (const PrecisionStadiaRow& row : rows_) {
      if (row.type == kStadiaAtBs) {
        setupSeen = true;
        wantedPoints.push_back(row.point);
        const std::uint32_t b = BacksightNumber(row);
        if (b != 0) {
          wantedPoints.push_back(b);
          wantedPairs_.insert(PairKey(row.point, b));
          wantedPairs_.insert(PairKey(b, row.point));
        }
      } else if (row.type == kStadiaSdHt) {
        ++slopeShots_;
      }
      if (!setupSeen && IsShot(row.type)) {
        wantedPoints.push_back(row.point);
        wantedPoints.push_back(0);  // the "set-up point" of shots above every set-up
      }
    }
    coordinatesAbove_ = StationsAbove(wantedPoints, kFilterBitsPerPoint);
  }

  void BeginPass() {
    coordinatesAbove_.Restart();
    station_ = kNoRow;
  }

  // After row i is handled: it may now answer lookups from the rows below.
  void Passed(std::size_t i) {
    const PrecisionStadiaRow& row = rows_[i];
    if (row.type == kStadiaAtBs) station_ = i;
    if (GivesCoordinates(row.type)) coordinatesAbove_.Pass(row.point, i);
  }

  // The nearest row above that gives coordinates for `point`, when they are
  // known.
  bool CoordinatesOf(std::uint32_t point, Coordinates& out) const {
    const std::optional<std::size_t> found = coordinatesAbove_.Nearest(point);
    if (!found) return false;
    const PrecisionStadiaRow& row = rows_[*found];
    if (!Usable(row.east) || !Usable(row.north)) return false;
    out = {row.east, row.north, row.height};
    return true;
  }

  // The station of the row in hand: the nearest AT/BS row above, or the
  // origin when there is none. False when that set-up's point is unknown.
  bool Station(Coordinates& at, double& instrumentHeight) const {
    if (station_ == kNoRow) {
      at = {};
      instrumentHeight = 0.0;
      return true;
    }
    const PrecisionStadiaRow& setup = rows_[station_];
    if (!Usable(setup.east) || !Usable(setup.north)) return false;
    at = {setup.east, setup.north, setup.height};
    instrumentHeight = OrZero(setup.dist);
    return true;
  }

  void AddMessage(std::string text) { result_.messages.push_back(std::move(text)); }

  // --- Pass 1: refraction ----------------------------------------------------

  // Each row's adjustment depends on that row alone, so it is made as the
  // bearing pass reaches the row rather than in a sweep of its own (a sweep
  // over a million rows costs more than the arithmetic).
  void AdjustVertical(PrecisionStadiaRow& row) const {
    if (row.type != kStadiaSdHt) return;
    if (verticalRate_ == 0.0 || !Usable(row.obs2) || !Usable(row.dist)) {
      row.correctedVt = row.obs2;
      return;
    }
    const double lowered = verticalRate_ * row.dist / 1000.0 / kRadiansPerDegree;
    row.correctedVt = DegreesToPreciseDms(DmsToDegrees(row.obs2) - lowered);
  }

  // --- Pass 2: bearings ------------------------------------------------------

  void BearingPass() {
    if (std::fabs(options_.verticalAdjustment) > kLargestVerticalAdjustment) {
      AddMessage(Sprintf(kVerticalAdjustmentRangeLine, options_.verticalAdjustment));
    }
    verticalRate_ = VerticalAdjustmentRate(options_.verticalAdjustment);
    BeginPass();
    setupPoint_ = 0;
    orientation_ = kUnknownOrientation;
    zeroCircle_ = false;
    setupFailed_ = false;
    firstDirection_.clear();
    directionCount_ = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      AdjustVertical(rows_[i]);
      const int type = rows_[i].type;
      if (type == kStadiaAtBs) {
        OrientSetup(i);
        Step(i);
      } else if (IsShot(type)) {
        if (OrientShot(i)) Step(i);
      } else if (type == kStadiaFnote) {
        Step(i);
      }
      Passed(i);
    }
    rangePending_ = true;
  }

  // After the bearing pass every bearing but a station's is brought into
  // [0, 360) once; the next pass does it as it reaches each row, which is
  // the same since no row reads another's bearing in between.
  void BringIntoRange(PrecisionStadiaRow& row) const {
    if (!rangePending_ || row.type == kStadiaStn || !Usable(row.gridBearing)) return;
    if (row.gridBearing < -0.0001) row.gridBearing += 360.0;
    if (row.gridBearing > 359.9999) row.gridBearing -= 360.0;
  }

  void Observe(std::uint32_t from, std::uint32_t to, double bearing) {
    const std::uint64_t key = PairKey(from, to);
    ++directionCount_;
    if (!coordinatesAbove_.Follows(to) || wantedPairs_.count(key) == 0) return;
    firstDirection_.try_emplace(key, directionCount_, bearing);
  }

  void OrientSetup(std::size_t i) {
    PrecisionStadiaRow& row = rows_[i];
    const std::size_t line = i + 1;
    setupPoint_ = row.point;
    setupFailed_ = false;
    Coordinates at;
    const bool atKnown = CoordinatesOf(setupPoint_, at);
    if (!atKnown) AddMessage(Sprintf(kSetupPointUnknownLine, line, setupPoint_));
    const double reading = Usable(row.hz) ? DmsToDegrees(row.hz) : 0.0;
    const std::uint32_t backsight = BacksightNumber(row);
    if (backsight == 0) {
      // No backsight point: the reading is the back bearing, or a circle set
      // to zero on north whose readings are bearings.
      zeroCircle_ = std::fabs(Usable(row.hz) ? row.hz : 0.0) < 0.0001;
      orientation_ = zeroCircle_ ? 0.0 : reading;
      row.gridBearing = orientation_;
      return;
    }
    zeroCircle_ = false;
    orientation_ = kUnknownOrientation;
    const auto forward = firstDirection_.find(PairKey(setupPoint_, backsight));
    const auto reverse = firstDirection_.find(PairKey(backsight, setupPoint_));
    const bool useForward =
        forward != firstDirection_.end() &&
        (reverse == firstDirection_.end() || forward->second.first < reverse->second.first);
    if (useForward) {
      orientation_ = OneTurn(forward->second.second - reading);
      row.gridBearing = orientation_;
      return;
    }
    if (reverse != firstDirection_.end()) {
      orientation_ = OneTurn(reverse->second.second + 180.0 - reading);
      row.gridBearing = orientation_;
      return;
    }
    Coordinates back;
    const bool backKnown = CoordinatesOf(backsight, back);
    const double bearing = atKnown && backKnown
                               ? BearingBetween(at.east, at.north, back.east, back.north)
                               : kNoBearing;
    if (bearing == kNoBearing) {
      if (atKnown) AddMessage(Sprintf(kBacksightUnknownLine, line, backsight));
      setupFailed_ = true;
      row.gridBearing = kEmptyValue;
      return;
    }
    row.gridBearing = bearing / kRadiansPerDegree;
    if (options_.gridCorrections) {
      const double arcToChord =
          grid_.ArcToChord(at.east, at.north, 0.0, back.east, back.north, 0.0);
      row.gridBearing = OneTurn(row.gridBearing - arcToChord / 3600.0);
    }
    orientation_ = row.gridBearing - reading;
  }

  // Gives a shot its horizontal distance and bearing; false when a reading
  // is missing or the shot cannot be oriented (its results are then empty).
  bool OrientShot(std::size_t i) {
    PrecisionStadiaRow& row = rows_[i];
    const bool needsSecond = row.type != kStadiaHdRl;
    if (!Usable(row.hz) || (needsSecond && !Usable(row.obs2)) || !Usable(row.dist)) {
      ClearResults(row);
      return false;
    }
    const double reading = DmsToDegrees(row.hz);
    double z = 0.0;
    if (IsSlope(row.type)) {
      z = DmsToDegrees(row.obs2) - 90.0;
      // Negative for a zenith reading between 180 and 360 degrees, which puts
      // a face-right shot on the right side of the station.
      row.reducedDist = std::cos(z * kRadiansPerDegree) * row.dist;
    } else {
      row.reducedDist = row.dist;
    }
    const std::uint32_t p = row.point;
    if (zeroCircle_) {
      Observe(setupPoint_, p, row.reducedDist > 0.0 ? reading : OneTurn(reading + 180.0));
      row.gridBearing = reading;
    } else if (setupFailed_) {
      ClearResults(row);
      return false;
    } else if (std::fabs(orientation_) <= kEmptyThreshold) {
      const bool faceRight = IsSlope(row.type) && z > 90.0 && z < 270.0;
      double direction = reading + orientation_ + (faceRight ? 180.0 : 0.0);
      if (direction > 360.0) direction -= 360.0;
      Observe(setupPoint_, p, direction);
      row.gridBearing = reading + orientation_;
    } else {
      // Above every set-up: the instrument is oriented on the shot's own
      // point, whose coordinates must be known from a row above.
      Coordinates at;
      Coordinates to;
      if (!CoordinatesOf(setupPoint_, at)) at = {};
      const double bearing =
          CoordinatesOf(p, to) ? BearingBetween(at.east, at.north, to.east, to.north) : kNoBearing;
      if (bearing == kNoBearing) {
        AddMessage(Sprintf(kForesightUnknownLine, i + 1, p));
        ClearResults(row);
        return false;
      }
      const double beta = bearing / kRadiansPerDegree;
      Observe(setupPoint_, p, beta);
      orientation_ = OneTurn(beta - reading);
      row.gridBearing = OneTurn(reading + orientation_);
    }
    return true;
  }

  static void ClearResults(PrecisionStadiaRow& row) {
    row.reducedDist = kEmptyValue;
    row.gridBearing = kEmptyValue;
    row.east = kEmptyValue;
    row.north = kEmptyValue;
    if (row.type != kStadiaHdRl) row.height = kEmptyValue;
  }

  // --- Pass 3: grid corrections ----------------------------------------------

  void GridPass() {
    BeginPass();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      BringIntoRange(rows_[i]);
      const int type = rows_[i].type;
      if (type == kStadiaStn || type == kStadiaAtBs) {
        Passed(i);
        continue;
      }
      if (type == kStadiaSdHt && Usable(rows_[i].gridBearing) && Usable(rows_[i].east) &&
          Usable(rows_[i].north)) {
        CorrectForGrid(i);
      } else if (IsShot(type) && type != kStadiaSdHt) {
        PassOverShot(rows_[i]);
      } else {
        Step(i);
      }
      Passed(i);
    }
    rangePending_ = false;
  }

  // A shot the grid corrections leave alone: the coordinate pass works its
  // coordinates out again and no row of this pass reads them, so only what
  // the per-row step does to the notes' state is done ("null" used up,
  // offsets cleared; both kept past a shot missing a reading).
  void PassOverShot(const PrecisionStadiaRow& row) {
    const bool needsSecond = row.type != kStadiaHdRl;
    if (!Usable(row.hz) || (needsSecond && !Usable(row.obs2))) return;
    Coordinates at;
    double instrumentHeight = 0.0;
    if (Usable(row.gridBearing) && Usable(row.reducedDist) && Station(at, instrumentHeight)) {
      state_.noHeight = false;
    }
    state_.extend = state_.right = state_.left = false;
  }

  void CorrectForGrid(std::size_t i) {
    PrecisionStadiaRow& row = rows_[i];
    Coordinates at;
    double instrumentHeight = 0.0;
    if (!Station(at, instrumentHeight)) return;
    const int from = station_ == kNoRow ? -1 : static_cast<int>(rows_[station_].point);
    const double arcToChord =
        grid_.ArcToChord(at.east, at.north, at.height, row.east, row.north, row.height);
    row.gridBearing += arcToChord / 3600.0;
    // Rounded first so that a correction a hair below zero prints as 0.00.
    const double shown = std::round(arcToChord * 100.0) / 100.0 + 0.0;
    // kArcToChordLine, then kScaleLine.
    std::string line = "from ";
    line.reserve(80);
    AppendInt(line, from, 5);
    line += " to ";
    AppendInt(line, static_cast<int>(row.point), 5);
    line += "  ArcToChord ";
    AppendFixed(line, shown, 6, 2);
    Step(i);
    // A shot without a height is taken at the station's height; a station
    // without one gets no sea-level correction.
    const double h0 = Usable(at.height) ? at.height : 0.0;
    const double h = Usable(row.height) ? row.height : h0;
    double scale = 1.0;
    double seaLevel = 0.0;
    grid_.ScaleAndSeaLevel(at.east, at.north, h0, row.east, row.north, h, scale, seaLevel);
    if (!Usable(at.height)) seaLevel = 0.0;
    // The sea-level correction shortens a face-right distance too.
    const double length = (std::fabs(row.reducedDist) - seaLevel) * scale;
    row.reducedDist = Stored(std::copysign(length, row.reducedDist));
    line += " SLC ";
    AppendFixed(line, seaLevel, 8, 3);
    line += "  LSF ";
    AppendFixed(line, scale, 13, 9);
    result_.correctionsLog.push_back(std::move(line));
  }

  // --- Pass 4: coordinates ---------------------------------------------------

  void CoordinatePass() {
    state_.convention = PrecisionVertical::Zenith;
    state_.noHeight = false;
    state_.verticalAdjustment = 0.0;
    BeginPass();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      BringIntoRange(rows_[i]);
      Step(i);
      Passed(i);
    }
    rangePending_ = false;
  }

  // --- The per-row step --------------------------------------------------------

  void Step(std::size_t i) {
    PrecisionStadiaRow& row = rows_[i];
    switch (row.type) {
      case kStadiaFnote:
        ReadNote(row.note);
        return;
      case kStadiaAtBs: {
        Coordinates at;
        if (CoordinatesOf(row.point, at)) {
          row.east = at.east;
          row.north = at.north;
          row.height = Stored(at.height);
        } else {
          row.east = row.north = row.height = kEmptyValue;
        }
        break;
      }
      case kStadiaStn:
        break;
      default:
        if (!ComputeShot(row)) return;  // offsets wait for the next reduced row
        break;
    }
    state_.extend = state_.right = state_.left = false;
  }

  // False when the shot is skipped (a reading missing).
  bool ComputeShot(PrecisionStadiaRow& row) {
    const bool needsSecond = row.type != kStadiaHdRl;
    if (!Usable(row.hz) || (needsSecond && !Usable(row.obs2))) return false;
    Coordinates at;
    double instrumentHeight = 0.0;
    if (!Usable(row.gridBearing) || !Usable(row.reducedDist) || !Station(at, instrumentHeight)) {
      ClearResults(row);
      return true;
    }
    const double theta = row.gridBearing * kRadiansPerDegree;
    const double horizontal =
        row.type == kStadiaSdHt || row.type == kStadiaChk ? row.reducedDist : row.dist;
    row.east = Stored(at.east + std::sin(theta) * horizontal);
    row.north = Stored(at.north + std::cos(theta) * horizontal);
    const bool noHeight = state_.noHeight;
    state_.noHeight = false;
    if (row.type == kStadiaHdRl) {
      if (noHeight) row.height = kEmptyValue;
    } else if (noHeight || !Usable(at.height)) {
      row.height = kEmptyValue;
    } else {
      const double base = at.height + instrumentHeight - OrZero(row.targetHt);
      if (row.type == kStadiaHzDh) {
        row.height = Stored(base + row.obs2);
      } else {
        const double e = Elevation(row.type == kStadiaSdHt ? row.correctedVt : row.obs2);
        row.height = Stored(base + std::sin(e * kRadiansPerDegree) * row.dist);
      }
    }
    ApplyOffsets(row, at);
    return true;
  }

  // The elevation angle in degrees of a vertical reading under the
  // convention in force, with the "vertadj" note's angle added.
  double Elevation(double reading) const {
    const double adjustment =
        state_.verticalAdjustment == 0.0 ? 0.0 : DmsToDegrees(state_.verticalAdjustment);
    return ElevationDegrees(DmsToDegrees(reading), state_.convention) + adjustment;
  }

  void ApplyOffsets(PrecisionStadiaRow& row, const Coordinates& at) const {
    if (!Usable(row.east) || !Usable(row.north)) return;
    if (state_.extend) {
      const double d = DistanceBetween(at.east, at.north, row.east, row.north);
      if (d <= 0.0) return;
      row.east = Stored((row.east - at.east) * (d + state_.extension) / d + at.east);
      row.north = Stored((row.north - at.north) * (d + state_.extension) / d + at.north);
    } else if (state_.right || state_.left) {
      const double bearing = BearingBetween(at.east, at.north, row.east, row.north);
      if (bearing == kNoBearing) return;
      const double side = bearing + (state_.right ? kPi / 2.0 : 4.71238898038469);
      double dEast = 0.0;
      double dNorth = 0.0;
      PolarStep(side, state_.sideOffset, dEast, dNorth);
      row.east = Stored(row.east + dEast);
      row.north = Stored(row.north + dNorth);
    }
  }

  void ReadNote(std::string_view note) {
    const FieldNote read = ReadFieldNote(note);
    switch (read.keyword) {
      case NoteKeyword::RightOffset:
      case NoteKeyword::LeftOffset:
        state_.sideOffset = read.value;
        (read.keyword == NoteKeyword::RightOffset ? state_.right : state_.left) = true;
        break;
      case NoteKeyword::RadialOffset:
        state_.extension = read.value;
        state_.extend = true;
        break;
      case NoteKeyword::Convention:
        state_.convention = read.convention;
        break;
      case NoteKeyword::NoHeight:
        state_.noHeight = true;
        break;
      case NoteKeyword::VerticalAdjustment:
        state_.verticalAdjustment = read.value;
        break;
      case NoteKeyword::None:
        break;
    }
  }

  std::vector<PrecisionStadiaRow>& rows_;
  PrecisionReductionState& state_;
  const PrecisionReductionOptions& options_;
  const GridCorrections grid_;
  PrecisionReductionResult result_;

  // The nearest row above giving coordinates for each point set-ups ask for.
  StationsAbove coordinatesAbove_;
  std::unordered_set<std::uint64_t> wantedPairs_;
  std::size_t station_ = kNoRow;
  double verticalRate_ = 0.0;  // radians per km
  std::size_t slopeShots_ = 0;
  bool rangePending_ = false;

  // Bearing pass.
  std::uint32_t setupPoint_ = 0;
  double orientation_ = kUnknownOrientation;
  bool zeroCircle_ = false;
  bool setupFailed_ = false;
  // (from, to) -> (order of the first such direction observed, its bearing)
  std::unordered_map<std::uint64_t, std::pair<std::size_t, double>> firstDirection_;
  std::size_t directionCount_ = 0;
};

}  // namespace

double VerticalAdjustmentRate(double boxValue) {
  if (!std::isfinite(boxValue) || std::fabs(boxValue) < 0.001 ||
      std::fabs(boxValue) > kLargestVerticalAdjustment) {
    return 0.0;
  }
  // The number reads as packed degrees, minutes and seconds scaled by 10^4:
  // ...DDMMSS with whole seconds.
  const double whole = std::round(std::fabs(boxValue));
  const double degrees = std::floor(whole / 10000.0);
  const double minutes = std::floor(whole / 100.0) - degrees * 100.0;
  const double seconds = whole - degrees * 10000.0 - minutes * 100.0;
  const double rate = degrees * kPi / 180.0 + minutes * kPi / 10800.0 + seconds * kPi / 648000.0;
  return boxValue < 0.0 ? -rate : rate;
}

PrecisionReductionResult ReducePrecisionStadia(std::vector<PrecisionStadiaRow>& rows,
                                               PrecisionReductionState& state,
                                               const PrecisionReductionOptions& options) {
  return Reduction(rows, state, options).Run();
}

}  // namespace kestrel

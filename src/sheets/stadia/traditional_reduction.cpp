// The Traditional Stadia reduction pass.
#include "sheets/stadia/traditional_reduction.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <unordered_map>

#include "platform/ascii_case.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/stadia/stadia_tolerances.h"
#include "sheets/stadia/traditional_tacheometry.h"
#include "survey/angles.h"
#include "survey/empty_value.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// The height an unreducible MH/SD shot is given when "null" asks for none.
constexpr float kNoHeightMhSd = 1e20f;

struct Setup {
  double east = 0.0, north = 0.0, height = 0.0;
  double instrumentHeight = 0.0;
  double orientation = 0.0;  // degrees added to every circle reading
};

struct Place {
  double east = 0.0, north = 0.0, height = 0.0;
};

bool Present(double value) { return std::fabs(value) <= kEmptyThreshold; }

bool IsZeroPlace(const Place& p) {
  return std::fabs(p.east) < kZeroStationLimit && std::fabs(p.north) < kZeroStationLimit &&
         std::fabs(p.height) < kZeroStationLimit;
}

Place PlaceOf(const TraditionalRow& row) { return {row.east, row.north, SingleValue(row.height)}; }

// The number after a keyword and its separator.
double NumberAfter(std::string_view text, std::size_t skip) {
  if (skip >= text.size()) return 0.0;
  return FiniteOrZero(ReadDouble(text.substr(skip)));
}

class Pass {
 public:
  Pass(std::vector<TraditionalRow>& rows, TraditionalOffsets& offsets)
      : rows_(rows), offsets_(offsets) {}

  std::vector<std::string> Run() {
    bool warned = false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      const int type = rows_[i].type;
      if (IsTraditionalShot(type) && setupCount_ == 0 && !warned) {
        lines_.emplace_back(kNoBacksightWarning);
        warned = true;
      }
      bool done = false;
      if (type == kTradStn) {
        done = Station(i);
      } else if (type == kTradAtBs) {
        SetUp(i);
        done = true;
      } else if (type == kTradFnote) {
        Note(rows_[i].note);
      } else if (IsTraditionalShot(type)) {
        done = Shot(i);
      }
      if (done) offsets_ = TraditionalOffsets{};
    }
    return std::move(lines_);
  }

 private:
  // The station list, by point: the first listed row and whether the list
  // holds it only as a zero station.
  struct Listed {
    std::size_t row = 0;
    bool zero = false;
  };

  bool Station(std::size_t index) {
    TraditionalRow& row = rows_[index];
    if (!Present(row.east) || !Present(row.north) || !Present(SingleValue(row.height))) {
      return false;
    }
    const bool zero = IsZeroPlace(PlaceOf(row));
    const auto found = stations_.find(row.point);
    if (found == stations_.end()) {
      stations_.emplace(row.point, Listed{index, zero});
    } else if (found->second.zero && !zero) {
      // The real coordinates arrive: the earlier zero booking takes them.
      TraditionalRow& earlier = rows_[found->second.row];
      earlier.east = row.east;
      earlier.north = row.north;
      earlier.height = row.height;
      found->second = Listed{index, false};
    }
    return true;
  }

  // The first shot above of `point`, when there is one with coordinates.
  const TraditionalRow* ShotAbove(std::uint16_t point) const {
    const auto found = firstShot_.find(point);
    return found == firstShot_.end() ? nullptr : &rows_[found->second];
  }

  void SetUp(std::size_t index) {
    TraditionalRow& row = rows_[index];
    const std::uint16_t a = row.point;
    const std::uint16_t b = TraditionalBacksight(row);
    setupValid_ = false;

    bool stationFound = false;
    bool stationZero = false;
    Place station;
    if (const auto listed = stations_.find(a); listed != stations_.end()) {
      station = PlaceOf(rows_[listed->second.row]);
      stationZero = listed->second.zero;
      stationFound = !stationZero;
    }
    bool backsightNone = b == 0;
    bool backsightFound = false;
    Place backsight;
    if (!backsightNone) {
      if (const auto listed = stations_.find(b); listed != stations_.end()) {
        backsight = PlaceOf(rows_[listed->second.row]);
        backsightFound = true;
      }
    }
    if (!stationFound) {
      if (const TraditionalRow* shot = ShotAbove(a)) {
        station = PlaceOf(*shot);
        stationFound = true;
        stationZero = false;
      }
    }
    if (!backsightNone && !backsightFound) {
      if (const TraditionalRow* shot = ShotAbove(b)) {
        backsight = PlaceOf(*shot);
        backsightFound = true;
      }
    }

    if (!stationFound && stationZero) {
      lines_.push_back(Sprintf(kTradZeroStation, unsigned{a}));
      stationFound = true;
    } else if (!stationFound) {
      lines_.push_back(Sprintf(kTradStationNotFound, unsigned{a}));
    }
    if (!backsightNone && !backsightFound) {
      lines_.push_back(Sprintf(kTradBacksightNotFound, unsigned{b}));
    }
    if (stationFound) {
      row.east = station.east;
      row.north = station.north;
      row.height = static_cast<float>(station.height);
    }
    if (!stationFound || !(backsightFound || backsightNone)) return;

    Setup setup{station.east, station.north, station.height, 0.0, 0.0};
    const double ih = SingleValue(row.midHair);
    setup.instrumentHeight = Present(ih) ? ih : 0.0;
    if (backsightFound) {
      const double reading = Present(SingleValue(row.hz)) ? DmsToDegrees(row.hz) : 0.0;
      double orientation =
          BearingBetween(station.east, station.north, backsight.east, backsight.north) *
              kDegreesPerRadian -
          reading;
      if (std::fabs(orientation) < 0.00027 || !std::isfinite(orientation)) orientation = 0.0;
      setup.orientation = orientation;
    }
    setup_ = setup;
    setupValid_ = true;
    ++setupCount_;
  }

  void Note(const std::string& note) {
    const auto is = [&note](std::string_view keyword) {
      return StartsWithIgnoringAsciiCase(note, keyword);
    };
    if (is("or ")) {
      offsets_.side = NumberAfter(note, 3);
      offsets_.right = true;
    } else if (is("ol ")) {
      offsets_.side = NumberAfter(note, 3);
      offsets_.left = true;
    } else if (is("go ")) {
      offsets_.extension = NumberAfter(note, 3);
      offsets_.extend = true;
    } else if (is("bk ")) {
      offsets_.extension = -NumberAfter(note, 3);
      offsets_.extend = true;
    } else if (is("v0ha")) {
      convention_ = VerticalConvention::V0ha;
    } else if (is("v0na")) {
      convention_ = VerticalConvention::V0na;
    } else if (is("v0nc")) {
      convention_ = VerticalConvention::V0nc;
    } else if (is("null")) {
      noHeight_ = true;
    } else if (is("vertadj ")) {
      const double adjustment = NumberAfter(note, 8);
      verticalAdjustment_ = adjustment < 0 ? adjustment + 360 : adjustment;
    }
  }

  void Unreduced(TraditionalRow& row) const {
    row.east = row.north = kUnreducedCoordinate;
    if (row.type != kTradMhSi) row.height = static_cast<float>(kUnreducedCoordinate);
  }

  // The stadia distance and middle hair of a shot; false, with a message,
  // when the readings cannot give one.
  bool Sight(std::size_t index, double& distance, double& middle) {
    const TraditionalRow& row = rows_[index];
    const double low = SingleValue(row.lowHair);
    const double mid = SingleValue(row.midHair);
    const double top = SingleValue(row.topHair);
    const auto say = [&](const char* format) {
      lines_.push_back(Sprintf(format, index + 1, unsigned{row.point}));
    };
    const bool threeHair = row.type == kTradThreeHair;
    if (!Present(low) || !Present(mid) || (threeHair && !Present(top))) {
      say(kTradMissingReading);
      return false;
    }
    if (threeHair) {
      distance = kStadiaMultiplier * std::fabs(top - low);
      middle = mid;
      if ((mid - low) * (top - mid) < 0) say(kTradHairOrder);
    } else {
      distance = row.type == kTradMhSd ? mid : kStadiaMultiplier * mid;
      middle = low;
    }
    if (!(distance > 0.0)) {
      say(kTradNoIntercept);
      return false;
    }
    return true;
  }

  bool Shot(std::size_t index) {
    TraditionalRow& row = rows_[index];
    if (!Present(SingleValue(row.hz)) || !Present(SingleValue(row.obs2))) return false;
    double distance = 0.0;
    double middle = 0.0;
    if (!setupValid_ || !Sight(index, distance, middle)) {
      Unreduced(row);
    } else {
      const double theta = DmsToDegrees(row.hz) + setup_.orientation;
      const double elevation =
          ElevationDegrees(DmsToDegrees(row.obs2), convention_) + DmsToDegrees(verticalAdjustment_);
      const TacheometryResult sight = ReduceStadiaDistance(distance, elevation);
      const double azimuth = theta / kDegreesPerRadian;
      row.east = FiniteOrEmpty(setup_.east + std::sin(azimuth) * sight.horizontal);
      row.north = FiniteOrEmpty(setup_.north + std::cos(azimuth) * sight.horizontal);
      if (noHeight_) {
        noHeight_ = false;
        row.height = row.type == kTradMhSd ? kNoHeightMhSd : kTradEmptySingle;
      } else {
        row.height = static_cast<float>(
            FiniteOrEmpty(setup_.height + setup_.instrumentHeight - middle + sight.rise));
        if (!std::isfinite(row.height)) row.height = kTradEmptySingle;
      }
      ApplyOffsets(row);
      if (Present(row.east) && Present(row.north)) firstShot_.try_emplace(row.point, index);
    }
    return true;
  }

  void ApplyOffsets(TraditionalRow& row) const {
    if (offsets_.extend) {
      const double d = DistanceBetween(setup_.east, setup_.north, row.east, row.north);
      if (d == 0) return;  // a point on the station has no direction to move in
      const double scale = (d + offsets_.extension) / d;
      row.east = FiniteOrEmpty(setup_.east + (row.east - setup_.east) * scale);
      row.north = FiniteOrEmpty(setup_.north + (row.north - setup_.north) * scale);
    } else if (offsets_.right || offsets_.left) {
      const double bearing = BearingBetween(setup_.east, setup_.north, row.east, row.north);
      double dEast = 0.0, dNorth = 0.0;
      const double turn = offsets_.right ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
      PolarStep(bearing + turn, offsets_.side, dEast, dNorth);
      row.east = FiniteOrEmpty(row.east + dEast);
      row.north = FiniteOrEmpty(row.north + dNorth);
    }
  }

  std::vector<TraditionalRow>& rows_;
  TraditionalOffsets& offsets_;
  std::vector<std::string> lines_;
  std::unordered_map<std::uint16_t, Listed> stations_;
  std::unordered_map<std::uint16_t, std::size_t> firstShot_;
  Setup setup_;
  bool setupValid_ = false;
  std::size_t setupCount_ = 0;
  VerticalConvention convention_ = VerticalConvention::Zenith;
  bool noHeight_ = false;
  double verticalAdjustment_ = 0.0;  // packed DMS
};

}  // namespace

std::vector<std::string> ReduceTraditional(std::vector<TraditionalRow>& rows,
                                           TraditionalOffsets& offsets) {
  return Pass(rows, offsets).Run();
}

}  // namespace kestrel

#include "lsq/least_squares.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/printf_format.h"
#include "sheets/stadia/precision_reduction.h"
#include "survey/angles.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kSecondsPerRadian = 206264.80624709636;
// A diagonal element of N below this is taken as zero.
constexpr double kSmallestDiagonal = 1e-7;
// Coordinates closer than this are one place for the bearings of the report.
constexpr double kSamePlace = 0.001;
// A direction residual this close to half a turn is a reversed direction.
constexpr double kReversed = 0.1;
// Untied points named in the message; the rest are counted.
constexpr std::size_t kUntiedNamed = 50;
// The observed height difference shown when the line is (nearly) vertical.
constexpr double kNoHeightDifference = 9999.0;
constexpr char kPlusMinus = '\xF1';

enum Component { kEast = 0, kNorth = 1, kHeight = 2 };

bool Usable(double value) { return std::isfinite(value) && !IsEmptyValue(value); }
double OrZero(double value) { return Usable(value) ? value : 0.0; }
bool IsObservation(int type) { return type == kStadiaSdHt || type == kStadiaHzDh; }
// A reduced angle printed as packed DMS; an unreduced one as it is held.
double PackedOf(double degrees) { return Usable(degrees) ? DegreesToDms(degrees) : degrees; }

// The bearing between two points of the table in radians, clockwise from
// north in [0, 2π); -1 when they are one place.
double TableBearing(const NetworkPoint& a, const NetworkPoint& b) {
  const double dEast = b.east - a.east;
  const double dNorth = b.north - a.north;
  if (std::fabs(dEast) < kSamePlace && std::fabs(dNorth) < kSamePlace) return kNoBearing;
  if (std::fabs(dNorth) < kSamePlace) return dEast >= 0 ? kPi / 2 : 3 * kPi / 2;
  double bearing = std::atan2(dEast, dNorth);
  if (bearing < 0) bearing += 2 * kPi;
  return bearing;
}

double TableDistance(const NetworkPoint& a, const NetworkPoint& b) {
  return std::hypot(b.east - a.east, b.north - a.north);
}

// Weights from variances, scaled so that the largest is 1. An observation
// given no error at all (a zero variance) weighs as much as the heaviest
// other one; when none has an error every weight is 1.
std::vector<double> WeightsOf(std::vector<double> variances) {
  double largest = 0.0;
  for (const double v : variances) {
    if (v > 0.0 && std::isfinite(v)) largest = std::max(largest, 1.0 / v);
  }
  for (double& v : variances) {
    const double w = v > 0.0 && std::isfinite(v) ? 1.0 / v : largest;
    v = largest > 0.0 ? w / largest : 1.0;
  }
  return variances;
}

class Adjustment {
 public:
  Adjustment(const std::vector<PrecisionStadiaRow>& rows, const LeastSquaresOptions& options,
             LeastSquaresResult& result)
      : rows_(rows), options_(options), settings_(options.settings), result_(result) {}

  void Run() {
    result_.mode = std::clamp(settings_.mode, 0, 2);
    if (!BearingsReduced()) return;
    result_.computed = true;
    Title();
    Tick();
    stations_ = StationsOfRows(rows_);
    FixedPointsSection();
    DirectionsSection();
    Tick();
    Line("_____________________________________");
    const std::string stop = GatherNetwork(rows_, stations_, Net(), options_.tick);
    if (!stop.empty()) return End(stop);
    Tick();
    MiscloseSection();
    if (!Factorise()) return End({});
    Tick();
    Passes();
    DirectionResiduals();
    Tick();
    CoordinateResiduals();
    result_.adjusted = true;
    End({});
  }

 private:
  Network& Net() { return result_.network; }
  void Line(std::string line) { result_.report.push_back(std::move(line)); }
  void Tick() {
    if (options_.tick) options_.tick();
  }
  int Components() const { return result_.mode == kLsBoth ? 3 : 2; }

  bool BearingsReduced() {
    for (const PrecisionStadiaRow& row : rows_) {
      if (row.type == kStadiaSdHt && !(std::fabs(row.gridBearing) <= 1000.0)) {
        result_.messages.push_back(
            Sprintf(kUnreducedBearing, static_cast<int>(row.point), row.gridBearing));
        return false;
      }
    }
    return true;
  }

  void Title() {
    const int dacc = static_cast<int>(settings_.distanceAccuracyMm);
    const int ppm = static_cast<int>(settings_.ppm);
    const int hz = static_cast<int>(settings_.angularAccuracySec);
    const int refraction = static_cast<int>(options_.verticalAdjustment);
    static constexpr const char* kUsing = "\nUsing %c %dmm + %d ppm and %d seconds";
    switch (result_.mode) {
      case kLsHorizontal:
        result_.statusText = "\nHorizontal adjustment";
        Line(Sprintf(kUsing, kPlusMinus, dacc, ppm, hz));
        break;
      case kLsVertical:
        result_.statusText = "\nVertical adjustment";
        Line(Sprintf("\nUsing a Vertical Refraction correction of %d sec./Km.", refraction));
        break;
      default:
        result_.statusText = "\nHorizontal and vertical adjustment";
        Line(Sprintf(kUsing, kPlusMinus, dacc, ppm, hz));
        Line(Sprintf("\nand a Vertical Refraction correction of %d sec/Km.", refraction));
    }
  }

  void FixedPointsSection() {
    Line("");
    Line("$b$  Fixed Points$b0$");
    Line("$b$  Point  Easting    Northing    Height$b0$");
    for (const PrecisionStadiaRow& row : rows_) {
      if (row.type != kStadiaStn || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
      Line(Sprintf("%6d%12.3f%12.3f%10.3f", static_cast<int>(row.point), row.east, row.north,
                   row.height));
    }
  }

  void DirectionsSection() {
    Line("");
    Line(
        "$b$                 Reduced Directions                       Approximate "
        "Coordinates$b0$");
    Line(
        "\n\n$b$    At    To Horizontal Vertical Distance  HOI  HOT  Point   Easting    Northing "
        "    Height$b0$");
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      const PrecisionStadiaRow& row = rows_[i];
      if (!IsObservation(row.type) || row.point == kNoPoint || IsEmptyValue(row.east) ||
          IsEmptyValue(row.north) || !(row.dist >= kShortestSlopeDistance)) {
        continue;
      }
      const RowStation& station = stations_[i];
      const double ih = station.point == kNoPoint ? 0.0 : OrZero(rows_[station.setupRow].dist);
      if (options_.geoidCorrection) {
        Line(Sprintf("%5u %5u %10.6lf %10.6lf %9.4lf %5.3f %5.3f %5u %11.3lf %11.3lf %9.3f",
                     station.point, row.point, PackedOf(row.gridBearing), row.correctedVt,
                     row.reducedDist, ih, OrZero(row.targetHt), row.point, row.east, row.north,
                     row.height));
      } else {
        Line(Sprintf("%5u %5u %8.4lf %8.4lf %9.3lf %5.3f %5.3f %5u %11.3lf %11.3lf %9.3f",
                     station.point, row.point, PackedOf(row.gridBearing), row.correctedVt, row.dist,
                     ih, OrZero(row.targetHt), row.point, row.east, row.north, row.height));
      }
    }
  }

  // The misclosure of every observation in one component, from the table's
  // present coordinates.
  std::vector<double> Misclosures(int component) const {
    const Network& net = result_.network;
    std::vector<double> l(net.observations.size());
    for (std::size_t i = 0; i < l.size(); ++i) {
      const NetworkObservation& obs = net.observations[i];
      const NetworkPoint& a = net.points[obs.fromIndex];
      const NetworkPoint& b = net.points[obs.toIndex];
      const double beta = obs.bearing * kRadiansPerDegree;
      switch (component) {
        case kEast:
          l[i] = std::sin(beta) * obs.distance + a.east - b.east;
          break;
        case kNorth:
          l[i] = std::cos(beta) * obs.distance + a.north - b.north;
          break;
        default:
          l[i] = a.height + obs.heightDifference - b.height;
      }
    }
    return l;
  }

  void MiscloseSection() {
    Line("");
    Line("$b$                Misclose $b0$");
    Line("\n\n$b$    At   To   deast   dnorth  dheight$b0$");
    const std::vector<double> e = Misclosures(kEast);
    const std::vector<double> n = Misclosures(kNorth);
    const std::vector<double> h = Misclosures(kHeight);
    const Network& net = result_.network;
    for (std::size_t i = 0; i < net.observations.size(); ++i) {
      const NetworkObservation& obs = net.observations[i];
      Line(Sprintf("%5u %5u %8.4lf %8.4lf %8.4lf", obs.from, obs.to, e[i], n[i], h[i]));
    }
  }

  void Weights() {
    const double scale = settings_.ppm * 1e-6;
    const double base = settings_.distanceAccuracyMm * 0.001;
    const double sinAlpha = std::sin(VerticalAdjustmentRate(settings_.angularAccuracySec));
    const std::vector<NetworkObservation>& observations = Net().observations;
    std::vector<double> east(observations.size()), north(east.size()), height(east.size());
    for (std::size_t i = 0; i < observations.size(); ++i) {
      const double beta = observations[i].bearing * kRadiansPerDegree;
      const double d = observations[i].distance;
      const double sigma = scale * d + base;
      const double along = std::sin(beta) * sigma, across = std::cos(beta) * d * sinAlpha;
      const double alongN = std::cos(beta) * sigma, acrossN = std::sin(beta) * d * sinAlpha;
      east[i] = along * along + across * across;
      north[i] = alongN * alongN + acrossN * acrossN;
      height[i] = std::fabs(d);
    }
    weights_[kEast] = WeightsOf(std::move(east));
    weights_[kNorth] = WeightsOf(std::move(north));
    weights_[kHeight] = WeightsOf(std::move(height));
  }

  // The untied parts are refused before anything is solved; then each
  // component's N is factorised once for every pass.
  bool Factorise() {
    columns_ = FreeColumns(Net());
    freeCount_ = Net().FreeCount();
    if (const std::vector<std::uint32_t> untied = UntiedPoints(Net()); !untied.empty()) {
      Singular(untied);
      return false;
    }
    Weights();
    for (int c = 0; c < Components(); ++c) {
      const std::vector<NormalEntry> lower = NormalMatrix(Net(), columns_, weights_[c]);
      const long small = SmallDiagonal(lower, freeCount_, kSmallestDiagonal);
      solvers_[c] = options_.solver ? options_.solver() : MakeSparseSolver();
      if (small >= 0 || !solvers_[c]->Factor(freeCount_, lower)) {
        Singular(small >= 0 ? std::vector<std::uint32_t>{FreePointNumber(small)}
                            : std::vector<std::uint32_t>{});
        return false;
      }
    }
    return true;
  }

  std::uint32_t FreePointNumber(long column) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (columns_[i] == column) return result_.network.points[i].number;
    }
    return kNoPoint;
  }

  void Singular(const std::vector<std::uint32_t>& points) {
    std::string& text = result_.statusText;
    text += kZeroDiagonal;
    if (!points.empty()) {
      text += kUntiedPointsLine;
      for (std::size_t i = 0; i < points.size() && i < kUntiedNamed; ++i) {
        text += Sprintf(" %u", points[i]);
      }
      if (points.size() > kUntiedNamed) {
        text += Sprintf(" and %zu more", points.size() - kUntiedNamed);
      }
    }
    result_.messages.push_back(text);
  }

  // The corrections of every free point in one component: x = -N⁻¹ u.
  std::vector<double> Corrections(int component) {
    std::vector<double> x =
        RightHandSide(Net(), columns_, weights_[component], Misclosures(component), freeCount_);
    solvers_[component]->Solve(x);
    for (double& value : x) value = -value;
    return x;
  }

  void Passes() {
    double largest = 0.0;
    do {
      ++result_.passes;
      std::vector<double> x[3];
      largest = 0.0;
      for (int c = 0; c < Components(); ++c) {
        x[c] = Corrections(c);
        if (c != kHeight) {
          for (const double v : x[c]) largest = std::max(largest, std::fabs(v));
        }
      }
      if (result_.passes == 1) {
        ListAndApply(x);
      } else if (largest > kPassTolerance) {
        Line("");
        Line(Sprintf("WARNING - traverse did not correct within one pass %f", largest));
      }
      Tick();
    } while (largest > kPassTolerance && result_.passes < kMostPasses);
  }

  // The first pass lists every point with its corrections and takes the
  // adjusted coordinates; later passes only measure.
  void ListAndApply(const std::vector<double> (&x)[3]) {
    Line("");
    Line(
        "\n$b$Point  East       Adj      Adj.East     North     Adj     Adj.North      Height   "
        "Adj   Adj.Height$b0$");
    const bool heights = result_.mode == kLsBoth;
    for (std::size_t i = 0; i < Net().points.size(); ++i) {
      NetworkPoint& p = Net().points[i];
      if (p.fixed) {
        std::string line =
            Sprintf("%5u %10.3lf                     %10.3lf", p.number, p.east, p.north);
        if (heights) line += Sprintf("                      %10.3lf", p.height);
        Line(std::move(line));
        continue;
      }
      const std::size_t k = static_cast<std::size_t>(columns_[i]);
      const double adjustedEast = p.east + x[kEast][k];
      const double adjustedNorth = p.north + x[kNorth][k];
      std::string line =
          Sprintf("%5u %10.3lf %7.4f %11.4lf", p.number, p.east, x[kEast][k], adjustedEast);
      line += Sprintf(" %10.3lf %7.4f %11.4lf", p.north, x[kNorth][k], adjustedNorth);
      p.east = adjustedEast;
      p.north = adjustedNorth;
      if (heights) {
        const double adjustedHeight = p.height + x[kHeight][k];
        line += Sprintf(" %10.3lf %7.4f %11.4lf", p.height, x[kHeight][k], adjustedHeight);
        p.height = adjustedHeight;
      }
      Line(std::move(line));
    }
  }

  void DirectionResiduals() {
    Line("");
    Line("$b$                  Residuals $b0$");
    Line(
        "\n\n$b$    At  To  Horizontal    Corr    Adjusted     Distance    Corr         "
        "Adjusted$b0$");
    Line("\n$b$  Stn.Stn.              secs.$b0$");
    const Network& net = result_.network;
    for (const NetworkObservation& obs : net.observations) {
      const NetworkPoint& a = net.points[obs.fromIndex];
      const NetworkPoint& b = net.points[obs.toIndex];
      const double adjusted = TableBearing(a, b);
      double residual = adjusted - obs.bearing * kRadiansPerDegree;
      double shown = adjusted / kRadiansPerDegree;
      if (std::fabs(std::fabs(residual) - kPi) <= kReversed) {
        residual += kPi;
        shown += 180.0;
        if (shown > 359.9999) shown -= 360.0;
      }
      while (residual > kPi) residual -= 2 * kPi;
      while (residual < -kPi) residual += 2 * kPi;
      const double distance = TableDistance(a, b);
      Line(Sprintf("%5u %5u %10.6lf %8.2lf %13.6lf %13.4f%9.4lf %13.4f", obs.from, obs.to,
                   DegreesToDms(obs.bearing), residual * kSecondsPerRadian, DegreesToDms(shown),
                   obs.distance, distance - std::fabs(obs.distance), distance));
    }
  }

  void CoordinateResiduals() {
    Line("");
    Line("$b$                  Residuals $b0$");
    const bool heights = result_.mode == kLsBoth;
    Line(heights ? "$b$     At    To  Easting   Northing   Height$b0$"
                 : "$b$     At    To  Easting   Northing $b0$");
    const Network& net = result_.network;
    for (const NetworkObservation& obs : net.observations) {
      if (!obs.slope) continue;
      const NetworkPoint& a = net.points[obs.fromIndex];
      const NetworkPoint& b = net.points[obs.toIndex];
      const double beta = obs.bearing * kRadiansPerDegree;
      const double dEast = b.east - a.east - std::sin(beta) * obs.distance;
      const double dNorth = b.north - a.north - std::cos(beta) * obs.distance;
      std::string line = Sprintf("%5u %5u %10.4lf%10.4lf", obs.from, obs.to, dEast, dNorth);
      if (heights) {
        const double z = obs.zenith;
        const bool level = std::fabs(z - 180.0) < 1.0 || std::fabs(z - 360.0) < 1.0 || z < 1.0;
        const double observed = level ? kNoHeightDifference
                                      : obs.instrumentHeight - obs.targetHeight +
                                            std::cos(z * kRadiansPerDegree) /
                                                std::sin(z * kRadiansPerDegree) * obs.distance;
        line += Sprintf("%10.4f", b.height - a.height - observed);
      }
      Line(std::move(line));
    }
  }

  // The end of the report, also reached when the gathering or the
  // factorisation stops.
  void End(const std::string& stop) {
    if (!stop.empty()) Line(stop);
    Line("");
    Line(kEndOfPrintout);
    result_.messages.push_back(kFinished);
  }

  const std::vector<PrecisionStadiaRow>& rows_;
  const LeastSquaresOptions& options_;
  const LeastSquaresSettings& settings_;
  LeastSquaresResult& result_;
  std::vector<RowStation> stations_;
  std::vector<long> columns_;
  std::size_t freeCount_ = 0;
  std::vector<double> weights_[3];
  std::unique_ptr<NormalSolver> solvers_[3];
};

}  // namespace

int LeastSquaresProgressSteps(std::size_t rowCount) {
  return static_cast<int>(std::min<std::size_t>(rowCount / 20 + 1, 1u << 30)) + 6 + kMostPasses;
}

LeastSquaresResult RunLeastSquares(const std::vector<PrecisionStadiaRow>& rows,
                                   const LeastSquaresOptions& options) {
  LeastSquaresResult result;
  Adjustment(rows, options, result).Run();
  return result;
}

void WriteBackAdjusted(std::vector<PrecisionStadiaRow>& rows, const LeastSquaresResult& result) {
  if (!result.computed) return;
  const Network& net = result.network;
  struct Place {
    double east, north, height;
  };
  std::unordered_map<std::uint32_t, Place> last;
  const auto set = [](double& field, double value) {
    if (std::isfinite(value)) field = value;
  };
  for (PrecisionStadiaRow& row : rows) {
    if (row.type == kStadiaAtBs) {
      const auto found = last.find(row.point);
      const Place place = found == last.end() ? Place{0.0, 0.0, 0.0} : found->second;
      set(row.east, place.east);
      set(row.north, place.north);
      set(row.height, place.height);
      continue;
    }
    if (IsObservation(row.type)) {
      if (const long at = net.Find(row.point); at >= 0) {
        const NetworkPoint& p = net.points[static_cast<std::size_t>(at)];
        set(row.east, p.east);
        set(row.north, p.north);
        if (result.mode == kLsBoth) set(row.height, p.height);
      }
    }
    if (row.type == kStadiaStn || IsObservation(row.type)) {
      last[row.point] = Place{row.east, row.north, row.height};
    }
  }
}

}  // namespace kestrel

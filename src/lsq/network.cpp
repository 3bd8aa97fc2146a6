#include "lsq/network.h"

#include <cmath>

#include "platform/printf_format.h"
#include "survey/angles.h"

namespace kestrel {

namespace {

bool Usable(double value) { return std::isfinite(value) && !IsEmptyValue(value); }
double OrZero(double value) { return Usable(value) ? value : 0.0; }
bool IsObservation(int type) { return type == kStadiaSdHt || type == kStadiaHzDh; }
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

}  // namespace

long Network::Find(std::uint32_t number) const {
  const auto found = index_.find(number);
  return found == index_.end() ? -1 : static_cast<long>(found->second);
}

void Network::Add(const NetworkPoint& point) {
  const auto [at, added] = index_.try_emplace(point.number, points.size());
  if (added) {
    points.push_back(point);
  } else if (point.fixed && !points[at->second].fixed) {
    points[at->second] = point;
  }
}

std::size_t Network::FreeCount() const {
  std::size_t free = 0;
  for (const NetworkPoint& point : points) free += point.fixed ? 0 : 1;
  return free;
}

std::vector<RowStation> StationsOfRows(const std::vector<PrecisionStadiaRow>& rows) {
  std::vector<RowStation> stations(rows.size(), RowStation{kNoPoint, rows.size()});
  RowStation current{kNoPoint, rows.size()};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].type == kStadiaAtBs) current = RowStation{rows[i].point, i};
    stations[i] = current;
  }
  return stations;
}

std::string GatherNetwork(const std::vector<PrecisionStadiaRow>& rows,
                          const std::vector<RowStation>& stations, Network& network,
                          const std::function<void()>& tick) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (tick && i % 20 == 0) tick();
    const PrecisionStadiaRow& row = rows[i];
    if (row.type == kStadiaStn) {
      if (row.point != kNoPoint && !IsEmptyValue(row.east)) {
        network.Add({row.point, true, row.east, OrZero(row.north), OrZero(row.height)});
      }
      continue;
    }
    // A shot without a point number cannot be a point of the network.
    if (!IsObservation(row.type) || row.point == kNoPoint) continue;
    const RowStation& station = stations[i];
    if (station.point == kNoPoint) continue;
    const bool slope = row.type == kStadiaSdHt;
    if (!Usable(row.east) || !Usable(row.north) || !Usable(row.gridBearing) ||
        !Usable(row.reducedDist) || (slope && !Usable(row.correctedVt))) {
      return Sprintf(kInvalidApproximate, static_cast<int>(row.point));
    }
    if (!(row.dist >= kShortestSlopeDistance)) {
      return Sprintf(kZeroSlopeDistance, static_cast<int>(station.point),
                     static_cast<int>(row.point));
    }
    network.Add({row.point, false, row.east, row.north, OrZero(row.height)});
    NetworkObservation obs;
    obs.row = i;
    obs.from = station.point;
    obs.to = row.point;
    obs.slope = slope;
    obs.bearing = row.gridBearing;
    obs.distance = row.reducedDist;
    obs.instrumentHeight = OrZero(rows[station.setupRow].dist);
    obs.targetHeight = OrZero(row.targetHt);
    if (slope) {
      obs.zenith = DmsToDegrees(row.correctedVt);
      obs.heightDifference = std::cos(obs.zenith * kRadiansPerDegree) * row.dist +
                             obs.instrumentHeight - obs.targetHeight;
    } else {
      obs.heightDifference = OrZero(row.obs2) + obs.instrumentHeight - obs.targetHeight;
    }
    network.observations.push_back(obs);
  }
  // Stations are looked up once the table is whole: a set-up may stand on a
  // point shot further down the sheet.
  for (NetworkObservation& obs : network.observations) {
    const long from = network.Find(obs.from);
    if (from < 0) return Sprintf(kInvalidApproximate, static_cast<int>(obs.from));
    obs.fromIndex = static_cast<std::size_t>(from);
    obs.toIndex = static_cast<std::size_t>(network.Find(obs.to));
  }
  return {};
}

}  // namespace kestrel

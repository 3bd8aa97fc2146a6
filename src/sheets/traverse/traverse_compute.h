#pragma once
// Calculate Coordinates, the traverse route and the misclose of a traverse
// sheet. Angles in the rows are packed DMS; the station arrays hold decimal
// degrees.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/traverse/traverse_stations.h"

namespace kestrel {

class Traverse;

// What the field notes of a sheet ask for.
struct TraverseNotes {
  bool angles = false;         // a note starts "angle": legs hold turned angles
  bool anticlockwise = false;  // ... and that note says "anti"
  bool network = false;        // a note starts "network": no back bearings
  bool networkOnly = false;    // a note is exactly "network": adjustments refuse
};
TraverseNotes ReadTraverseNotes(const Traverse& sheet);

// Bearings, then coordinates of every row, top to bottom. Blank fields of
// Traverse rows are first carried down from the Traverse rows above. The
// problems found (points no row gives, legs without distance or angle) are
// returned as lines; nothing non-finite is ever stored.
std::vector<std::string> CalculateTraverse(Traverse& sheet);

// Builds the route (from the first "tr " note, else chained from the legs)
// and the station arrays from the calculated rows. Returns the number of
// stations, or -1 with the reason shown unless `quiet`.
int BuildRoute(Traverse& sheet, bool quiet);

// Reads a route note's list of stations (the text after "tr"). `continues`
// tells whether the list goes on in the next note. False when the list is
// too long to be a route.
bool ReadRouteNote(std::string_view note, std::vector<std::uint32_t>& stations, bool& continues);

// The linear misclose of the station coordinates given (the computed or the
// adjusted ones): onto the first station of a closed route, else onto the
// STN or Robj row of the last station, else onto an STN row within 10.
LinearMiscloseValues LinearMisclose(const Traverse& sheet, const std::vector<double>& east,
                                    const std::vector<double>& north,
                                    const std::vector<double>& height);
LinearMiscloseValues LinearMisclose(const Traverse& sheet);

// How an angular misclose was formed.
enum class AngularSource { None, CloseRow, AngleSum };

// Calculates, builds the route and returns the angular misclose in decimal
// degrees, or kEmptyValue when none can be formed. `closeRow` receives the
// Close row it was formed from (-1 for none).
double AngularMisclose(Traverse& sheet, bool quiet, AngularSource* source = nullptr,
                       int* closeRow = nullptr);

// The horizontal length of the route between consecutive stations.
double Perimeter(const std::vector<double>& east, const std::vector<double>& north);
// The area enclosed by the stations in route order, closed back to the first.
double RouteArea(const std::vector<double>& east, const std::vector<double>& north);

// Command 6: the angular misclose text, the linear misclose, the perimeter
// and the percentage.
MiscloseSummary ComputeMiscloseSummary(Traverse& sheet);

// The lines of the misclose summary as the command-line program prints them.
std::vector<std::string> MiscloseSummaryLines(const MiscloseSummary& summary, int angleMode,
                                              int distanceUnit);

}  // namespace kestrel

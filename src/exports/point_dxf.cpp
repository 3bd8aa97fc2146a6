#include "exports/point_dxf.h"

#include <algorithm>
#include <map>

#include "platform/printf_format.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

constexpr std::size_t kLayerNameLength = 31;

// Layer colours (the CAD colour index): white for the points, grey rays, red
// legs.
constexpr int kPointColour = 7;
constexpr int kRayColour = 8;
constexpr int kLegColour = 1;

// One group: its code right-aligned in three columns, then its value.
void Group(std::string& out, int code, std::string_view value) {
  out += Sprintf("%3d\r\n", code);
  out += value;
  out += "\r\n";
}

void Number(std::string& out, int code, double value) { Group(out, code, Sprintf("%.4f", value)); }

void Position(std::string& out, int first, double x, double y, double z) {
  Number(out, first, x);
  Number(out, first + 10, y);
  Number(out, first + 20, z);
}

// A text value on one line: control characters become blanks.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return out;
}

double Elevation(const PlanPoint& point) { return IsEmptyValue(point.height) ? 0.0 : point.height; }

void Header(std::string& out, const SheetPlan& plan) {
  Group(out, 0, "SECTION");
  Group(out, 2, "HEADER");
  Group(out, 9, "$ACADVER");
  Group(out, 1, "AC1009");
  Group(out, 9, "$DWGCODEPAGE");
  Group(out, 3, "ANSI_1252");
  if (!plan.points.empty()) {
    double minE = plan.points.front().east, maxE = minE;
    double minN = plan.points.front().north, maxN = minN;
    for (const PlanPoint& point : plan.points) {
      minE = std::min(minE, point.east);
      maxE = std::max(maxE, point.east);
      minN = std::min(minN, point.north);
      maxN = std::max(maxN, point.north);
    }
    Group(out, 9, "$EXTMIN");
    Position(out, 10, minE, minN, 0.0);
    Group(out, 9, "$EXTMAX");
    Position(out, 10, maxE, maxN, 0.0);
  }
  Group(out, 0, "ENDSEC");
}

void Layer(std::string& out, const std::string& name, int colour) {
  Group(out, 0, "LAYER");
  Group(out, 2, name);
  Group(out, 70, "0");
  Group(out, 62, Sprintf("%d", colour));
  Group(out, 6, "CONTINUOUS");
}

// Each layer once: a point code that reads as a line layer's name shares it.
void Tables(std::string& out, const std::map<std::string, int>& layers) {
  Group(out, 0, "SECTION");
  Group(out, 2, "TABLES");
  Group(out, 0, "TABLE");
  Group(out, 2, "LTYPE");
  Group(out, 70, "1");
  Group(out, 0, "LTYPE");
  Group(out, 2, "CONTINUOUS");
  Group(out, 70, "0");
  Group(out, 3, "Solid line");
  Group(out, 72, "65");
  Group(out, 73, "0");
  Number(out, 40, 0.0);
  Group(out, 0, "ENDTAB");
  Group(out, 0, "TABLE");
  Group(out, 2, "LAYER");
  Group(out, 70, Sprintf("%d", static_cast<int>(layers.size())));
  for (const auto& [name, colour] : layers) Layer(out, name, colour);
  Group(out, 0, "ENDTAB");
  Group(out, 0, "ENDSEC");
}

void Point(std::string& out, const PlanPoint& point) {
  const std::string layer = DxfLayerName(point.code);
  Group(out, 0, "POINT");
  Group(out, 8, layer);
  Position(out, 10, point.east, point.north, Elevation(point));
  std::string label = Sprintf("%u", point.point);
  if (!point.code.empty()) label += " " + OneLine(point.code);
  Group(out, 0, "TEXT");
  Group(out, 8, layer);
  Position(out, 10, point.east + kLabelOffset, point.north, Elevation(point));
  Number(out, 40, kLabelHeight);
  Group(out, 1, label);
}

void Line(std::string& out, const PlanLine& line) {
  Group(out, 0, "LINE");
  Group(out, 8, line.kind == PlanLineKind::Leg ? kLegLayer : kRayLayer);
  Position(out, 10, line.fromEast, line.fromNorth, 0.0);
  Position(out, 11, line.toEast, line.toNorth, 0.0);
}

}  // namespace

std::string DxfLayerName(std::string_view code) {
  if (code.empty()) return "0";
  std::string name;
  for (const char c : code.substr(0, kLayerNameLength)) {
    const bool kept =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '$' || c == '-' || c == '_';
    if (c >= 'a' && c <= 'z') {
      name += static_cast<char>(c - 'a' + 'A');
    } else {
      name += kept ? c : '_';
    }
  }
  return name;
}

std::string PointDxf(const SheetPlan& plan) {
  std::map<std::string, int> layers{{"0", kPointColour},
                                    {std::string(kRayLayer), kRayColour},
                                    {std::string(kLegLayer), kLegColour}};
  for (const PlanPoint& point : plan.points) layers.emplace(DxfLayerName(point.code), kPointColour);
  std::string out;
  Header(out, plan);
  Tables(out, layers);
  Group(out, 0, "SECTION");
  Group(out, 2, "ENTITIES");
  for (const PlanPoint& point : plan.points) Point(out, point);
  for (const PlanLine& line : plan.lines) Line(out, line);
  Group(out, 0, "ENDSEC");
  Group(out, 0, "EOF");
  return out;
}

}  // namespace kestrel

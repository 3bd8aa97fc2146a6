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

// Writes a drawing's groups: each its code right-aligned in three columns,
// then its value, each on a line of its own.
class GroupWriter {
 public:
  explicit GroupWriter(std::string& out) : out_(out) {}

  GroupWriter& Text(int code, std::string_view value) {
    out_ += Sprintf("%3d\r\n", code);
    out_ += value;
    out_ += "\r\n";
    return *this;
  }
  GroupWriter& Integer(int code, int value) { return Text(code, Sprintf("%d", value)); }
  GroupWriter& Number(int code, double value) { return Text(code, Sprintf("%.4f", value)); }
  // A point's x, y and z under the codes first, first + 10 and first + 20.
  GroupWriter& Position(int first, double x, double y, double z) {
    return Number(first, x).Number(first + 10, y).Number(first + 20, z);
  }
  GroupWriter& Section(std::string_view name) { return Text(0, "SECTION").Text(2, name); }
  GroupWriter& EndSection() { return Text(0, "ENDSEC"); }
  GroupWriter& Table(std::string_view name) { return Text(0, "TABLE").Text(2, name); }
  GroupWriter& EndTable() { return Text(0, "ENDTAB"); }
  GroupWriter& Entity(std::string_view kind, std::string_view layer) {
    return Text(0, kind).Text(8, layer);
  }

 private:
  std::string& out_;
};

// A text value on one line: control characters become blanks.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return out;
}

double Elevation(const PlanPoint& point) { return IsEmptyValue(point.height) ? 0.0 : point.height; }

void Header(GroupWriter& dxf, const SheetPlan& plan) {
  dxf.Section("HEADER").Text(9, "$ACADVER").Text(1, "AC1009");
  dxf.Text(9, "$DWGCODEPAGE").Text(3, "ANSI_1252");
  if (!plan.points.empty()) {
    double minE = plan.points.front().east, maxE = minE;
    double minN = plan.points.front().north, maxN = minN;
    for (const PlanPoint& point : plan.points) {
      minE = std::min(minE, point.east);
      maxE = std::max(maxE, point.east);
      minN = std::min(minN, point.north);
      maxN = std::max(maxN, point.north);
    }
    dxf.Text(9, "$EXTMIN").Position(10, minE, minN, 0.0);
    dxf.Text(9, "$EXTMAX").Position(10, maxE, maxN, 0.0);
  }
  dxf.EndSection();
}

// Each layer once: a point code that reads as a line layer's name shares it.
void Tables(GroupWriter& dxf, const std::map<std::string, int>& layers) {
  dxf.Section("TABLES").Table("LTYPE").Integer(70, 1);
  dxf.Text(0, "LTYPE").Text(2, "CONTINUOUS").Integer(70, 0).Text(3, "Solid line");
  dxf.Integer(72, 65).Integer(73, 0).Number(40, 0.0).EndTable();
  dxf.Table("LAYER").Integer(70, static_cast<int>(layers.size()));
  for (const auto& [name, colour] : layers) {
    dxf.Text(0, "LAYER").Text(2, name).Integer(70, 0).Integer(62, colour).Text(6, "CONTINUOUS");
  }
  dxf.EndTable().EndSection();
}

// The point and its label (number and code) beside it.
void Point(GroupWriter& dxf, const PlanPoint& point) {
  const std::string layer = DxfLayerName(point.code);
  const double elevation = Elevation(point);
  dxf.Entity("POINT", layer).Position(10, point.east, point.north, elevation);
  std::string label = Sprintf("%u", point.point);
  if (!point.code.empty()) label += " " + OneLine(point.code);
  dxf.Entity("TEXT", layer).Position(10, point.east + kLabelOffset, point.north, elevation);
  dxf.Number(40, kLabelHeight).Text(1, label);
}

void Line(GroupWriter& dxf, const PlanLine& line) {
  dxf.Entity("LINE", line.kind == PlanLineKind::Leg ? kLegLayer : kRayLayer);
  dxf.Position(10, line.fromEast, line.fromNorth, 0.0);
  dxf.Position(11, line.toEast, line.toNorth, 0.0);
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
  GroupWriter dxf(out);
  Header(dxf, plan);
  Tables(dxf, layers);
  dxf.Section("ENTITIES");
  for (const PlanPoint& point : plan.points) Point(dxf, point);
  for (const PlanLine& line : plan.lines) Line(dxf, line);
  dxf.EndSection().Text(0, "EOF");
  return out;
}

}  // namespace kestrel

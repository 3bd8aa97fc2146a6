#include "plan/plan_svg.h"

#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "platform/printf_format.h"
#include "platform/text_encoding.h"

namespace kestrel {

namespace {

constexpr double kLabelSizePx = 10.0;   // font size, and the height of a label's box
constexpr double kCharWidthPx = 6.0;    // a label's box per character
constexpr double kStationSizePx = 8.0;  // a station triangle's side
constexpr double kShotRadiusPx = 2.5;
constexpr double kScaleBarPx = 100.0;  // about this long

bool Inside(const PlanView& view, ScreenPoint at, double slack) {
  return at.x >= -slack && at.y >= -slack && at.x <= view.Width() + slack &&
         at.y <= view.Height() + slack;
}

// Windows-1252 text as SVG character data in UTF-8.
std::string SvgText(const std::string& text) {
  std::string out;
  for (const char c : Cp1252ToUtf8(text)) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else {
      out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

// Labels placed so far, as the grid cells (of one label height) their boxes
// cover: a new label goes only where every cell of its box is free.
class LabelSpace {
 public:
  bool Take(double x, double y, double width) {
    const auto x0 = static_cast<std::int64_t>(std::floor(x / kLabelSizePx));
    const auto x1 = static_cast<std::int64_t>(std::floor((x + width) / kLabelSizePx));
    const auto row = static_cast<std::int64_t>(std::floor(y / kLabelSizePx));
    for (std::int64_t c = x0; c <= x1; ++c) {
      if (taken_.count(Key(c, row)) != 0) return false;
    }
    for (std::int64_t c = x0; c <= x1; ++c) taken_.insert(Key(c, row));
    return true;
  }

 private:
  static std::uint64_t Key(std::int64_t column, std::int64_t row) {
    return (static_cast<std::uint64_t>(column) << 32) ^ static_cast<std::uint32_t>(row);
  }
  std::unordered_set<std::uint64_t> taken_;
};

void Lines(std::string& out, const PlanView& view) {
  for (const PlanLine& line : view.Plan().lines) {
    const ScreenPoint a = view.ToScreen({line.fromEast, line.fromNorth});
    const ScreenPoint b = view.ToScreen({line.toEast, line.toNorth});
    if (!Inside(view, a, 0.0) && !Inside(view, b, 0.0)) continue;
    out += Sprintf("<line class=\"%s\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>\n",
                   line.kind == PlanLineKind::Leg ? "leg" : "ray", a.x, a.y, b.x, b.y);
  }
}

void Points(std::string& out, const PlanView& view, bool labels) {
  LabelSpace space;
  const double half = kStationSizePx / 2.0;
  for (const PlanPoint& point : view.Plan().points) {
    const ScreenPoint at = view.ToScreen({point.east, point.north});
    if (!Inside(view, at, 0.0)) continue;
    if (point.role == PlanPointRole::Station) {
      out += Sprintf("<polygon class=\"station\" points=\"%.1f,%.1f %.1f,%.1f %.1f,%.1f\"/>\n",
                     at.x, at.y - half, at.x + half, at.y + half, at.x - half, at.y + half);
    } else {
      out += Sprintf("<circle class=\"shot\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>\n", at.x, at.y,
                     kShotRadiusPx);
    }
    if (!labels) continue;
    std::string label = Sprintf("%u", point.point);
    if (!point.code.empty()) label += " " + point.code;
    const double x = at.x + half, y = at.y - half;
    if (!space.Take(x, y - kLabelSizePx, kCharWidthPx * static_cast<double>(label.size()))) {
      continue;
    }
    out += Sprintf("<text x=\"%.1f\" y=\"%.1f\">", x, y) + SvgText(label) + "</text>\n";
  }
}

// Each misclose as an arrow from its station in the misclose's direction,
// exaggerated to a fixed length, labelled with its length.
void Misclosures(std::string& out, const PlanView& view) {
  for (const PlanMisclose& misclose : view.Plan().misclosures) {
    const ScreenPoint at = view.ToScreen({misclose.east, misclose.north});
    const double length = std::hypot(misclose.dEast, misclose.dNorth);
    if (!Inside(view, at, 0.0) || !(length > 0.0)) continue;
    const double x = at.x + PlanView::kMiscloseArrowPx * misclose.dEast / length;
    const double y = at.y - PlanView::kMiscloseArrowPx * misclose.dNorth / length;
    out += Sprintf("<line class=\"misclose\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>\n",
                   at.x, at.y, x, y);
    out += Sprintf("<circle class=\"misclose\" cx=\"%.1f\" cy=\"%.1f\" r=\"2\"/>\n", x, y);
    // The label on the side of the arrow's end that faces the middle.
    const bool left = x > view.Width() / 2.0;
    out += Sprintf("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"%s\">misclose %.3f m</text>\n",
                   left ? x - 4.0 : x + 4.0, y + 4.0, left ? "end" : "start", length);
  }
}

// The longest 1, 2 or 5 times a power of ten metres that is at most
// kScaleBarPx long.
void ScaleBar(std::string& out, const PlanView& view) {
  const double metres = kScaleBarPx / view.PixelsPerMetre();
  const double power = std::pow(10.0, std::floor(std::log10(metres)));
  double length = power;
  for (const double step : {2.0, 5.0, 10.0}) {
    if (step * power <= metres) length = step * power;
  }
  const double px = length * view.PixelsPerMetre();
  const double y = view.Height() - 15.0;
  out += Sprintf("<line class=\"scale\" x1=\"15\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>\n", y,
                 15.0 + px, y);
  out += Sprintf("<text x=\"15\" y=\"%.1f\">%g m</text>\n", y - 4.0, length);
}

void NorthArrow(std::string& out, const PlanView& view) {
  const double x = view.Width() - 20.0;
  out += Sprintf("<polygon class=\"north\" points=\"%.1f,15 %.1f,40 %.1f,33 %.1f,40\"/>\n", x,
                 x + 7.0, x, x - 7.0);
  out += Sprintf("<text x=\"%.1f\" y=\"52\" text-anchor=\"middle\">N</text>\n", x);
}

}  // namespace

std::string PlanSvg(const PlanView& view, bool labels) {
  std::string out = Sprintf(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\">\n",
      view.Width(), view.Height(), view.Width(), view.Height());
  out +=
      "<style>.ray{stroke:#999;stroke-width:0.7}.leg{stroke:#c00;stroke-width:1.5}"
      ".station{fill:none;stroke:#000}.shot{fill:#000}.scale{stroke:#000;stroke-width:2}"
      ".north{fill:#000}.misclose{stroke:#00c;fill:#00c;stroke-width:1.5}text{font-family:sans-"
      "serif;font-size:10px}</style>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  Lines(out, view);
  Points(out, view, labels);
  Misclosures(out, view);
  ScaleBar(out, view);
  NorthArrow(out, view);
  out += "</svg>\n";
  return out;
}

}  // namespace kestrel

#include "plan/plan_svg.h"

#include "platform/printf_format.h"
#include "platform/text_encoding.h"

namespace kestrel {

namespace {

constexpr double kCharWidthPx = 6.0;  // a label's width per character

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

const char* ClassOf(PlanInk ink) {
  switch (ink) {
    case PlanInk::Ray:
      return "ray";
    case PlanInk::Leg:
      return "leg";
    case PlanInk::Station:
      return "station";
    case PlanInk::Shot:
      return "shot";
    case PlanInk::Highlight:
      return "current";
    case PlanInk::Setup:
      return "setup";
    case PlanInk::Misclose:
      return "misclose";
    case PlanInk::Scale:
      return "scale";
    case PlanInk::North:
      return "north";
    case PlanInk::Label:
      return "label";
  }
  return "";
}

std::string Class(PlanMark mark) {
  return std::string(ClassOf(mark.ink)) + (mark.stale ? " stale" : "");
}

class SvgCanvas : public PlanCanvas {
 public:
  explicit SvgCanvas(std::string& out) : out_(out) {}

  void Line(PlanMark mark, ScreenPoint from, ScreenPoint to) override {
    out_ += Sprintf("<line class=\"%s\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>\n",
                    Class(mark).c_str(), from.x, from.y, to.x, to.y);
  }
  void Polygon(PlanMark mark, const std::vector<ScreenPoint>& corners) override {
    out_ += "<polygon class=\"" + Class(mark) + "\" points=\"";
    for (std::size_t i = 0; i < corners.size(); ++i) {
      out_ += Sprintf(i == 0 ? "%.1f,%.1f" : " %.1f,%.1f", corners[i].x, corners[i].y);
    }
    out_ += "\"/>\n";
  }
  void Dot(PlanMark mark, ScreenPoint centre, double radiusPx) override {
    out_ += Sprintf("<circle class=\"%s\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>\n",
                    Class(mark).c_str(), centre.x, centre.y, radiusPx);
  }
  void Cells(PlanMark mark, const std::vector<ScreenPoint>& corners, double sizePx) override {
    // One path for them all keeps a dense picture small.
    out_ += "<path class=\"" + Class(mark) + "\" d=\"";
    for (const ScreenPoint& at : corners) {
      out_ += Sprintf("M%.1f %.1fh%gv%gh-%gz", at.x, at.y, sizePx, sizePx, sizePx);
    }
    out_ += "\"/>\n";
  }
  void Text(PlanMark mark, ScreenPoint at, const std::string& text, TextAnchor anchor) override {
    const char* anchors[] = {"", " text-anchor=\"middle\"", " text-anchor=\"end\""};
    out_ += Sprintf("<text class=\"%s\" x=\"%.1f\" y=\"%.1f\"%s>", Class(mark).c_str(), at.x, at.y,
                    anchors[static_cast<int>(anchor)]) +
            SvgText(text) + "</text>\n";
  }
  double TextWidth(const std::string& text) const override {
    return kCharWidthPx * static_cast<double>(text.size());
  }

 private:
  std::string& out_;
};

}  // namespace

std::string PlanSvg(const PlanView& view, const PlanDrawOptions& options) {
  std::string out = Sprintf(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\">\n",
      view.Width(), view.Height(), view.Width(), view.Height());
  out +=
      "<style>.ray{stroke:#999;stroke-width:0.7}.leg{stroke:#c00;stroke-width:1.5}"
      ".station{fill:none;stroke:#000}.shot{fill:#000}line.scale{stroke:#000;stroke-width:2}"
      ".north{fill:#000}.misclose{stroke:#00c;fill:#00c;stroke-width:1.5}"
      ".current,.setup{fill:none;stroke:#e80;stroke-width:2}"
      ".stale{stroke:#aaa}.shot.stale,text.stale{fill:#aaa}text{font-family:sans-"
      "serif;font-size:10px;stroke:none!important}</style>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  SvgCanvas canvas(out);
  DrawPlan(view, canvas, options);
  out += "</svg>\n";
  return out;
}

}  // namespace kestrel

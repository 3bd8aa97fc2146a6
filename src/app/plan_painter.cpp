#include "app/plan_painter.h"

#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QPolygonF>
#include <vector>

#include "app/qt_ports.h"
#include "plan/plan_canvas.h"

namespace kestrel {

namespace {

QColor ColourOf(PlanMark mark) {
  if (mark.stale) return QColor(0xaa, 0xaa, 0xaa);
  switch (mark.ink) {
    case PlanInk::Ray:
      return QColor(0x99, 0x99, 0x99);
    case PlanInk::Leg:
      return QColor(0xcc, 0x00, 0x00);
    case PlanInk::Misclose:
      return QColor(0x00, 0x00, 0xcc);
    case PlanInk::Highlight:
      return QColor(0xee, 0x88, 0x00);
    case PlanInk::Setup:
      return QColor(0x00, 0x99, 0x00);
    default:
      return Qt::black;
  }
}

double WidthOf(PlanInk ink) {
  switch (ink) {
    case PlanInk::Ray:
      return 0.7;
    case PlanInk::Leg:
    case PlanInk::Misclose:
      return 1.5;
    case PlanInk::Scale:
    case PlanInk::Highlight:
    case PlanInk::Setup:
      return 2.0;
    default:
      return 1.0;
  }
}

QPointF At(ScreenPoint point) { return {point.x, point.y}; }

class QtPlanCanvas : public PlanCanvas {
 public:
  explicit QtPlanCanvas(QPainter& painter) : painter_(painter), metrics_(painter.font()) {}

  void Line(PlanMark mark, ScreenPoint from, ScreenPoint to) override {
    Outline(mark);
    painter_.drawLine(At(from), At(to));
  }
  void Polygon(PlanMark mark, const std::vector<ScreenPoint>& corners) override {
    QPolygonF polygon;
    for (const ScreenPoint& corner : corners) polygon << At(corner);
    if (mark.ink == PlanInk::Station) {
      Outline(mark);
    } else {
      Filled(mark);
    }
    painter_.drawPolygon(polygon);
  }
  void Dot(PlanMark mark, ScreenPoint centre, double radiusPx) override {
    // The current row's marks are rings around what is drawn there.
    if (mark.ink == PlanInk::Highlight || mark.ink == PlanInk::Setup) {
      Outline(mark);
    } else {
      Filled(mark);
    }
    painter_.drawEllipse(At(centre), radiusPx, radiusPx);
  }
  void Cells(PlanMark mark, const std::vector<ScreenPoint>& corners, double sizePx) override {
    Filled(mark);
    QList<QRectF> squares;
    squares.reserve(static_cast<qsizetype>(corners.size()));
    for (const ScreenPoint& corner : corners) squares.append({corner.x, corner.y, sizePx, sizePx});
    painter_.drawRects(squares);
  }
  void Text(PlanMark mark, ScreenPoint at, const std::string& text, TextAnchor anchor) override {
    const QString shown = ToQt(text);
    double x = at.x;
    if (anchor != TextAnchor::Start) {
      const double width = metrics_.horizontalAdvance(shown);
      x -= anchor == TextAnchor::Middle ? width / 2.0 : width;
    }
    painter_.setPen(ColourOf(mark));
    painter_.drawText(QPointF(x, at.y), shown);
  }
  double TextWidth(const std::string& text) const override {
    return metrics_.horizontalAdvance(ToQt(text));
  }

 private:
  void Outline(PlanMark mark) {
    painter_.setPen(QPen(ColourOf(mark), WidthOf(mark.ink)));
    painter_.setBrush(Qt::NoBrush);
  }
  void Filled(PlanMark mark) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ColourOf(mark));
  }

  QPainter& painter_;
  QFontMetricsF metrics_;
};

}  // namespace

QFont PlanLabelFont() {
  QFont font("Liberation Sans");
  font.setPixelSize(static_cast<int>(kLabelSizePx));
  return font;
}

PlanDrawn PaintPlan(QPainter& painter, const PlanView& view, const PlanDrawOptions& options) {
  painter.fillRect(QRectF(0, 0, view.Width(), view.Height()), Qt::white);
  painter.setFont(PlanLabelFont());
  QtPlanCanvas canvas(painter);
  return DrawPlan(view, canvas, options);
}

}  // namespace kestrel

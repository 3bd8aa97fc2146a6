#include "app/plan_dock.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>
#include <utility>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/kestrel_doc.h"
#include "app/kestrel_view.h"
#include "app/plan_painter.h"
#include "app/qt_ports.h"
#include "app/sheet_registry.h"
#include "grid/my_cug.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

constexpr double kPickRadiusPx = 5.0;
constexpr int kDragStartPx = 3;      // a press that moves less is a click
constexpr double kWheelStep = 1.25;  // zoom per notch of the wheel

}  // namespace

CPlanWidget::CPlanWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("PlanWidget");
  setMouseTracking(true);
  setMinimumSize(160, 160);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

CPlanWidget::~CPlanWidget() = default;

void CPlanWidget::SetPlan(SheetPlan plan, bool keepPlace) {
  auto next = std::make_unique<PlanView>(std::move(plan), width(), height());
  if (keepPlace && view_) next->ShowSameAs(*view_);
  view_ = std::move(next);
  update();
}

void CPlanWidget::ZoomToAll() {
  if (!view_) return;
  view_->ZoomToAll();
  update();
}

void CPlanWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!view_) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  PaintPlan(painter, *view_, options_);
}

void CPlanWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (view_) view_->Resize(width(), height());
}

void CPlanWidget::wheelEvent(QWheelEvent* event) {
  if (!view_) return;
  const double notches = event->angleDelta().y() / 120.0;
  const QPointF at = event->position();
  view_->ZoomAbout({at.x(), at.y()}, std::pow(kWheelStep, notches));
  update();
  event->accept();
}

void CPlanWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  dragging_ = false;
  pressedAt_ = lastAt_ = event->position().toPoint();
}

void CPlanWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (view_) {
    const GridPoint grid = view_->ToGrid({event->position().x(), event->position().y()});
    emit PointerAt(grid.east, grid.north);
  }
  if (!pressed_ || !view_) return;
  if (!dragging_ && (at - pressedAt_).manhattanLength() < kDragStartPx) return;
  dragging_ = true;
  view_->Pan(at.x() - lastAt_.x(), at.y() - lastAt_.y());
  lastAt_ = at;
  update();
}

void CPlanWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (dragging_ || !view_) return;
  const std::optional<int> row =
      view_->HitRow({event->position().x(), event->position().y()}, kPickRadiusPx);
  if (row) emit RowClicked(*row);
}

CPlanDock::CPlanDock(CKestrelView& view, QWidget* parent)
    : QDockWidget("Plan", parent), view_(view), widget_(new CPlanWidget) {
  setObjectName("PlanDock");
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QHBoxLayout;
  auto* all = new QPushButton("Zoom to all");
  labels_ = new QCheckBox("Labels");
  pointer_ = new QLabel;
  bar->addWidget(all);
  bar->addWidget(labels_);
  bar->addStretch();
  bar->addWidget(pointer_);
  layout->addLayout(bar);
  layout->addWidget(widget_, 1);
  setWidget(body);

  connect(all, &QPushButton::clicked, widget_, &CPlanWidget::ZoomToAll);
  connect(labels_, &QCheckBox::toggled, this, [this](bool on) {
    widget_->Options().labels = on;
    widget_->update();
  });
  connect(widget_, &CPlanWidget::PointerAt, this, &CPlanDock::ShowPointer);
  MyCug* grid = view_.Grid();
  connect(widget_, &CPlanWidget::RowClicked, this, [grid](int row) {
    grid->GoToCell(row, 0);
    grid->setFocus();
  });
  connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            widget_->Options().currentRow = current.row();
            widget_->update();
          });
  // Edits (undo and redo among them), commands, Calculate and adjustments.
  connect(grid, &MyCug::SheetModified, this, &CPlanDock::Rebuild);
  connect(&view_, &CKestrelView::SheetChanged, this, &CPlanDock::Rebuild);
  connect(&view_, &CKestrelView::ResultsNote, this, &CPlanDock::Rebuild);
  connect(&view_.Document(), &CKestrelDoc::DocumentChanged, this, &CPlanDock::Rebuild);
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible && rebuildPending_) RebuildNow();
  });
  widget_->Options().unit = UnitName();
  hide();
}

CPlanDock::~CPlanDock() = default;

void CPlanDock::Register(CommandRouter& router) {
  router.Register(kIdViewPlan, {[this] { setVisible(!isVisible()); },
                                [this] { return view_.Document().ActiveSheet() != nullptr; },
                                [this] { return isVisible(); }});
}

// Several changes in one go (a paste, Calculate's notes) take the plan once.
void CPlanDock::Rebuild() {
  if (rebuildPending_) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (rebuildPending_ && isVisible()) RebuildNow();
  });
}

void CPlanDock::RebuildNow() {
  rebuildPending_ = false;
  const void* sheet = view_.Document().ActiveSheet();
  widget_->Options().stale = view_.ResultsStale();
  widget_->Options().currentRow = view_.Grid()->currentIndex().row();
  widget_->SetPlan(SheetsPlan(), sheet == shownSheet_);
  shownSheet_ = sheet;
}

// The plan the kind registers, else its point records.
SheetPlan CPlanDock::SheetsPlan() const {
  CUGDataSource* sheet = view_.Document().ActiveSheet();
  const DesktopSheetKind* kind = view_.Document().ActiveKind();
  if (sheet == nullptr || kind == nullptr || kind->core == nullptr) return {};
  if (kind->core->plan) return kind->core->plan(*sheet);
  if (kind->Implements(kCmdFirstPoint)) return PlanFromPointRecords(*sheet);
  return {};
}

void CPlanDock::UnitsChanged() {
  widget_->Options().unit = UnitName();
  widget_->update();
}

// Lengths are in the job's unit as booked: the distance selector names it.
std::string CPlanDock::UnitName() const {
  return view_.Document().Context().units.DistanceUnit() == kMetres ? "m" : "ft";
}

void CPlanDock::ShowPointer(double east, double north) {
  const int unit = view_.Document().Context().units.DistanceUnit();
  const auto text = [unit](double value) {
    std::string out = Sprintf("%.3f", value);
    FormatDistanceText(out, value, unit);
    return QString::fromStdString(out).trimmed();
  };
  pointer_->setText(QString("E %1  N %2").arg(text(east), text(north)));
}

}  // namespace kestrel

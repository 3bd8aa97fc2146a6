// The plan dock linked to the grid: a click at a point's place on the screen
// moves the grid to its row, and the grid's current row is ringed in the
// drawing together with the set-up it was observed from.
#include <QImage>
#include <QTest>

#include "app/plan_dock.h"
#include "app_tests.h"
#include "grid/my_cug.h"

namespace kestrel::testing {
namespace {

// Two stations 100 m apart and two shots from a set-up on station 1. On a
// 300 x 300 drawing with 10 px margins the extent (1000..1100 E, 2000..2080 N)
// is 2.8 px to the metre about (1050, 2040) at (150, 150), so (e, n) is drawn
// at (150 + 2.8 (e - 1050), 150 - 2.8 (n - 2040)).
std::vector<StadiaRow> Rows() {
  return {Stn(1, 1000, 2000, 50), Stn(2, 1100, 2000, 50), AtBs(1, 2),
          Row(kStadiaHzDh, 101, 1050, 2080, 51), Row(kStadiaHzDh, 102, 1020, 2030, 51)};
}

struct ClickCase {
  const char* name;
  int x, y;
  int row;  // the grid's row after the click; -1: it stays where it was
};

const ClickCase kClicks[] = {
    {"station 1", 10, 262, 0}, {"station 2", 288, 263, 1},      {"shot 101", 150, 38, 3},
    {"shot 102", 70, 176, 4},  {"nothing there", 150, 150, -1},
};

struct CursorCase {
  const char* name;
  int row;
  QPoint point, setup;  // drawn at; a set-up of (0, 0): none
};

const CursorCase kCursors[] = {
    {"a shot and its set-up", 3, {150, 38}, {10, 262}},
    {"a station on its own", 1, {290, 262}, {0, 0}},
};

// Whether a pixel of `colour` lies within 2 px of `at`.
bool ColourNear(const QImage& image, QPoint at, QColor colour) {
  for (int dx = -2; dx <= 2; ++dx) {
    for (int dy = -2; dy <= 2; ++dy) {
      if (image.pixelColor(at + QPoint(dx, dy)) == colour) return true;
    }
  }
  return false;
}

class PlanDockTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void clickMovesTheGrid_data() { AddCaseRows(kClicks); }
  void clickMovesTheGrid() {
    const ClickCase& c = CaseAt(kClicks);
    StadiaDocument document(Rows());
    QVERIFY(document.opened);
    CPlanDock dock(*document.view);
    dock.Widget()->setFixedSize(300, 300);
    dock.show();
    QTRY_VERIFY(dock.Widget()->View() != nullptr);
    document.view->Grid()->GoToCell(2, 0);
    QTest::mouseClick(dock.Widget(), Qt::LeftButton, {}, QPoint(c.x, c.y));
    QCOMPARE(document.view->Grid()->currentIndex().row(), c.row < 0 ? 2 : c.row);
  }

  void gridCursorIsRinged_data() { AddCaseRows(kCursors); }
  void gridCursorIsRinged() {
    const CursorCase& c = CaseAt(kCursors);
    StadiaDocument document(Rows());
    QVERIFY(document.opened);
    CPlanDock dock(*document.view);
    dock.Widget()->setFixedSize(300, 300);
    dock.show();
    QTRY_VERIFY(dock.Widget()->View() != nullptr);
    document.view->Grid()->GoToCell(c.row, 2);
    const QImage image = dock.Widget()->grab().toImage();
    // The rings are 7 px about their points: orange on the row's point,
    // green on its set-up.
    const QColor orange(0xee, 0x88, 0x00), green(0x00, 0x99, 0x00);
    QVERIFY(ColourNear(image, c.point + QPoint(7, 0), orange));
    QVERIFY(!ColourNear(image, c.point + QPoint(-7, 0), green));
    if (!c.setup.isNull()) QVERIFY(ColourNear(image, c.setup + QPoint(0, -7), green));
  }
};

const bool kRegistered = RegisterTestClass<PlanDockTest>();

}  // namespace
}  // namespace kestrel::testing

#include "plan_dock_test.moc"

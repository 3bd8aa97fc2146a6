// Timings of the entry grid on a million-row sheet: reading the file,
// showing the grid, jumping to the data end and scrolling. Not a timed test:
// it runs only when KESTREL_GRID_MEASURE is set, and prints what it measured.
#include <QElapsedTimer>
#include <QScrollBar>

#include "grid_harness.h"
#include "grid_tests.h"

namespace kestrel::testing {

namespace {

constexpr int kRows = 1'000'000;

// A day's work scaled up: a set-up every 50 rows, a note every 10.
void FillSheet(Stadia& sheet) {
  std::vector<StadiaRow>& rows = sheet.Rows();
  rows.reserve(kRows);
  for (int i = 0; i < kRows; ++i) {
    StadiaRow row;
    if (i % 50 == 0) {
      row.type = kStadiaAtBs;
      row.dist = 1.55;
    } else if (i % 10 == 0) {
      row.type = kStadiaFnote;
      row.note = "v0ha";
    } else {
      row.type = kStadiaSdHt;
      row.hz = 123.4530;
      row.obs2 = 91.1520;
      row.dist = 45.678;
      row.targetHt = 1.6;
      row.code = "TOPO";
    }
    row.point = static_cast<std::uint32_t>(i + 1);
    rows.push_back(std::move(row));
  }
}

double Milliseconds(QElapsedTimer& timer) {
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  timer.restart();
  return ms;
}

}  // namespace

void GridLargeSheetMeasure::openJumpAndScroll() {
  if (qEnvironmentVariableIsEmpty("KESTREL_GRID_MEASURE")) {
    QSKIP("set KESTREL_GRID_MEASURE to measure a million-row sheet");
  }
  ScratchFolder folder;
  QVERIFY(folder.Ok());
  const std::string path = folder.File("stad1.big");
  {
    SheetTestContext context;
    Stadia written(context.ctx);
    FillSheet(written);
    written.SaveToFile(path);
  }

  GridHarness h;
  QElapsedTimer timer;
  timer.start();
  QCOMPARE(h.sheet.LoadFromFile(path), 1);
  const double load = Milliseconds(timer);
  QVERIFY(h.Show());
  QCoreApplication::processEvents();
  const double show = Milliseconds(timer);
  QCOMPARE(h.grid.GridRowCount(), kRows + 100);

  h.grid.MoveToDataEnd();
  QCoreApplication::processEvents();
  const double jump = Milliseconds(timer);
  QCOMPARE(h.Current().row(), kRows - 1);

  constexpr int kPages = 50;
  for (int i = 0; i < kPages; ++i) {
    h.grid.PageUpRows();
    QCoreApplication::processEvents();
  }
  const double pageUp = Milliseconds(timer) / kPages;

  constexpr int kDrags = 50;
  QScrollBar* bar = h.grid.verticalScrollBar();
  for (int i = 0; i < kDrags; ++i) {
    bar->setValue(bar->maximum() / kDrags * i);
    h.grid.viewport()->repaint();
  }
  const double drag = Milliseconds(timer) / kDrags;

  h.grid.scrollToBottom();
  QCoreApplication::processEvents();
  const double bottom = Milliseconds(timer);

  qInfo(
      "million-row sheet: load %.0f ms, attach and show %.0f ms, jump to data end %.0f ms, "
      "page up %.1f ms each, scroll-bar jump and repaint %.1f ms each, to bottom %.0f ms",
      load, show, jump, pageUp, drag, bottom);
}

}  // namespace kestrel::testing

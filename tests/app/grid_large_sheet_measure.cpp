// Timings of the entry grid on a million-row sheet: reading the file, showing
// the grid, jumping to the data end and scrolling. Not a timed test: it runs
// only when KESTREL_GRID_MEASURE is set, and prints what it measured.
#include <QElapsedTimer>
#include <QScrollBar>

#include "grid_harness.h"
#include "grid_tests.h"

namespace kestrel::testing {

void GridTest::openJumpAndScroll() {
  if (qEnvironmentVariableIsEmpty("KESTREL_GRID_MEASURE")) {
    QSKIP("set KESTREL_GRID_MEASURE to measure a million-row sheet");
  }
  constexpr int kRows = 1'000'000;
  ScratchFolder folder;
  QVERIFY(folder.Ok());
  const std::string path = folder.File("stad1.big");
  {
    // A set-up every 50 rows, a note every 10, shots between.
    SheetTestContext context;
    Stadia written(context.ctx);
    written.Rows().reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
      const int type = i % 50 == 0 ? kStadiaAtBs : i % 10 == 0 ? kStadiaFnote : kStadiaSdHt;
      StadiaRow row = BlankStadiaRow(type);
      row.point = static_cast<std::uint32_t>(i + 1);
      row.hz = 123.4530;
      row.dist = 45.678;
      row.note = type == kStadiaFnote ? "v0ha" : "";
      written.Rows().push_back(std::move(row));
    }
    written.SaveToFile(path);
  }

  GridHarness h;
  QElapsedTimer timer;
  timer.start();
  auto lap = [&timer] { return static_cast<double>(timer.nsecsElapsed()) / 1e6; };
  QCOMPARE(h.sheet.LoadFromFile(path), 1);
  const double load = lap();
  QVERIFY(h.Show());
  QCoreApplication::processEvents();
  const double shown = lap();
  h.grid.MoveToDataEnd();
  QCoreApplication::processEvents();
  const double atEnd = lap();
  QCOMPARE(h.Current().row(), kRows - 1);

  constexpr int kPages = 50;
  for (int i = 0; i < kPages; ++i) {
    h.grid.PageUpRows();
    QCoreApplication::processEvents();
  }
  const double paged = lap();
  QScrollBar* bar = h.grid.verticalScrollBar();
  for (int i = 0; i < kPages; ++i) {
    bar->setValue(bar->maximum() / kPages * i);
    h.grid.viewport()->repaint();
  }
  const double dragged = lap();

  qInfo(
      "million-row sheet: load %.0f ms, attach and show %.0f ms, jump to data end %.0f ms, "
      "page up %.1f ms each, scroll-bar jump with repaint %.1f ms each",
      load, shown - load, atEnd - shown, (paged - atEnd) / kPages, (dragged - paged) / kPages);
}

}  // namespace kestrel::testing

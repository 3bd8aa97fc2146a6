// How the entry grid copes with a million-row sheet: reading the file, showing
// the grid on it, jumping to the data end, paging and dragging the scroll bar.
// A one-shot measurement printed as text (the steps change the window's state,
// so they are not repeated as Google Benchmark would).
//
//   QT_QPA_PLATFORM=offscreen build-bench/bin/kestrel_grid_bench [rows]
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "generated_sheets.h"
#include "grid/my_cug.h"

namespace {

double Milliseconds(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
  const std::string path =
      (std::filesystem::temp_directory_path() / "kestrel-grid-bench.tst").string();
  {
    kestrel::bench::BenchSheet written;
    written.sheet.Rows() = kestrel::bench::GenerateStadiaRows(rows);
    written.sheet.SaveToFile(path);
  }

  kestrel::bench::BenchSheet opened;
  kestrel::MyCug grid;
  grid.resize(1100, 700);
  QElapsedTimer timer;
  timer.start();
  if (opened.sheet.LoadFromFile(path) != 1) {
    std::fprintf(stderr, "could not read %s\n", path.c_str());
    return 1;
  }
  const double loaded = Milliseconds(timer);
  grid.AttachSource(&opened.sheet);
  grid.show();
  QCoreApplication::processEvents();
  const double shown = Milliseconds(timer);
  grid.MoveToDataEnd();
  QCoreApplication::processEvents();
  const double atEnd = Milliseconds(timer);

  constexpr int kSteps = 50;
  for (int i = 0; i < kSteps; ++i) {
    grid.PageUpRows();
    QCoreApplication::processEvents();
  }
  const double paged = Milliseconds(timer);
  QScrollBar* bar = grid.verticalScrollBar();
  for (int i = 0; i < kSteps; ++i) {
    bar->setValue(bar->maximum() / kSteps * i);
    grid.viewport()->repaint();
  }
  const double dragged = Milliseconds(timer);
  std::filesystem::remove(path);

  std::printf("rows: %zu\n", rows);
  std::printf("read the sheet file: %.0f ms\n", loaded);
  std::printf("attach, show and first paint: %.0f ms\n", shown - loaded);
  std::printf("jump to the data end: %.1f ms\n", atEnd - shown);
  std::printf("page up: %.1f ms each\n", (paged - atEnd) / kSteps);
  std::printf("scroll-bar jump with repaint: %.1f ms each\n", (dragged - paged) / kSteps);
  return 0;
}

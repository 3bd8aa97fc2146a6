#pragma once
// A Stadia sheet on recording ports with an entry grid over it, shown on the
// offscreen platform, and the key helpers the grid tests type with.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "grid/my_cug.h"

namespace kestrel::testing {

struct GridHarness {
  GridHarness() { grid.resize(900, 640); }

  // Adds a row of `type` with a point number (kNoPoint for none).
  StadiaRow& AddRow(int type, std::uint32_t point = kNoPoint) {
    sheet.Rows().push_back({.type = static_cast<std::int8_t>(type), .point = point});
    return sheet.Rows().back();
  }

  // Adds `count` SD/HT rows numbered from `first`.
  void AddShots(std::uint32_t first, int count) {
    for (int i = 0; i < count; ++i) AddRow(kStadiaSdHt, first + static_cast<std::uint32_t>(i));
  }

  // Attaches the sheet and shows the grid with the focus.
  bool Show() {
    grid.AttachSource(&sheet);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    return QTest::qWaitForWindowExposed(&grid);
  }

  // The widget the keyboard goes to: an open editor, else the grid.
  QWidget* FocusTarget() {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != grid.window()) target = grid.focusWidget();
    return target != nullptr ? target : &grid;
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(FocusTarget(), key, modifiers);
  }

  // Types the text one key at a time, each to whatever has the focus then, as
  // the first key of an entry opens the cell's editor.
  void Type(const std::string& text) {
    for (char c : text) QTest::keyClick(FocusTarget(), c);
  }

  void TypeEntry(const std::string& text) {
    Type(text);
    Press(Qt::Key_Return);
  }

  // Every row's stored state, top to bottom.
  std::vector<std::string> States() {
    std::vector<std::string> states;
    for (int row = 0; row < sheet.RowCount(); ++row) states.push_back(sheet.RowState(row));
    return states;
  }

  int RowType(int row) { return sheet.Rows()[static_cast<std::size_t>(row)].type; }
  QModelIndex Current() const { return grid.currentIndex(); }
  QString Heading(int column) const {
    return grid.model()->headerData(column, Qt::Horizontal).toString();
  }
  QVariant Data(int row, int column, int role = Qt::DisplayRole) const {
    return grid.model()->data(grid.model()->index(row, column), role);
  }

  SheetTestContext context;
  Stadia sheet{context.ctx};
  MyCug grid;
};

}  // namespace kestrel::testing

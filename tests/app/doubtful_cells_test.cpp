// The entry grid marks a typed value that cannot be meant: a warning colour
// behind the cell and the reason as its tooltip; sound values are unmarked.
#include <QBrush>
#include <QColor>
#include <QTest>

#include "app_tests.h"
#include "grid/sheet_table_model.h"

namespace kestrel::testing {
namespace {

struct DoubtCase {
  const char* name;
  int column;  // of an SD/HT row: 1 Pt#, 2 Hz Cir, 3 Vt Cir, 4 S/Dist
  const char* typed;
  const char* tooltip;  // empty: not marked
};

const DoubtCase kCases[] = {
    {"75 minutes", 2, "45.75", "75 minutes: a reading has 0 to 59 minutes; kept as typed"},
    {"sound bearing", 2, "45.5959", ""},
    {"60 seconds", 3, "91.0560", "60 seconds: a reading has 0 to 59 seconds; kept as typed"},
    {"letter in a distance", 4, "1O.5",
     "a letter inside the number ended it: the digits after the letter were not read"},
    {"unit after a distance", 4, "12.5m", ""},
    {"letter in a point number", 1, "1O1",
     "a letter inside the number ended it: the digits after the letter were not read"},
};

class DoubtfulCellsTest : public QObject {
  Q_OBJECT

 private slots:
  void MarkedCells_data() { AddCaseRows(kCases); }
  void MarkedCells() {
    const DoubtCase& c = CaseAt(kCases);
    SheetTestContext context;
    Stadia sheet(context.ctx);
    sheet.Rows() = {BlankStadiaRow(kStadiaSdHt), BlankStadiaRow(kStadiaSdHt)};
    SheetTableModel model;
    model.SetSource(&sheet, 10);
    const QModelIndex cell = model.index(0, c.column);
    QVERIFY(model.setData(cell, QString::fromLatin1(c.typed), Qt::EditRole));
    model.ForgetCachedCell();

    const QString tooltip = QString::fromLatin1(c.tooltip);
    QCOMPARE(model.data(cell, Qt::ToolTipRole).toString(), tooltip);
    const QColor background = model.data(cell, Qt::BackgroundRole).value<QBrush>().color();
    QCOMPARE(background != QColor(Qt::white), !tooltip.isEmpty());
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<DoubtfulCellsTest>();

}  // namespace
}  // namespace kestrel::testing

#include "doubtful_cells_test.moc"

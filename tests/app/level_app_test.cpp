// The levelling sheets in the desktop program: a new level sheet's road
// number, the "Level Sheet Default" dialog, renumbering, and a level book
// reduced and printed through the view.
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/level_sheet_entry.h"
#include "app/qt_ports.h"
#include "app/renumber_points.h"
#include "app_tests.h"
#include "sheets/level/level_book.h"
#include "sheets/level/level_sheet.h"

namespace kestrel::testing {
namespace {

// A document of one levelling kind with its view, opened on `file` written
// with `bytes`.
struct LevelDocument : OpenedDocument {
  LevelDocument(SheetType type, const char* file, const std::string& bytes,
                std::optional<int> road = std::nullopt)
      : OpenedDocument(
            type, file,
            [&bytes](const QString& path) {
              return WriteFile(path, QByteArray::fromStdString(bytes));
            },
            road) {}
};

// A level book of a backsight on 100.000 and a foresight, saved as bytes.
std::string TwoReadingBook() {
  SheetTestContext context;
  LevelBook book(context.ctx);
  book.Rows().resize(2);
  book.Rows()[0].SetValue(kLevelBs, 1.5);
  book.Rows()[0].SetValue(kLevelRl, 100.0);
  book.Rows()[1].SetValue(kLevelFs, 0.5);
  ScratchFolder folder;
  book.SaveToFile(folder.File("lvlbk1.tst"));
  return ScratchFolder::Read(folder.File("lvlbk1.tst"));
}

class LevelAppTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void roadNumberDialog() {
    QtDialogs dialogs;
    QString label;
    QTimer::singleShot(0, [&label] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      label = dialog->labelText();
      dialog->setIntValue(12);
      dialog->accept();
    });
    QCOMPARE(dialogs.AskInteger("Enter Road Number for Level Sheet Entries", 0), std::optional(12));
    QCOMPARE(label, QString("Enter Road Number for Level Sheet Entries"));
  }

  void levelSheetDefaultAndRenumbering() {
    CLevelSheetEntry entry;
    QCOMPARE(entry.windowTitle(), QString("Level Sheet Default"));
    QCOMPARE(entry.Value(), -1);
    entry.SetValue(1);
    QCOMPARE(entry.Value(), 1);

    // The dialog's choice of a range reaches the level sheet as command 26.
    CRenumberPoints renumber;
    renumber.RangeButton()->setChecked(true);
    renumber.FromField()->setText("10");
    renumber.ToField()->setText("20");
    renumber.StartField()->setText("100");
    const Renumbering value = renumber.Choice();

    LevelDocument document(SheetType::LevelSheet, "lvlsh1.tst", "empty", 1);
    QVERIFY(document.opened);
    auto& sheet = dynamic_cast<LevelSheet&>(*document.doc->ActiveSheet());
    document.view->ApplyEntryType(1);
    QCOMPARE(sheet.DefaultType(), 1);
    sheet.Rows()[1].point = 15;
    QVERIFY(document.registry.Find(SheetType::LevelSheet)->Implements(kCmdRenumber));
    sheet.Command(kCmdRenumber, value.range, value.start);
    QCOMPARE(sheet.Rows()[1].point, 100);
  }

  void levelBookCalculatesAndPrints() {
    LevelDocument document(SheetType::LevelBook, "lvlbk1.tst", TwoReadingBook());
    QVERIFY(document.opened);
    auto& book = dynamic_cast<LevelBook&>(*document.doc->ActiveSheet());
    QCOMPARE(book.RowCount(), 2);
    document.view->CalculateCoordinates();
    QCOMPARE(book.Rows()[1].Value(kLevelRl), 101.0);
    QCOMPARE(document.view->PrintToPdf(document.scratch.filePath("listing.pdf")), 1);
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<LevelAppTest>();

}  // namespace
}  // namespace kestrel::testing

#include "level_app_test.moc"

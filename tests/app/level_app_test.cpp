// The levelling sheets in the desktop program: a new level sheet's road
// number, the "Level Sheet Default" dialog, and a level book reduced and
// printed through the view.
#include <QApplication>
#include <QInputDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "app/level_sheet_entry.h"
#include "app/qt_ports.h"
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

  // The "Level Sheet Default" dialog's choice reaches a new level sheet.
  void levelSheetDefault() {
    CLevelSheetEntry entry;
    QCOMPARE(entry.Value(), -1);
    LevelDocument document(SheetType::LevelSheet, "lvlsh1.tst", "empty", 1);
    QVERIFY(document.opened);
    document.view->ApplyEntryType(1);
    QCOMPARE(dynamic_cast<LevelSheet&>(*document.doc->ActiveSheet()).DefaultType(), 1);
  }

  void levelBookCalculatesAndPrints() {
    LevelDocument document(SheetType::LevelBook, "lvlbk1.tst", TwoReadingBook());
    QVERIFY(document.opened);
    document.view->CalculateCoordinates();
    QCOMPARE(dynamic_cast<LevelBook&>(*document.doc->ActiveSheet()).Rows()[1].Value(kLevelRl),
             101.0);
    QCOMPARE(document.view->PrintToPdf(document.scratch.filePath("listing.pdf")), 1);
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<LevelAppTest>();

}  // namespace
}  // namespace kestrel::testing

#include "level_app_test.moc"

// The "Field Table Selection" dialog: its controls rebuild the path, and "New"
// and "Open Existing" make sure the chosen file exists as the sheet kind needs.
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt_ports.h"
#include "app/table_selection_dialog.h"
#include "app_test_support.h"
#include "app_tests.h"
#include "platform/recording_ports.h"

namespace kestrel::testing {
namespace {

JobLocation WindowsJob() { return {"c:", "\\data\\", "tst"}; }

JobLocation FolderJob(const QString& folder) { return {"", PathFromQt(folder) + "/", "tst"}; }

// Browse... answers with a fixed file and remembers where it was asked to
// start.
class BrowsingSelection : public CTableSelection {
 public:
  using CTableSelection::CTableSelection;
  QString answer;
  QString askedFolder;

 protected:
  QString AskForSheetFile(const QString& folder, SheetType) override {
    askedFolder = folder;
    return answer;
  }
};

}  // namespace

void TableSelectionTest::init() { ClearProfile(); }

void TableSelectionTest::radioButtonRebuildsPath_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("label");
  QTest::newRow("traditional") << 1 << "c:\\data\\trad3.tst"
                               << "Survey Number";
  QTest::newRow("traverse") << 2 << "c:\\data\\trav3.tst"
                            << "Traverse Number";
  QTest::newRow("level book") << 3 << "c:\\data\\lvlbk3.tst"
                              << "Level Number";
  QTest::newRow("level sheet") << 4 << "c:\\data\\lvlsh3.tst"
                               << "Level Number";
  // The precision stadia name is the job name, the keyword and the number.
  QTest::newRow("precision stadia") << 5 << "c:\\data\\tst.precisionstadia3"
                                    << "Level Number";
  QTest::newRow("stadia again") << 0 << "c:\\data\\stad3.tst"
                                << "Survey Number";
}

void TableSelectionTest::radioButtonRebuildsPath() {
  QFETCH(int, type);
  QFETCH(QString, path);
  QFETCH(QString, label);
  RecordingMessages messages;
  CTableSelection dialog(messages);
  dialog.Prepare(WindowsJob(), SheetType::Stadia, 3);
  QCOMPARE(dialog.PathField()->text(), QString("c:\\data\\stad3.tst"));

  dialog.TypeButton(static_cast<SheetType>(type))->click();
  QCOMPARE(dialog.PathField()->text(), path);
  QCOMPARE(dialog.NumberLabel()->text(), label);
  QCOMPARE(static_cast<int>(dialog.Type()), type);
}

// Typing a number rebuilds the path from the job; Enter in the number field
// rebuilds it from the path as it stands and keeps the dialog open.
void TableSelectionTest::numberFieldRebuildsPath() {
  RecordingMessages messages;
  CTableSelection dialog(messages);
  dialog.Prepare(WindowsJob(), SheetType::Traverse, 1);
  dialog.show();
  dialog.PathField()->setText("c:\\other\\trav1.abc");

  dialog.NumberField()->selectAll();
  QTest::keyClicks(dialog.NumberField(), "5");
  QCOMPARE(dialog.PathField()->text(), QString("c:\\data\\trav5.tst"));

  dialog.PathField()->setText("c:\\other\\trav5.abc");
  dialog.NumberField()->setText("7");
  QTest::keyClick(dialog.NumberField(), Qt::Key_Return);
  QCOMPARE(dialog.PathField()->text(), QString("c:\\other\\trav7.abc"));
  QVERIFY(dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TableSelectionTest::newAndOpenExistingPrepareTheFile_data() {
  QTest::addColumn<bool>("useNew");
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("subfolder");  // "" the scratch folder itself
  QTest::addColumn<QByteArray>("before");  // "<none>": no file
  QTest::addColumn<QByteArray>("after");   // "<none>": still no file
  QTest::addColumn<bool>("failureShown");
  const QByteArray none = "<none>";
  QTest::newRow("New on a missing file") << true << 0 << "" << none << QByteArray("empty") << false;
  QTest::newRow("New on an empty file")
      << true << 0 << "" << QByteArray() << QByteArray("empty") << false;
  QTest::newRow("New keeps a sheet with rows")
      << true << 2 << "" << QByteArray("rows!!") << QByteArray("rows!!") << false;
  QTest::newRow("New in a missing folder") << true << 0 << "missing" << none << none << true;
  QTest::newRow("Open Existing makes a missing level sheet")
      << false << 4 << "" << none << QByteArray("empty") << false;
  QTest::newRow("Open Existing leaves a missing stadia sheet")
      << false << 0 << "" << none << none << false;
}

void TableSelectionTest::newAndOpenExistingPrepareTheFile() {
  QFETCH(bool, useNew);
  QFETCH(int, type);
  QFETCH(QString, subfolder);
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, after);
  QFETCH(bool, failureShown);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  const QString folder = subfolder.isEmpty() ? scratch.path() : scratch.filePath(subfolder);
  RecordingMessages messages;
  CTableSelection dialog(messages);
  dialog.Prepare(FolderJob(folder), static_cast<SheetType>(type), 2);
  const QString path = dialog.PathField()->text();
  if (before != "<none>") QVERIFY(WriteFile(path, before));

  (useNew ? dialog.NewButton() : dialog.OpenExistingButton())->click();

  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(PathToQt(dialog.Result().path), path);
  QCOMPARE(static_cast<int>(dialog.Result().type), type);
  if (after == "<none>") {
    QVERIFY(!QFile::exists(path));
  } else {
    QCOMPARE(ReadFile(path), after);
  }
  if (failureShown) {
    QCOMPARE(messages.texts.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(messages.texts[0]), "failed to create file " + path);
  } else {
    QVERIFY(messages.texts.empty());
  }
}

void TableSelectionTest::browsedFileDecidesTypeAndNumber() {
  RecordingMessages messages;
  BrowsingSelection dialog(messages);
  dialog.Prepare(WindowsJob(), SheetType::Stadia, 1);
  dialog.answer = "/jobs/north/trav7.abc";

  dialog.BrowseButton()->click();

  QCOMPARE(dialog.askedFolder, QString("/data/"));
  QVERIFY(dialog.TypeButton(SheetType::Traverse)->isChecked());
  QCOMPARE(dialog.NumberField()->text(), QString("7"));
  QCOMPARE(dialog.NumberLabel()->text(), QString("Traverse Number"));
  QCOMPARE(dialog.PathField()->text(), QString("/jobs/north/trav7.abc"));
}

}  // namespace kestrel::testing

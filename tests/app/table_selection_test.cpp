// The "Field Table Selection" dialog: its controls rebuild the path, and "New"
// and "Open Existing" make sure the chosen file exists as the sheet kind needs.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/qt_ports.h"
#include "app/table_selection_dialog.h"
#include "app_tests.h"

namespace kestrel::testing {
namespace {

const JobLocation kWindowsJob{"c:", "\\data\\", "tst"};

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

// Subfolder "": the scratch folder itself; before and after null: no file.
// Shown: none, the creation failure, or "missing" (the dialog then stays open).
enum class Shown { None, CreateFailed, Missing };
struct PrepareCase {
  const char* name;
  bool useNew;
  SheetType type;
  const char *subfolder, *before, *after;
  Shown shown;
};
const PrepareCase kPrepares[] = {
    {"New on a missing file", true, SheetType::Stadia, "", nullptr, "empty", Shown::None},
    {"New keeps a sheet with rows", true, SheetType::Traverse, "", "rows!!", "rows!!", Shown::None},
    {"New in a missing folder", true, SheetType::Stadia, "missing", nullptr, nullptr,
     Shown::CreateFailed},
    {"Open Existing makes a missing level sheet", false, SheetType::LevelSheet, "", nullptr,
     "empty", Shown::None},
    {"Open Existing refuses a missing stadia sheet", false, SheetType::Stadia, "", nullptr, nullptr,
     Shown::Missing},
};

class TableSelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  // A kind's button rebuilds the path with that kind's name and label, and
  // so does a typed number; Enter in the number field keeps the dialog open.
  void controlsRebuildThePath() {
    RecordingMessages messages;
    CTableSelection dialog(messages);
    dialog.Prepare(kWindowsJob, SheetType::Stadia, 3);
    dialog.show();
    QCOMPARE(dialog.PathField()->text(), QString("c:\\data\\stad3.tst"));
    dialog.TypeButton(SheetType::LevelSheet)->click();
    QCOMPARE(dialog.PathField()->text(), QString("c:\\data\\lvlsh3.tst"));
    QCOMPARE(dialog.NumberLabel()->text(), QString("Level Number"));
    dialog.NumberField()->selectAll();
    QTest::keyClicks(dialog.NumberField(), "5");
    QTest::keyClick(dialog.NumberField(), Qt::Key_Return);
    QCOMPARE(dialog.PathField()->text(), QString("c:\\data\\lvlsh5.tst"));
    QVERIFY(dialog.isVisible());
  }

  void newAndOpenExistingPrepareTheFile_data() { AddCaseRows(kPrepares); }
  void newAndOpenExistingPrepareTheFile() {
    const PrepareCase& c = CaseAt(kPrepares);
    QTemporaryDir scratch;
    RecordingMessages messages;
    CTableSelection dialog(messages);
    const QString folder = *c.subfolder ? scratch.filePath(c.subfolder) : scratch.path();
    dialog.Prepare({"", PathFromQt(folder) + "/", "tst"}, c.type, 2);
    const QString path = dialog.PathField()->text();
    if (c.before) QVERIFY(WriteFile(path, c.before));

    (c.useNew ? dialog.NewButton() : dialog.OpenExistingButton())->click();

    const bool refused = c.shown == Shown::Missing;
    QCOMPARE(dialog.result(), int(refused ? QDialog::Rejected : QDialog::Accepted));
    if (!refused) QCOMPARE(PathToQt(dialog.Result().path), path);
    QVERIFY(dialog.Result().type == c.type);
    QCOMPARE(QFile::exists(path), c.after != nullptr);
    if (c.after) QCOMPARE(ReadFile(path), QByteArray(c.after));
    std::vector<std::string> shown;
    if (c.shown == Shown::CreateFailed) shown = {"failed to create file " + PathFromQt(path)};
    if (refused)
      shown = {"The file " + PathFromQt(path) + " does not exist. Choose \"New\" to start it."};
    QCOMPARE(messages.texts, shown);
  }

  void browsedFileDecidesTypeAndNumber() {
    RecordingMessages messages;
    BrowsingSelection dialog(messages);
    dialog.Prepare(kWindowsJob, SheetType::Stadia, 1);
    dialog.answer = "/jobs/north/trav7.abc";

    dialog.BrowseButton()->click();

    QCOMPARE(dialog.askedFolder, QString("/data/"));
    QVERIFY(dialog.TypeButton(SheetType::Traverse)->isChecked());
    QCOMPARE(dialog.NumberField()->text(), QString("7"));
    QCOMPARE(dialog.NumberLabel()->text(), QString("Traverse Number"));
    QCOMPARE(dialog.PathField()->text(), QString("/jobs/north/trav7.abc"));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<TableSelectionTest>();

}  // namespace
}  // namespace kestrel::testing

#include "table_selection_test.moc"

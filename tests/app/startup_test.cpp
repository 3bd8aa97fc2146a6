// Start-up from the host's command line: which command lines open a sheet
// straight away, which ask for it, Cancel ending the program, and Help.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/kestrel_app.h"
#include "app/kestrel_doc.h"
#include "app/main_frame.h"
#include "app/progress_status_bar.h"
#include "app/table_selection_dialog.h"
#include "app_test_support.h"
#include "app_tests.h"
#include "sheets/sheet_test_context.h"

namespace kestrel::testing {
namespace {

// The desktop program with recording ports and a scripted sheet chooser.
struct ScriptedProgram {
  RecordingMessages messages;
  RecordingShell shell;
  ScriptedSheetChooser chooser;
  CKestrelApp app{DesktopOverrides{&messages, &shell, nullptr, nullptr, nullptr, &chooser}};
};

QString Native(const std::string& path) { return QString::fromStdString(path); }

}  // namespace

void StartupTest::init() {
  ClearProfile();
  qunsetenv("KESTREL_HOME");
}

void StartupTest::numberedCommandLineOpensWithoutDialog_data() {
  QTest::addColumn<QString>("argument");  // %1 stands for a scratch folder
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("distance");
  // The profile holds "Feet Inches" before each start.
  QTest::newRow("host's metres") << "stadia,,%1/,tst,0,3,4"
                                 << "%1/stad4.tst"
                                 << "Metres";
  QTest::newRow("host's decimal feet") << "stadia,,%1/,tst,0,4,2"
                                       << "%1/stad2.tst"
                                       << "Dec Feet";
  QTest::newRow("host's other metres code") << "stadia,,%1/,tst,0,5,9"
                                            << "%1/stad9.tst"
                                            << "Metres";
  QTest::newRow("-1 leaves the profile's notation") << "stadia,,%1/,tst,0,-1,3"
                                                    << "%1/stad3.tst"
                                                    << "Feet Inches";
  QTest::newRow("windows form, precision stadia") << "precisionstadia,d:,\\jobs\\,job7,0,4,2"
                                                  << "/jobs/job7.precisionstadia2"
                                                  << "Dec Feet";
}

void StartupTest::numberedCommandLineOpensWithoutDialog() {
  QFETCH(QString, argument);
  QFETCH(QString, path);
  QFETCH(QString, distance);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  QSettings().setValue("Units/Distance", 2);
  ScriptedProgram program;

  QVERIFY(program.app.InitInstance(argument.replace("%1", scratch.path()).toStdString()));

  QVERIFY(program.chooser.offeredTypes.empty());
  QCOMPARE(Native(program.app.Document()->PathName()), path.replace("%1", scratch.path()));
  QCOMPARE(program.app.MainFrame()->StatusBar()->DistanceSelector()->currentText(), distance);
}

void StartupTest::unnumberedCommandLineAsksForTheSheet_data() {
  QTest::addColumn<QString>("argument");  // "<none>": started without one
  QTest::addColumn<QString>("recent");
  QTest::addColumn<int>("offeredType");
  QTest::addColumn<int>("offeredNumber");
  QTest::addColumn<bool>("opensChosenFile");
  QTest::newRow("job without number, recent stadia 7") << "stadia,c:,\\data\\,tst"
                                                       << "/jobs/stad7.tst" << 0 << 7 << true;
  QTest::newRow("recent file of another kind") << "traverse,c:,\\data\\,tst"
                                               << "/jobs/stad7.tst" << 2 << 1 << true;
  QTest::newRow("bare keyword") << "stadia"
                                << "" << 0 << 1 << true;
  // Without an argument the recent kind is offered, and the document starts
  // empty and untitled.
  QTest::newRow("no argument") << "<none>"
                               << "/jobs/trav3.tst" << 2 << 3 << false;
}

void StartupTest::unnumberedCommandLineAsksForTheSheet() {
  QFETCH(QString, argument);
  QFETCH(QString, recent);
  QFETCH(int, offeredType);
  QFETCH(int, offeredNumber);
  QFETCH(bool, opensChosenFile);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  if (!recent.isEmpty()) QSettings().setValue("Recent File List/File1", recent);
  const std::string chosen = scratch.filePath("stad2.tst").toStdString();
  ScriptedProgram program;
  program.chooser.answer = SheetChoice{SheetType::Stadia, chosen};

  std::optional<std::string> given;
  if (argument != "<none>") given = argument.toStdString();
  QVERIFY(program.app.InitInstance(given));

  QCOMPARE(program.chooser.offeredTypes.size(), std::size_t{1});
  QCOMPARE(static_cast<int>(program.chooser.offeredTypes[0]), offeredType);
  QCOMPARE(program.chooser.offeredNumbers[0], offeredNumber);
  QCOMPARE(program.app.Document()->PathName(), opensChosenFile ? chosen : std::string());
  QVERIFY(program.app.State().flags.stadia);
  QCOMPARE(program.app.State().job.job, std::string("tst"));
}

// The real dialog opens on the job's stadia sheet 1; Cancel ends start-up
// before any window is made.
void StartupTest::cancelInTheDialogEndsWithoutWindow() {
  RecordingMessages messages;
  CKestrelApp app{DesktopOverrides{&messages}};
  QString shownPath;
  bool stadiaChecked = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CTableSelection*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    shownPath = dialog->PathField()->text();
    stadiaChecked = dialog->TypeButton(SheetType::Stadia)->isChecked();
    dialog->reject();
  });

  QVERIFY(!app.InitInstance(std::string("stadia,c:,\\data\\,tst")));

  QCOMPARE(shownPath, QString("c:\\data\\stad1.tst"));
  QVERIFY(stadiaChecked);
  QVERIFY(app.MainFrame() == nullptr);
  QVERIFY(app.Document() == nullptr);
}

void StartupTest::helpTopicsOpensTheManual_data() {
  QTest::addColumn<bool>("manualPresent");
  QTest::newRow("manual in Help") << true;
  QTest::newRow("no Help folder") << false;
}

void StartupTest::helpTopicsOpensTheManual() {
  QFETCH(bool, manualPresent);
  QTemporaryDir home;
  QVERIFY(home.isValid());
  if (manualPresent) {
    QVERIFY(QDir(home.path()).mkdir("Help"));
    QVERIFY(WriteFile(home.filePath("Help/index.html"), "<html></html>"));
  }
  qputenv("KESTREL_HOME", home.path().toLocal8Bit());
  ScriptedProgram program;

  program.app.OnHelpTopics();

  if (manualPresent) {
    QCOMPARE(program.shell.opened.size(), std::size_t{1});
    QCOMPARE(Native(program.shell.opened[0]), home.filePath("Help/index.html"));
    QVERIFY(program.messages.texts.empty());
  } else {
    QVERIFY(program.shell.opened.empty());
    QCOMPARE(program.messages.texts, std::vector<std::string>{"error finding help directory"});
  }
}

}  // namespace kestrel::testing

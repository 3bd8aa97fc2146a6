// Start-up from the host's command line: which command lines open a sheet
// straight away, which ask for it, Cancel ending the program, and Help.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/progress_status_bar.h"
#include "app/starting_folder.h"
#include "app/table_selection_dialog.h"
#include "app/window_layout.h"
#include "app_tests.h"

namespace kestrel::testing {
namespace {

// %1 stands for a scratch folder. The profile holds "Feet Inches" before each
// start.
struct NumberedCase {
  const char *name, *argument, *path, *distance;
};
const NumberedCase kNumbered[] = {
    {"host's metres", "stadia,,%1/,tst,0,3,4", "%1/stad4.tst", "Metres"},
    {"-1 leaves the profile's notation", "stadia,,%1/,tst,0,-1,3", "%1/stad3.tst", "Feet Inches"},
    {"traditional stadia", "traditional,,%1/,tst,0,3,1", "%1/trad1.tst", "Metres"},
    {"windows form, precision stadia", "precisionstadia,d:,\\jobs\\,job7,0,4,2",
     "/jobs/job7.precisionstadia2", "Dec Feet"},
};

// Without an argument the recent kind is offered, and the document starts
// empty and untitled.
struct UnnumberedCase {
  const char *name, *argument /* null: started without one */, *recent;
  int offeredType, offeredNumber;
  bool opensChosenFile;
};
const UnnumberedCase kUnnumbered[] = {
    {"job without number, recent stadia 7", "stadia,c:,\\data\\,tst", "/jobs/stad7.tst", 0, 7,
     true},
    {"recent file of another kind", "traverse,c:,\\data\\,tst", "/jobs/stad7.tst", 2, 1, true},
    {"bare keyword", "stadia", "", 0, 1, true},
    {"no argument", nullptr, "/jobs/trav3.tst", 2, 3, false},
};

// Without a job from the host: %1 is an existing scratch folder.
struct StartingCase {
  const char *name, *recent, *folder, *job;
};
const StartingCase kStarting[] = {
    {"recent sheet's folder and job", "%1/stad2.abc", "%1/", "abc"},
    {"job-first name", "%1/north.precisionstadia4", "%1/", "north"},
    {"recent folder gone", "/no/such/folder/stad2.abc", "/home/u/", "tst"},
    {"nothing recent", "", "/home/u/", "tst"},
};

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ClearProfile();
    qunsetenv("KESTREL_HOME");
  }

  void numberedCommandLineOpensWithoutDialog_data() { AddCaseRows(kNumbered); }
  void numberedCommandLineOpensWithoutDialog() {
    const NumberedCase& c = CaseAt(kNumbered);
    QTemporaryDir scratch;
    QSettings().setValue("Units/Distance", 2);
    ScriptedProgram program;

    QVERIFY(
        program.app.InitInstance(QString(c.argument).replace("%1", scratch.path()).toStdString()));

    QVERIFY(program.chooser.offeredTypes.empty());
    QCOMPARE(QString::fromStdString(program.app.Document()->PathName()),
             QString(c.path).replace("%1", scratch.path()));
    QCOMPARE(program.app.MainFrame()->StatusBar()->DistanceSelector()->currentText(),
             QString(c.distance));
  }

  void unnumberedCommandLineAsksForTheSheet_data() { AddCaseRows(kUnnumbered); }
  void unnumberedCommandLineAsksForTheSheet() {
    const UnnumberedCase& c = CaseAt(kUnnumbered);
    QTemporaryDir scratch;
    if (*c.recent != '\0') QSettings().setValue("Recent File List/File1", c.recent);
    const std::string chosen = scratch.filePath("stad2.tst").toStdString();
    ScriptedProgram program;
    program.chooser.answer = SheetChoice{SheetType::Stadia, chosen};

    QVERIFY(program.app.InitInstance(c.argument ? std::optional<std::string>(c.argument)
                                                : std::nullopt));

    QCOMPARE(program.chooser.offeredTypes.size(), std::size_t{1});
    QCOMPARE(static_cast<int>(program.chooser.offeredTypes[0]), c.offeredType);
    QCOMPARE(program.chooser.offeredNumbers[0], c.offeredNumber);
    QCOMPARE(program.app.Document()->PathName(), c.opensChosenFile ? chosen : std::string());
    QVERIFY(program.app.State().flags.stadia);
    QCOMPARE(program.app.State().job.job, std::string("tst"));
  }

  void startingJobWithoutHostJob_data() { AddCaseRows(kStarting); }
  void startingJobWithoutHostJob() {
    const StartingCase& c = CaseAt(kStarting);
    QTemporaryDir scratch;
    const auto fill = [&](const char* text) {
      return QString(text).replace("%1", scratch.path()).toStdString();
    };
    const JobLocation job = StartingJob(JobLocation{}, fill(c.recent), "/home/u");
    QCOMPARE(job.drive, std::string());
    QCOMPARE(job.folder, fill(c.folder));
    QCOMPARE(job.job, std::string(c.job));
  }

  void firstWindowSizeFitsTheScreen() {
    QCOMPARE(FirstWindowSize(QRect(0, 0, 1920, 1040)), QSize(1632, 884));
    QCOMPARE(FirstWindowSize(QRect(0, 0, 1000, 700)), QSize(900, 640));
    QCOMPARE(FirstWindowSize(QRect(0, 0, 800, 600)), QSize(800, 600));
  }

  // The real dialog opens on the job's stadia sheet 1; Cancel ends start-up
  // before any window is made.
  void cancelInTheDialogEndsWithoutWindow() {
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
    QVERIFY(app.MainFrame() == nullptr && app.Document() == nullptr);
  }

  void helpTopicsOpensTheManual() {
    for (const bool manualPresent : {true, false}) {
      QTemporaryDir home;
      if (manualPresent) {
        QVERIFY(QDir(home.path()).mkdir("Help"));
        QVERIFY(WriteFile(home.filePath("Help/index.html"), "<html></html>"));
      }
      qputenv("KESTREL_HOME", home.path().toLocal8Bit());
      ScriptedProgram program;

      program.app.OnHelpTopics();

      const std::vector<std::string> none, manual{home.filePath("Help/index.html").toStdString()},
          failure{"error finding help directory"};
      QCOMPARE(program.shell.opened, manualPresent ? manual : none);
      QCOMPARE(program.messages.texts, manualPresent ? none : failure);
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<StartupTest>();

}  // namespace
}  // namespace kestrel::testing

#include "startup_test.moc"

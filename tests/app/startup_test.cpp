// Start-up from the host's command line: which command lines open a sheet
// straight away, which ask for it, the job without one, Cancel ending the
// program, and Help.
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

// The host's command line: %1 stands for a scratch folder; a null argument
// is a start without one. A sheet number opens the sheet straight away, in
// the host's distance unit (the profile holds "Feet Inches"); without one the
// recent kind and number are offered, and the chosen file (stad2.tst in the
// scratch folder) is opened unless no job came from the host.
struct CommandLineCase {
  const char *name, *argument, *recent;
  const char *path /* opened without asking */, *distance;
  int offeredType, offeredNumber;  // -1: nothing offered
};
const CommandLineCase kCommandLines[] = {
    {"host's metres", "stadia,,%1/,tst,0,3,4", "", "%1/stad4.tst", "Metres", -1, -1},
    {"-1 leaves the profile's notation", "stadia,,%1/,tst,0,-1,3", "", "%1/stad3.tst",
     "Feet Inches", -1, -1},
    {"another host unit is the list's index", "stadia,,%1/,tst,0,1,1", "", "%1/stad1.tst",
     "Dec Feet", -1, -1},
    {"a host unit past the list", "stadia,,%1/,tst,0,9,1", "", "%1/stad1.tst", "Metres", -1, -1},
    {"traditional stadia", "traditional,,%1/,tst,0,3,1", "", "%1/trad1.tst", "Metres", -1, -1},
    {"windows form, precision stadia", "precisionstadia,d:,\\jobs\\,job7,0,4,2", "",
     "/jobs/job7.precisionstadia2", "Dec Feet", -1, -1},
    {"job without number, recent stadia 7", "stadia,c:,\\data\\,tst", "/jobs/stad7.tst", nullptr,
     nullptr, 0, 7},
    {"recent file of another kind", "traverse,c:,\\data\\,tst", "/jobs/stad7.tst", nullptr, nullptr,
     2, 1},
    {"bare keyword", "stadia", "", nullptr, nullptr, 0, 1},
    {"no argument", nullptr, "/jobs/trav3.tst", nullptr, nullptr, 2, 3},
};

// Without a job from the host: %1 is an existing scratch folder.
struct StartingCase {
  const char *name, *recent, *folder, *job;
};
const StartingCase kStarting[] = {
    {"recent sheet's folder and job", "%1/stad2.abc", "%1/", "abc"},
    {"job-first name", "%1/north.precisionstadia4", "%1/", "north"},
    {"recent folder gone", "/no/such/folder/stad2.abc", "/home/u/", "tst"},
};

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ClearProfile();
    qunsetenv("KESTREL_HOME");
  }

  void hostCommandLine_data() { AddCaseRows(kCommandLines); }
  void hostCommandLine() {
    const CommandLineCase& c = CaseAt(kCommandLines);
    QTemporaryDir scratch;
    const auto fill = [&](const char* text) { return QString(text).replace("%1", scratch.path()); };
    QSettings().setValue("Units/Distance", 2);
    if (*c.recent != '\0') QSettings().setValue("Recent File List/File1", c.recent);
    ScriptedProgram program;
    const std::string chosen = scratch.filePath("stad2.tst").toStdString();
    program.chooser.answer = SheetChoice{SheetType::Stadia, chosen};

    QVERIFY(program.app.InitInstance(c.argument ? std::optional(fill(c.argument).toStdString())
                                                : std::nullopt));

    const std::string opened = program.app.Document()->PathName();
    if (c.path != nullptr) {
      QVERIFY(program.chooser.offeredTypes.empty());
      QCOMPARE(QString::fromStdString(opened), fill(c.path));
      QCOMPARE(program.app.MainFrame()->StatusBar()->DistanceSelector()->currentText(),
               QString(c.distance));
      return;
    }
    QCOMPARE(program.chooser.offeredTypes.size(), std::size_t{1});
    QCOMPARE(static_cast<int>(program.chooser.offeredTypes[0]), c.offeredType);
    QCOMPARE(program.chooser.offeredNumbers[0], c.offeredNumber);
    QCOMPARE(opened, c.argument ? chosen : std::string());
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

// kestrel-screenshots: the pictures for the README and the user manual. Shows
// the table selection dialog and the main window on a job folder exactly as
// the program builds them, and saves each as a PNG file.
//
//   kestrel-screenshots <job folder> <output folder>
//
// The job folder must hold stadia sheet 1 of job "tst" (stad1.tst); it is
// reduced, so pass a copy. The user's profile is not touched.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <cstdio>

#include "app/command_ids.h"
#include "app/kestrel_app.h"
#include "app/kestrel_view.h"
#include "app/main_frame.h"
#include "app/table_selection_dialog.h"
#include "grid/my_cug.h"
#include "platform/recording_ports.h"

namespace {

// Lets the window system map and paint the windows.
void Settle() {
  QEventLoop loop;
  QTimer::singleShot(400, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Save(QWidget& widget, const QDir& folder, const char* name) {
  Settle();
  const QString path = folder.filePath(name);
  if (!widget.grab().save(path)) {
    std::fprintf(stderr, "kestrel-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kestrel-screenshots <job folder> <output folder>\n");
    return 2;
  }
  QTemporaryDir profile;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profile.path());
  QApplication application(argc, argv);
  QCoreApplication::setOrganizationName("Kestrel");
  QCoreApplication::setApplicationName("Kestrel");
  std::setlocale(LC_NUMERIC, "C");

  const std::string job = QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString() + "/";
  const QDir output(QString::fromLocal8Bit(argv[2]));
  if (!QDir().mkpath(output.path())) return 1;

  kestrel::RecordingShell shell;  // reports are not opened in a viewer
  kestrel::RecordingMessages messages;
  kestrel::CKestrelApp app{kestrel::DesktopOverrides{&messages, &shell}};

  kestrel::CTableSelection dialog(app.Context().messages);
  dialog.Prepare({"", job, "tst"}, kestrel::SheetType::Stadia, 1);
  dialog.show();
  if (!Save(dialog, output, "table-selection.png")) return 1;
  dialog.hide();

  if (!app.InitInstance("stadia,," + job + ",tst,0,3,1")) return 1;
  kestrel::CMainFrame& frame = *app.MainFrame();
  frame.resize(1180, 680);
  app.Router().Run(kestrel::kIdCalculateCoordinates);
  app.Router().Run(kestrel::kIdShowCoordinates);
  frame.View()->Grid()->GoToCell(3, 0);
  frame.UpdateCommandUI();
  return Save(frame, output, "stadia-sheet.png") ? 0 : 1;
}

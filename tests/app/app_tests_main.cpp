// Runs the desktop program's test classes on one application object, with the
// profile in a temporary folder so that no test touches the user's own.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app_tests.h"

int main(int argc, char** argv) {
  QTemporaryDir profile;
  if (!profile.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", profile.path().toLocal8Bit());
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profile.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());

  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("KestrelTests");
  QCoreApplication::setApplicationName("app_tests");
  // The locale stays the environment's (a decimal comma under ctest), so that
  // any number read or written through the user's locale fails a test.
  return kestrel::testing::RunTestClasses(argc, argv);
}

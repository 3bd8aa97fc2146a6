// The "Geodetic Values" dialog, its editing flow and the geoid toolbar's
// hand-over to the calculation.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include "adjust/geoid_data.h"
#include "app/command_ids.h"
#include "app/geodetic_values_dialog.h"
#include "app/sheet_bars.h"
#include "app_tests.h"

namespace kestrel::testing {
namespace {

QStringList BoxTexts(const CGeodeticValues& dialog) {
  QStringList texts;
  for (int i = 0; i < 6; ++i) texts << dialog.Box(i)->text();
  return texts;
}

class GeodeticValuesTest : public QObject {
  Q_OBJECT

 private slots:
  // A named set fills the boxes and CUSTOM keeps them; OK saves, Cancel does
  // not, and a damaged file is reported before the dialog opens, with MGA.
  void editingFlow() {
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkdir("Variable"));
    const std::string path = GeoidDataPathIn(home.path().toStdString());
    RecordingMessages messages;
    EditGeodeticValues(path, messages, [](CGeodeticValues& dialog) {
      emit dialog.NameList()->activated(1);
      return false;  // Cancel
    });
    QVERIFY(!QFile::exists(QString::fromStdString(path)));

    QStringList shown;
    EditGeodeticValues(path, messages, [&shown](CGeodeticValues& dialog) {
      dialog.NameList()->setCurrentIndex(1);
      emit dialog.NameList()->activated(1);
      shown = BoxTexts(dialog);
      dialog.NameList()->setCurrentIndex(0);
      emit dialog.NameList()->activated(0);
      dialog.Box(3)->setText("0.9999");  // a decimal point whatever the locale
      return true;
    });
    GeoidParameters custom;
    QVERIFY(PresetGeoidParameters("ISG", custom));
    custom.k0 = 0.9999;
    custom.name = "CUSTOM";
    QVERIFY(CGeoidData(path).values == custom);
    QCOMPARE(shown, (QStringList{"6378160", "298.25", "2", "0.99994", "300000", "5000000"}));

    QVERIFY(WriteFile(QString::fromStdString(path), QByteArray("\x01\x00", 2)));
    QString shownName;
    EditGeodeticValues(path, messages, [&shownName](CGeodeticValues& dialog) {
      shownName = dialog.NameList()->currentText();
      return false;
    });
    QCOMPARE(shownName, QString("MGA"));
    QVERIFY(messages.texts.back().find("is damaged") != std::string::npos);
  }

  void geoidBarReachesTheApplicationState() {
    QTemporaryDir scratch;
    ScriptedProgram program;
    QVERIFY(program.Start(scratch, "precisionstadia"));
    CGeoidBar* bar = program.app.MainFrame()->GeoidBar();
    QVERIFY(bar != nullptr);
    QVERIFY(bar->GeoidCorrectionBox()->isEnabled() && bar->VerticalAdjustmentBox()->isEnabled());
    QVERIFY(!program.app.State().geoidCorrection);
    bar->GeoidCorrectionBox()->setChecked(true);
    bar->VerticalAdjustmentBox()->setText("130");
    QVERIFY(program.app.State().geoidCorrection);
    QCOMPARE(program.app.State().verticalAdjustment, 130.0);
    QVERIFY(program.app.MainFrame()->Action(32846)->isEnabled());
    QVERIFY(program.app.MainFrame()->Action(kIdCalculateCoordinates)->isEnabled());
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<GeodeticValuesTest>();

}  // namespace
}  // namespace kestrel::testing

#include "geodetic_values_test.moc"

// The "Geodetic Values" dialog, its editing flow and the geoid toolbar's
// hand-over to the calculation.
#include <QCheckBox>
#include <QComboBox>
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
  void namedSetsFillTheBoxesAndCustomKeepsThem() {
    CGeodeticValues dialog;
    QCOMPARE(dialog.NameList()->count(), 3);
    QCOMPARE(dialog.NameList()->itemText(0), QString("CUSTOM"));
    QCOMPARE(dialog.NameList()->itemText(2), QString("MGA"));
    dialog.SetValues(GeoidParameters{});
    QCOMPARE(dialog.NameList()->currentText(), QString("MGA"));
    const QStringList isg = {"6378160", "298.25", "2", "0.99994", "300000", "5000000"};
    emit dialog.NameList()->activated(1);
    QCOMPARE(BoxTexts(dialog), isg);
    dialog.NameList()->setCurrentIndex(0);
    emit dialog.NameList()->activated(0);
    QCOMPARE(BoxTexts(dialog), isg);
    // Typed numbers are read with a decimal point whatever the locale.
    dialog.Box(3)->setText("0.9999");
    QCOMPARE(dialog.Values().k0, 0.9999);
    QCOMPARE(dialog.Values().name, std::string("CUSTOM"));
  }

  void okSavesCancelAndRefusalsDoNot() {
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkdir("Variable"));
    const std::string path = GeoidDataPathIn(home.path().toStdString());
    RecordingMessages messages;

    EditGeodeticValues(path, messages, [](CGeodeticValues& dialog) {
      emit dialog.NameList()->activated(1);
      return false;  // Cancel
    });
    QVERIFY(!QFile::exists(QString::fromStdString(path)));

    EditGeodeticValues(path, messages, [](CGeodeticValues& dialog) {
      dialog.NameList()->setCurrentIndex(1);
      emit dialog.NameList()->activated(1);
      return true;
    });
    GeoidParameters isg;
    QVERIFY(PresetGeoidParameters("ISG", isg));
    QVERIFY(CGeoidData(path).values == isg);

    // A zero axis is refused with a message and the file keeps ISG.
    EditGeodeticValues(path, messages, [](CGeodeticValues& dialog) {
      dialog.Box(0)->setText("0");
      return true;
    });
    QCOMPARE(messages.texts.size(), std::size_t{1});
    QCOMPARE(messages.texts[0], std::string("The semi-major axis must be above 0"));
    QVERIFY(CGeoidData(path).values == isg);

    // A damaged file is reported before the dialog opens, with MGA shown.
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\x01\x00", 2);
    file.close();
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
    QVERIFY(program.app.InitInstance("precisionstadia,," + scratch.path().toStdString() +
                                     "/,tst,0,3,1"));
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

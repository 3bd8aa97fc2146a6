// The desktop's host link dialogs: "Reselect imported points", "Renumber
// Points" and the code replacement table, driven as a user drives them.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "app/imported_points_dialog.h"
#include "app/renumber_points.h"
#include "app/replace_table.h"
#include "app_tests.h"

namespace kestrel::testing {
namespace {

PointRecord Point(std::int32_t number, double east) {
  PointRecord record;
  record.point = number;
  record.east = east;
  return record;
}

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

QColor SquareColour(const QListWidgetItem* item) {
  return item->icon().pixmap(10, 10).toImage().pixelColor(5, 5);
}

class HostLinkDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void ImportedPointsListsChoicesAndRange() {
    // 1 is the database's own point; 2 and 3 clash; 9 is new. Highest 40.
    std::vector<PointRecord> records = {Point(1, 5.0), Point(2, 6.0), Point(3, 7.0), Point(9, 8.0)};
    const std::vector<PointRecord> existing = {Point(1, 5.0), Point(2, 0.0), Point(3, 0.0)};
    ImportedPoints points({1, 2, 3, 9}, records, {}, existing, 40);
    CImportedPoints dialog(points);
    // offset 40 + 1 - 2 = 39
    QCOMPARE(Texts(dialog.IncomingList()),
             (QStringList{"1 already in dbase", "2 in as 41", "3 in as 42", "9 in as 48"}));
    QCOMPARE(SquareColour(dialog.IncomingList()->item(1)), QColor(Qt::red));
    QCOMPARE(SquareColour(dialog.IncomingList()->item(3)), QColor(Qt::green));

    dialog.ChoiceButton(ReconcileChoice::kAlterSome)->click();
    QCOMPARE(dialog.RangeTo()->text(), QString("9"));
    dialog.RangeCheck()->click();
    dialog.RangeFrom()->setText("3");
    dialog.ApplyRangeButton()->click();
    // 3 is now the smallest: offset 40 + 1 - 3 = 38
    QCOMPARE(Texts(dialog.IncomingList()), (QStringList{"3 in as 41", "9 in as 9"}));

    dialog.accept();
    std::vector<std::int32_t> stored;
    for (const PointRecord& r : records) stored.push_back(r.point);
    QCOMPARE(stored, (std::vector<std::int32_t>{-1, -2, 41, 9}));
  }

  void RenumberChoices() {
    CRenumberPoints dialog;
    QCOMPARE(dialog.Choice().range.last, std::int64_t{100000000});
    dialog.RangeButton()->click();
    dialog.FromField()->setText("10");
    dialog.ToField()->setText("20");
    dialog.StartField()->setText("100");
    const Renumbering range = dialog.Choice();
    QCOMPARE(range.range.first, std::int64_t{10});
    QCOMPARE(range.range.last, std::int64_t{20});
    QCOMPARE(range.start, std::int64_t{100});
  }

  void CodeTableFileOnOkAndCancel() {
    QTemporaryDir folder;
    const std::string path = folder.filePath("codenines").toStdString();
    QVERIFY(WriteCodeTable(path, {{"TR", "TREE"}}));
    RecordingMessages messages;
    {
      CReplaceTable dialog(path, messages);
      QCOMPARE(dialog.Table()->rowCount(), 200);
      QCOMPARE(dialog.Table()->item(0, 1)->text(), QString("TREE"));
      dialog.Table()->setItem(1, 0, new QTableWidgetItem("FN"));
      dialog.Table()->setItem(1, 1, new QTableWidgetItem("FENCE"));
      messages.answers = {false};
      dialog.reject();  // No: the file stays as it was
    }
    QCOMPARE(ReadCodeTable(path), (std::vector<CodeTableRow>{{"TR", "TREE"}}));
    QCOMPARE(messages.texts, (std::vector<std::string>{"Do you wish to save table"}));
    {
      CReplaceTable dialog(path, messages);
      dialog.Table()->setItem(1, 0, new QTableWidgetItem("FN"));
      dialog.accept();
    }
    QCOMPARE(ReadCodeTable(path), (std::vector<CodeTableRow>{{"TR", "TREE"}, {"FN", ""}}));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<HostLinkDialogsTest>();

}  // namespace
}  // namespace kestrel::testing

#include "host_link_dialogs_test.moc"

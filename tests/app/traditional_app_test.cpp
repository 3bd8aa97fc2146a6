// The Traditional Stadia sheet's dialogs as the view gets them from the
// registry: "Stadia Default" chooses the row type of new rows, the tolerance
// dialog the 3Hair tolerance in thousandths.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include "app/sheet_registry.h"
#include "app/traditional_entry_selection.h"
#include "app/traditional_tolerance.h"
#include "app_tests.h"

namespace kestrel::testing {
namespace {

// Runs `answer` on the modal dialog once it is shown.
template <class Dialog, class Answer>
void WhenShown(Answer answer) {
  QTimer::singleShot(0, [answer] {
    if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) answer(*dialog);
  });
}

// What the view opens for a traditional sheet.
struct TraditionalDialogs {
  TraditionalDialogs() { RegisterBuiltinSheets(registry); }
  const DesktopSheetKind& Kind() const { return *registry.Find(SheetType::Traditional); }
  SheetRegistry registry;
};

class TraditionalAppTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void defaultTypeDialogChoosesTheRowType() {
    CTraditionalEntrySelection dialog;
    QCOMPARE(dialog.windowTitle(), QString("Stadia Default"));
    QStringList labels;
    for (const QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
      labels << button->text();
    }
    QCOMPARE(labels, QStringList({"Stn", "AT/BS", "Fnote", "3 Hair", "MH/SD", "MH/SI"}));
    QCOMPARE(dialog.Value(), -1);  // none chosen at first

    // The button's place is the row type: MH/SD is 4.
    WhenShown<CTraditionalEntrySelection>([](CTraditionalEntrySelection& shown) {
      shown.findChildren<QRadioButton*>().at(4)->click();
      shown.accept();
    });
    QCOMPARE(TraditionalDialogs().Kind().entryTypeDialog(nullptr), 4);
  }

  void toleranceDialogGivesThousandths() {
    CTraditionalTolerance dialog;
    QCOMPARE(dialog.windowTitle(), QString("Dialog"));
    QCOMPARE(dialog.findChild<QLabel*>()->text(),
             QString("Enter Tolerance (3Hair allowable error)"));
    QCOMPARE(dialog.Edit()->text(), QString("0.01"));
    const struct {
      const char* typed;
      std::optional<std::int64_t> thousandths;
    } cases[] = {{"0.01", 10}, {"0.0124", 12}, {"0.029", 29}, {"2", 2000}, {"abc", std::nullopt}};
    for (const auto& c : cases) {
      dialog.Edit()->setText(c.typed);
      QCOMPARE(dialog.Thousandths(), c.thousandths);
    }

    // OK gives the value the view sends with command 27; Cancel gives none.
    const TraditionalDialogs dialogs;
    for (const bool ok : {true, false}) {
      WhenShown<CTraditionalTolerance>([ok](CTraditionalTolerance& shown) {
        shown.Edit()->setText("0.025");
        ok ? shown.accept() : shown.reject();
      });
      const std::optional<std::int64_t> expected =
          ok ? std::optional<std::int64_t>(25) : std::nullopt;
      QCOMPARE(dialogs.Kind().toleranceDialog(nullptr), expected);
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<TraditionalAppTest>();

}  // namespace
}  // namespace kestrel::testing

#include "traditional_app_test.moc"

// Saving the document: save, save as, closing with changes, and a file
// another program changed since it was opened.
#include "app_tests.h"

namespace kestrel::testing {
namespace {

StadiaRow StationRow(std::uint32_t point) {
  StadiaRow row = BlankStadiaRow(kStadiaStn);
  row.point = point;
  row.east = 1000.0 + point;
  row.north = 2000.0;
  row.height = 50.0;
  return row;
}

// The point numbers a sheet file holds, read by a sheet of its own.
std::vector<std::uint32_t> PointsIn(const QString& path) {
  SheetTestContext context;
  Stadia sheet(context.ctx);
  std::vector<std::uint32_t> points;
  if (sheet.LoadFromFile(PathFromQt(path)) != 1) return {0xDEAD};
  for (const StadiaRow& row : sheet.Rows()) points.push_back(row.point);
  return points;
}

// A stadia document opened on stad1.tst holding station 1, whose questions
// are answered from a script and counted.
struct SavingDocument : OpenedDocument {
  SavingDocument()
      : OpenedDocument(SheetType::Stadia, "stad1.tst",
                       [](const QString& path) { return WriteSheet(path, {StationRow(1)}); }) {
    doc->askSave = [this](const QString&) {
      ++saveQuestions;
      return saveAnswer;
    };
    doc->askSaveAsName = [this](const std::string&) { return saveAsName; };
  }

  QString File(const char* name) const { return scratch.filePath(name); }
  // The user adds station 2.
  void Edit() {
    dynamic_cast<Stadia&>(*doc->ActiveSheet()).Rows().push_back(StationRow(2));
    doc->SetModifiedFlag();
  }

  CKestrelDoc::SaveAnswer saveAnswer = CKestrelDoc::SaveAnswer::Cancel;
  int saveQuestions = 0;
  std::optional<std::string> saveAsName;
};

const std::vector<std::uint32_t> kOpened = {1};
const std::vector<std::uint32_t> kEdited = {1, 2};

struct ClosingCase {
  const char* name;
  bool edited;
  CKestrelDoc::SaveAnswer answer;
  bool closes;
  int questions;
  std::vector<std::uint32_t> onDisk;
};
const ClosingCase kClosing[] = {
    {"unchanged: no question", false, CKestrelDoc::SaveAnswer::Cancel, true, 0, kOpened},
    {"changed, Save", true, CKestrelDoc::SaveAnswer::Save, true, 1, kEdited},
    {"changed, Discard", true, CKestrelDoc::SaveAnswer::Discard, true, 1, kOpened},
    {"changed, Cancel", true, CKestrelDoc::SaveAnswer::Cancel, false, 1, kOpened},
};

struct ChangedCase {
  const char* name;
  bool answerYes;
  bool saved;
};
const ChangedCase kChanged[] = {
    {"Yes saves over it", true, true},
    {"No keeps the other program's file", false, false},
};

class DocumentSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void saveAndSaveAs() {
    SavingDocument document;
    QVERIFY(document.opened);
    document.Edit();
    QVERIFY(document.doc->DoFileSave());
    QVERIFY(!document.doc->IsModified());
    QCOMPARE(PointsIn(document.File("stad1.tst")), kEdited);

    // Save As writes the new name and the document takes it; Cancel writes
    // nothing.
    document.saveAsName = PathFromQt(document.File("stad2.tst"));
    QVERIFY(document.doc->DoSaveAs());
    QCOMPARE(document.doc->PathName(), *document.saveAsName);
    QCOMPARE(document.doc->Title(), QString("stad2.tst"));
    QCOMPARE(PointsIn(document.File("stad2.tst")), kEdited);
    document.saveAsName.reset();
    QVERIFY(!document.doc->DoSaveAs());

    // An untitled document asks for a name.
    QVERIFY(document.doc->OnNewDocument());
    document.saveAsName = PathFromQt(document.File("stad3.tst"));
    QVERIFY(document.doc->DoFileSave());
    QCOMPARE(PointsIn(document.File("stad3.tst")), std::vector<std::uint32_t>{});
    QVERIFY(document.context.messages.texts.empty());
  }

  void closingWithChanges_data() { AddCaseRows(kClosing); }
  void closingWithChanges() {
    const ClosingCase& c = CaseAt(kClosing);
    SavingDocument document;
    QVERIFY(document.opened);
    if (c.edited) document.Edit();
    document.saveAnswer = c.answer;
    QCOMPARE(document.doc->SaveModified(), c.closes);
    QCOMPARE(document.saveQuestions, c.questions);
    QCOMPARE(PointsIn(document.File("stad1.tst")), c.onDisk);
  }

  void aFileChangedByAnotherProgram_data() { AddCaseRows(kChanged); }
  void aFileChangedByAnotherProgram() {
    const ChangedCase& c = CaseAt(kChanged);
    SavingDocument document;
    QVERIFY(document.opened);
    document.Edit();
    // Another program saves its own version in the meantime.
    QVERIFY(WriteSheet(document.File("stad1.tst"), {StationRow(9)}));
    document.context.messages.answers = {c.answerYes};
    QCOMPARE(document.doc->DoFileSave(), c.saved);
    const std::string path = PathFromQt(document.File("stad1.tst"));
    QCOMPARE(
        document.context.messages.texts,
        std::vector<std::string>{
            path + " has been changed by another program since it was opened.\nSave over it?"});
    QCOMPARE(PointsIn(document.File("stad1.tst")),
             c.saved ? kEdited : std::vector<std::uint32_t>{9});
    QCOMPARE(document.doc->IsModified(), !c.saved);
    // Once saved here, the next save asks nothing.
    if (c.saved) {
      QVERIFY(document.doc->DoFileSave());
      QCOMPARE(document.context.messages.texts.size(), std::size_t{1});
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<DocumentSaveTest>();

}  // namespace
}  // namespace kestrel::testing

#include "document_save_test.moc"

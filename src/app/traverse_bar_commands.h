#pragma once
// The traverse sheet's commands on the misclose and adjustment bars:
// "Calculate misclose values" and the angular, Bowditch, Compass, Transit,
// Crandall and height adjustments. Each reaches the sheet through its Command
// code and is enabled when the active kind carries it.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/traverse_report_dialog.h"

namespace kestrel {

class CKestrelDoc;
class CommandRouter;
class MyCug;
struct MiscloseSummary;

// What the misclose and adjustment bars show.
struct MiscloseTexts {
  QString angular;
  QString bearing;
  QString distance;
  QString perimeter;
  QString accuracy;
};

// The bar texts of a misclose summary, lengths in the distance notation.
// A misclose that could not be formed leaves its boxes empty.
MiscloseTexts FormatMiscloseTexts(const MiscloseSummary& summary, int distanceUnit);

class TraverseBarCommands {
 public:
  // `recalculated` runs after a command recomputed the sheet; its argument
  // tells whether typed values changed (angular close, one step that Undo
  // takes back).
  TraverseBarCommands(CKestrelDoc& doc, MyCug& grid, QWidget& parent,
                      std::function<void(bool typedValuesChanged)> recalculated);
  void Register(CommandRouter& router);

  // The route notes of the active sheet, first to last (Windows-1252): the
  // entries of the misclose bar's list.
  std::vector<std::string> RouteNotes() const;
  // "Calculate misclose values": the texts also go to `showMisclose`.
  MiscloseTexts CalculateMisclose();
  // Angular close, an adjustment or the height toggle, by Command code.
  void Adjust(int code);

  std::function<void(const MiscloseTexts&)> showMisclose;

 private:
  Traverse* Sheet() const;
  bool Has(int code) const;

  CKestrelDoc& doc_;
  MyCug& grid_;
  QtTraverseReportChooser chooser_;
  std::function<void(bool)> recalculated_;
};

}  // namespace kestrel

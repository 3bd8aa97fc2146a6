#pragma once
// "View Traverse Correction Report": offered after a Bowditch, Compass,
// Transit or Crandall adjustment; the Traverse Adjustment Report as RTF or
// CSV, with the bearings and distances as observed or as corrected.
#include <QDialog>

#include "sheets/traverse/traverse.h"

class QCheckBox;
class QRadioButton;

namespace kestrel {

class CTraverseReportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CTraverseReportDialog(QWidget* parent = nullptr);
  TraverseReportChoice Choice() const;
  QRadioButton* RtfButton() const { return rtf_; }
  QRadioButton* CsvButton() const { return csv_; }
  QCheckBox* CorrectedBox() const { return corrected_; }

 private:
  QRadioButton* rtf_;
  QRadioButton* csv_;
  QCheckBox* corrected_;
};

// The dialog as the traverse sheet asks for it after an adjustment. The last
// choice is offered again next time.
class QtTraverseReportChooser : public TraverseReportChooser {
 public:
  explicit QtTraverseReportChooser(QWidget* parent) : parent_(parent) {}
  std::optional<TraverseReportChoice> Choose() override;

 private:
  QWidget* parent_;
  TraverseReportChoice last_;
};

}  // namespace kestrel

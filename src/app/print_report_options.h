#pragma once
// "Print Report Options": lines per printed page and whether the listing shows
// corrected bearings and distances.
#include <QDialog>
#include <optional>

class QCheckBox;
class QSpinBox;

namespace kestrel {

struct PrintOptions {
  int linesPerPage = 60;
  bool corrected = false;
};

class CPrintReportOptions : public QDialog {
  Q_OBJECT

 public:
  explicit CPrintReportOptions(const PrintOptions& options, QWidget* parent = nullptr);
  PrintOptions Options() const;

 private:
  QSpinBox* lines_;
  QCheckBox* corrected_;
};

// Shows the dialog starting from `options`; nullopt on Cancel.
std::optional<PrintOptions> AskPrintOptions(const PrintOptions& options, QWidget* parent);

}  // namespace kestrel

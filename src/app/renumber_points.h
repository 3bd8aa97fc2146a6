#pragma once
// "Renumber Points": all points, or a range, from a start number.
#include <QDialog>
#include <optional>

#include "sheets/data_source.h"

class QLineEdit;
class QRadioButton;

namespace kestrel {

struct Renumbering {
  NumberRange range;
  std::int64_t start = 1;
};

class CRenumberPoints : public QDialog {
  Q_OBJECT

 public:
  explicit CRenumberPoints(QWidget* parent = nullptr);
  // "All" sends the range -10000000 to 100000000.
  Renumbering Choice() const;

  QRadioButton* AllButton() const { return all_; }
  QRadioButton* RangeButton() const { return range_; }
  QLineEdit* FromField() const { return from_; }
  QLineEdit* ToField() const { return to_; }
  QLineEdit* StartField() const { return start_; }

 private:
  QRadioButton* all_;
  QRadioButton* range_;
  QLineEdit* from_;
  QLineEdit* to_;
  QLineEdit* start_;
};

std::optional<Renumbering> AskRenumbering(QWidget* parent);

}  // namespace kestrel

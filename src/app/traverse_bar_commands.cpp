#include "app/traverse_bar_commands.h"

#include <cmath>
#include <initializer_list>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/kestrel_doc.h"
#include "app/qt_ports.h"
#include "app/sheet_registry.h"
#include "grid/my_cug.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"
#include "survey/distances.h"
#include "survey/geometry.h"

namespace kestrel {
namespace {

QString Length(const char* format, double value, int unit) {
  std::string text = Sprintf(format, value);
  FormatDistanceText(text, value, unit);
  return ToQt(text).trimmed();
}

}  // namespace

MiscloseTexts FormatMiscloseTexts(const MiscloseSummary& summary, int distanceUnit) {
  MiscloseTexts texts;
  texts.angular = ToQt(summary.angleText).trimmed();
  if (std::isfinite(summary.perimeter) && !IsEmptyValue(summary.perimeter)) {
    texts.perimeter = Length("%8.3f", summary.perimeter, distanceUnit);
  }
  const LinearMiscloseValues& linear = summary.linear;
  if (!linear.Formed() || !std::isfinite(linear.distance)) return texts;
  // A traverse that closes exactly has no direction of misclose.
  texts.bearing = linear.bearing == kNoBearing ? QString("no bearing")
                                               : ToQt(Sprintf("%8.4f", linear.bearing)).trimmed();
  texts.distance = Length("%13.3f", linear.distance, distanceUnit);
  const double ratio = summary.perimeter / linear.distance;
  if (linear.distance < 0.001) {
    texts.accuracy = "Closed";
  } else if (std::isfinite(ratio)) {
    texts.accuracy = QString("1:%1").arg(static_cast<long long>(ratio));
  }
  return texts;
}

TraverseBarCommands::TraverseBarCommands(CKestrelDoc& doc, MyCug& grid, QWidget& parent,
                                         std::function<void(bool)> recalculated)
    : doc_(doc), grid_(grid), chooser_(&parent), recalculated_(std::move(recalculated)) {}

Traverse* TraverseBarCommands::Sheet() const { return dynamic_cast<Traverse*>(doc_.ActiveSheet()); }

bool TraverseBarCommands::Has(int code) const {
  const DesktopSheetKind* kind = doc_.ActiveKind();
  return Sheet() != nullptr && kind != nullptr && kind->Implements(code);
}

void TraverseBarCommands::Register(CommandRouter& router) {
  router.Register(kIdCalculateMisclose,
                  {[this] { CalculateMisclose(); }, [this] { return Has(kCmdMisclose); }, {}});
  const std::initializer_list<std::pair<int, int>> adjustments = {
      {kIdAngularClose, kCmdAngularClose}, {kIdBowditch, kCmdBowditch},
      {kIdCompass, kCmdCompass},           {kIdTransit, kCmdTransit},
      {kIdCrandall, kCmdCrandall},         {kIdHeightAdjustment, kCmdHeightAdjust}};
  for (const auto& [id, code] : adjustments) {
    router.Register(id, {[this, code] { Adjust(code); }, [this, code] { return Has(code); }, {}});
  }
}

std::vector<std::string> TraverseBarCommands::RouteNotes() const {
  std::vector<std::string> notes;
  Traverse* sheet = Sheet();
  if (sheet == nullptr || !Has(kCmdFirstRouteNote)) return notes;
  std::string note;
  for (int row = sheet->Command(kCmdFirstRouteNote, &note); row >= 0;
       row = sheet->Command(kCmdNextRouteNote, &note)) {
    notes.push_back(note);
  }
  return notes;
}

MiscloseTexts TraverseBarCommands::CalculateMisclose() {
  Traverse* sheet = Sheet();
  if (sheet == nullptr) return {};
  std::string angle;
  sheet->Command(kCmdMisclose, &angle);
  const MiscloseTexts texts =
      FormatMiscloseTexts(sheet->LastMisclose(), doc_.Context().units.DistanceUnit());
  // The summary ran Calculate: the coordinate columns are current again.
  if (recalculated_) recalculated_(false);
  if (showMisclose) showMisclose(texts);
  return texts;
}

void TraverseBarCommands::Adjust(int code) {
  Traverse* sheet = Sheet();
  if (sheet == nullptr) return;
  if (code == kCmdHeightAdjust) {  // only the flag changes
    sheet->Command(code);
    return;
  }
  bool typedValuesChanged = false;
  if (code == kCmdAngularClose) {
    typedValuesChanged =
        grid_.RewriteRows("Angular close", [code](CUGDataSource& source) { source.Command(code); });
  } else {
    sheet->SetReportChooser(&chooser_);
    sheet->Command(code);
    sheet->SetReportChooser(nullptr);
  }
  if (recalculated_) recalculated_(typedValuesChanged);
}

}  // namespace kestrel

// Writing a Stadia sheet as a LandXML survey file.
#include "sheets/stadia/stadia_landxml.h"

#include <sys/stat.h>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/file_access.h"
#include "platform/fixed_text.h"
#include "platform/printf_format.h"
#include "platform/text_encoding.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_tolerances.h"

namespace kestrel {

namespace {

constexpr const char* kNamespace = "http://www.landxml.org/schema/LandXML-1.2";
constexpr const char* kSchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";
constexpr const char* kSchemaDocument = "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd";
constexpr const char* kReferenceDataName = "au-gov-nsw-icsm-cif-referencedata-101013.xml";
// The reference-data document is looked for beside the exported file.
constexpr const char* kReferenceDataLocation = "au-gov-nsw-icsm-cif-referencedata-101013.xml";

// The lines before the points: root element, units, datum, application and
// the feature dictionary.
std::string Preamble(const std::string& dateAndTime) {
  std::string text = Sprintf(
      "<LandXML xmlns=\"%s\" xmlns:xsi=\"%s\" xsi:schemaLocation=\"%s %s\" version=\"1.0\" "
      "%s>\r\n",
      kNamespace, kSchemaInstance, kNamespace, kSchemaDocument, dateAndTime.c_str());
  text +=
      "\t<Units>\r\n"
      "\t\t<Metric linearUnit=\"meter\" temperatureUnit=\"celsius\" volumeUnit=\"cubicMeter\" "
      "areaUnit=\"squareMeter\" pressureUnit=\"milliBars\" angularUnit=\"decimal dd.mm.ss\" "
      "directionUnit=\"decimal dd.mm.ss\"/>\r\n"
      "\t</Units>\r\n"
      "\t<CoordinateSystem horizontalDatum=\"Local\" verticalDatum=\"AHD\"/>\r\n"
      "\t<Application name=\"GYRE_Stadia\" version=\"2.2\" />\r\n"
      "\t<FeatureDictionary name=\"ReferenceDataContext\" version=\"NSW-101013\">\r\n";
  text += Sprintf("\t\t<DocFileRef name=\"%s\" location=\"%s\"/>\r\n", kReferenceDataName,
                  kReferenceDataLocation);
  text += "\t</FeatureDictionary>\r\n";
  return text;
}

std::string Number(std::uint32_t point) { return Sprintf("%1d", static_cast<int>(point)); }

// The date and time attributes: when the sheet file was last written, in
// local time, so that exporting the same sheet twice gives the same file; a
// sheet never saved takes the present moment.
std::string FileDateAndTime(const std::string& sheetPath) {
  std::time_t when = std::time(nullptr);
  struct stat file {};
  if (!sheetPath.empty() && ::stat(sheetPath.c_str(), &file) == 0) when = file.st_mtime;
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return "date=\"1970-01-01\" time=\"00:00:00\"";
  char text[64];
  std::strftime(text, sizeof text, "date=\"%Y-%m-%d\" time=\"%H:%M:%S\"", &local);
  return text;
}

// A reduced shot: coordinates computed under a valid set-up.
bool IsReducedShot(const StadiaRow& row) {
  return IsStadiaShot(row.type) &&
         !(row.east == kUnreducedCoordinate && row.north == kUnreducedCoordinate);
}

// The point numbers already written: a bit per number while the numbers are
// small enough for that to be smaller than a hash set, else a hash set.
class PointSet {
 public:
  explicit PointSet(const std::vector<StadiaRow>& rows) {
    std::uint32_t highest = 0;
    for (const StadiaRow& row : rows) {
      if (row.point != kNoPoint) highest = std::max(highest, row.point);
    }
    if (highest < kMostBits) bits_.assign(highest + 1, false);
  }

  // True when `point` was not in the set before.
  bool Insert(std::uint32_t point) {
    if (bits_.empty()) return hashed_.insert(point).second;
    if (bits_[point]) return false;
    bits_[point] = true;
    return true;
  }
  bool Contains(std::uint32_t point) const {
    return bits_.empty() ? hashed_.contains(point) : bits_[point];
  }

 private:
  static constexpr std::uint32_t kMostBits = 1u << 27;  // 16 MB of bits
  std::vector<bool> bits_;
  std::unordered_set<std::uint32_t> hashed_;
};

// One point per point number: every station row that gives a position and
// every reduced shot, the first row of each number only; point 0 and rows
// without a number are not points.
void CgPoints(const std::vector<StadiaRow>& rows, const XmlWrite& write) {
  write("\t<CgPoints>\r\n");
  PointSet written(rows);
  std::string line;
  for (const StadiaRow& row : rows) {
    if (row.type != kStadiaStn && !IsReducedShot(row)) continue;
    if (row.point == 0 || row.point == kNoPoint) continue;
    if (IsEmptyValue(row.east) || IsEmptyValue(row.north) || !written.Insert(row.point)) continue;
    line = "\t\t<CgPoint name=\"";
    AppendInteger(line, static_cast<int>(row.point), 1);
    line += "\">";
    AppendFixed(line, row.east, 1, 6);
    line += ' ';
    AppendFixed(line, row.north, 1, 6);
    line += ' ';
    if (!IsEmptyValue(row.height)) {
      AppendFixed(line, row.height, 1, 6);
      line += ' ';
    }
    line += "</CgPoint>\r\n";
    write(line);
  }
  write("\t</CgPoints>\r\n");
}

// An attribute with a number, left out when the value was never entered.
void Attribute(std::string& line, const char* name, int precision, double value) {
  if (IsEmptyValue(value)) return;
  line += ' ';
  line += name;
  line += "=\"";
  AppendFixed(line, value, 1, precision);
  line += '"';
}

// The set-ups and the observations. Each AT/BS row with an instrument point
// is one InstrumentSetup, whose id is "IS" and the point, with "_2", "_3" ...
// for later set-ups on the same point. An observation refers to the set-up in
// force by that id, and to its backsight's set-up only when the backsight
// point is set up on somewhere in the file. Shots with no set-up in force or
// no point number are not observations. The set-ups come first, so the rows
// are read twice.
void SetupsAndObservations(const std::vector<StadiaRow>& rows, const XmlWrite& write) {
  std::unordered_set<std::uint32_t> setUpOn;
  for (const StadiaRow& row : rows) {
    if (row.type == kStadiaAtBs && row.point != kNoPoint) setUpOn.insert(row.point);
  }

  for (const bool observations : {false, true}) {
    if (observations) write("\t\t<ObservationGroup id=\"OG-1\">\r\n");
    std::unordered_map<std::uint32_t, int> setupsOnPoint;
    std::string setupId;  // the set-up in force; empty when none
    std::uint32_t backsight = 0;
    std::string line;
    for (const StadiaRow& row : rows) {
      if (row.type == kStadiaAtBs) {
        setupId.clear();
        backsight = BacksightNumber(row);
        if (row.point == kNoPoint) continue;
        const std::string station = Number(row.point);
        const int repeat = ++setupsOnPoint[row.point];
        setupId = repeat == 1 ? "IS" + station : Sprintf("IS%s_%d", station.c_str(), repeat);
        if (observations) continue;
        // A set-up without an instrument height is taken at the mark.
        const double height = IsEmptyValue(row.dist) ? 0.0 : row.dist;
        write(Sprintf(
            "\t\t<InstrumentSetup id=\"%s\" stationName=\"%s\" instrumentHeight=\"%.6f\">\r\n",
            setupId.c_str(), station.c_str(), height));
        write("\t\t\t<InstrumentPoint pntRef=\"" + station + "\"/>\r\n");
        write("\t\t</InstrumentSetup>\r\n");
      } else if (observations && row.type == kStadiaSdHt && !setupId.empty() &&
                 row.point != kNoPoint) {
        line = "\t\t\t<ReducedObservation name=\"";
        AppendInteger(line, static_cast<int>(row.point), 1);
        line += "\" desc=\"";
        line += XmlAttributeText(row.comment);
        line += "\" setupID=\"";
        line += setupId;
        line += '"';
        if (backsight != 0 && setUpOn.contains(backsight)) {
          line += " targetSetupID=\"IS" + Number(backsight) + "\"";
        }
        Attribute(line, "azimuth", 4, row.hz);
        Attribute(line, "zenithAngle", 4, row.obs2);
        Attribute(line, "slopeDistance", 3, row.dist);
        line += "/>\r\n";
        write(line);
      }
    }
  }
  write("\t\t</ObservationGroup>\r\n");
}

// Pieces of text gathered into blocks for stdio; false once a write failed.
class BlockFile {
 public:
  explicit BlockFile(std::FILE* file) : file_(file) { block_.reserve(kBlock + 4096); }
  void Write(std::string_view text) {
    block_ += text;
    if (block_.size() >= kBlock) Flush();
  }
  bool Finish() {
    Flush();
    return written_;
  }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  void Flush() {
    written_ = written_ && std::fwrite(block_.data(), 1, block_.size(), file_) == block_.size();
    block_.clear();
  }
  std::FILE* file_;
  std::string block_;
  bool written_ = true;
};

}  // namespace

std::string XmlAttributeText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : Cp1252ToUtf8(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      case '\t':
        escaped += "&#9;";
        break;
      case '\n':
        escaped += "&#10;";
        break;
      case '\r':
        escaped += "&#13;";
        break;
      default:
        escaped += (c >= 0 && c < 0x20) ? ' ' : c;
    }
  }
  return escaped;
}

void WriteStadiaLandXml(const Stadia& sheet, const XmlWrite& write) {
  const std::vector<StadiaRow>& rows = sheet.Rows();
  const std::string& path = sheet.DocumentPath();
  write(Preamble(FileDateAndTime(path)));
  CgPoints(rows, write);
  // The survey is named after the job and described by its sheet file; no
  // jurisdiction is claimed, as the job does not say which it is.
  const std::string file = std::filesystem::path(path).filename().string();
  std::string text = "\t<Survey>\r\n\t\t<SurveyHeader name=\"" +
                     XmlAttributeText(sheet.Context().app.job.job) + "\"";
  if (!file.empty()) text += " desc=\"" + XmlAttributeText(Utf8ToCp1252(file)) + "\"";
  text +=
      " surveyFormat=\"Standard\" type=\"surveyed\">\r\n"
      "\t\t</SurveyHeader>\r\n";
  write(text);
  SetupsAndObservations(rows, write);
  write("\t</Survey>\r\n</LandXML>\r\n");
}

std::string StadiaLandXml(const Stadia& sheet) {
  std::string text;
  WriteStadiaLandXml(sheet, [&text](std::string_view piece) { text += piece; });
  return text;
}

int ExportLandXml(Stadia& sheet) {
  SheetContext& ctx = sheet.Context();
  const std::optional<std::string> path =
      ctx.dialogs.AskSaveFileName("xml", ctx.app.job.NativeFolder());
  if (!path) return 0;
  // Messages are Windows-1252 text; the path is native.
  const std::string shown = Utf8ToCp1252(*path);
  AtomicFileWriter file;
  if (!file.Begin(*path)) {
    ctx.messages.Show(Sprintf("error opening file %s: %s", shown.c_str(), file.Reason().c_str()));
    return 0;
  }
  // Written while it is made: a long sheet's file is larger than its rows.
  BlockFile out(file.Get());
  WriteStadiaLandXml(sheet, [&out](std::string_view piece) { out.Write(piece); });
  if (!out.Finish()) file.NoteWriteFailure();
  if (!file.Commit()) {
    ctx.messages.Show(Sprintf("error writing file %s: %s", shown.c_str(), file.Reason().c_str()));
    return 0;
  }
  ctx.messages.Show(Sprintf("xml output file %s created", shown.c_str()));
  return 0;
}

}  // namespace kestrel

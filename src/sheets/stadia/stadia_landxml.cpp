// Writing a Stadia sheet as a LandXML survey file.
#include "sheets/stadia/stadia_landxml.h"

#include <sys/stat.h>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/file_access.h"
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

// One point per point number: every station row that gives a position and
// every reduced shot, the first row of each number only; point 0 and rows
// without a number are not points.
std::string CgPoints(const std::vector<StadiaRow>& rows) {
  std::string text = "\t<CgPoints>\r\n";
  std::unordered_set<std::uint32_t> written;
  for (const StadiaRow& row : rows) {
    if (row.type != kStadiaStn && !IsReducedShot(row)) continue;
    if (row.point == 0 || row.point == kNoPoint) continue;
    if (IsEmptyValue(row.east) || IsEmptyValue(row.north) || written.contains(row.point)) continue;
    written.insert(row.point);
    const int point = static_cast<int>(row.point);
    if (IsEmptyValue(row.height)) {
      text +=
          Sprintf("\t\t<CgPoint name=\"%1d\">%.6f %.6f </CgPoint>\r\n", point, row.east, row.north);
    } else {
      text += Sprintf("\t\t<CgPoint name=\"%1d\">%.6f %.6f %.6f </CgPoint>\r\n", point, row.east,
                      row.north, row.height);
    }
  }
  return text + "\t</CgPoints>\r\n";
}

// An attribute with a number, left out when the value was never entered.
std::string Attribute(const char* name, const char* format, double value) {
  if (IsEmptyValue(value)) return {};
  return Sprintf(" %s=\"", name) + Sprintf(format, value) + "\"";
}

// The set-ups and the observations. Each AT/BS row with an instrument point
// is one InstrumentSetup, whose id is "IS" and the point, with "_2", "_3" ...
// for later set-ups on the same point. An observation refers to the set-up in
// force by that id, and to its backsight's set-up only when the backsight
// point is set up on somewhere in the file. Shots with no set-up in force or
// no point number are not observations.
std::string SetupsAndObservations(const std::vector<StadiaRow>& rows) {
  std::unordered_set<std::uint32_t> setUpOn;
  for (const StadiaRow& row : rows) {
    if (row.type == kStadiaAtBs && row.point != kNoPoint) setUpOn.insert(row.point);
  }

  std::string setups;
  std::string observations = "\t\t<ObservationGroup id=\"OG-1\">\r\n";
  std::unordered_map<std::uint32_t, int> setupsOnPoint;
  std::string setupId;  // the set-up in force; empty when none
  std::uint32_t backsight = 0;
  for (const StadiaRow& row : rows) {
    if (row.type == kStadiaAtBs) {
      setupId.clear();
      backsight = BacksightNumber(row);
      if (row.point == kNoPoint) continue;
      const std::string station = Number(row.point);
      const int repeat = ++setupsOnPoint[row.point];
      setupId = repeat == 1 ? "IS" + station : Sprintf("IS%s_%d", station.c_str(), repeat);
      // A set-up without an instrument height is taken at the mark.
      const double height = IsEmptyValue(row.dist) ? 0.0 : row.dist;
      setups += Sprintf(
          "\t\t<InstrumentSetup id=\"%s\" stationName=\"%s\" instrumentHeight=\"%.6f\">\r\n",
          setupId.c_str(), station.c_str(), height);
      setups += "\t\t\t<InstrumentPoint pntRef=\"" + station + "\"/>\r\n";
      setups += "\t\t</InstrumentSetup>\r\n";
    } else if (row.type == kStadiaSdHt && !setupId.empty() && row.point != kNoPoint) {
      observations += "\t\t\t<ReducedObservation name=\"" + Number(row.point) + "\" desc=\"" +
                      XmlAttributeText(row.comment) + "\" setupID=\"" + setupId + "\"";
      if (backsight != 0 && setUpOn.contains(backsight)) {
        observations += " targetSetupID=\"IS" + Number(backsight) + "\"";
      }
      observations += Attribute("azimuth", "%.4f", row.hz) +
                      Attribute("zenithAngle", "%.4f", row.obs2) +
                      Attribute("slopeDistance", "%.3f", row.dist) + "/>\r\n";
    }
  }
  return setups + observations + "\t\t</ObservationGroup>\r\n";
}

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

std::string StadiaLandXml(const Stadia& sheet) {
  const std::vector<StadiaRow>& rows = sheet.Rows();
  const std::string& path = sheet.DocumentPath();
  std::string text = Preamble(FileDateAndTime(path)) + CgPoints(rows);
  // The survey is named after the job and described by its sheet file; no
  // jurisdiction is claimed, as the job does not say which it is.
  const std::string file = std::filesystem::path(path).filename().string();
  text += "\t<Survey>\r\n\t\t<SurveyHeader name=\"" +
          XmlAttributeText(sheet.Context().app.job.job) + "\"";
  if (!file.empty()) text += " desc=\"" + XmlAttributeText(Utf8ToCp1252(file)) + "\"";
  text +=
      " surveyFormat=\"Standard\" type=\"surveyed\">\r\n"
      "\t\t</SurveyHeader>\r\n";
  text += SetupsAndObservations(rows);
  return text + "\t</Survey>\r\n</LandXML>\r\n";
}

int ExportLandXml(Stadia& sheet) {
  const std::string text = StadiaLandXml(sheet);
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
  if (std::fwrite(text.data(), 1, text.size(), file.Get()) != text.size()) {
    file.NoteWriteFailure();
  }
  if (!file.Commit()) {
    ctx.messages.Show(Sprintf("error writing file %s: %s", shown.c_str(), file.Reason().c_str()));
    return 0;
  }
  ctx.messages.Show(Sprintf("xml output file %s created", shown.c_str()));
  return 0;
}

}  // namespace kestrel

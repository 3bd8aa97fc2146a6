#include "hostlink/host_link_view.h"

#include <algorithm>

#include "hostlink/duplicate_points.h"
#include "hostlink/link_endpoints.h"
#include "hostlink/link_messages.h"
#include "report/report_writer.h"
#include "sheets/command_codes.h"

namespace kestrel {

namespace {

constexpr int kHostInsertRow = 0;  // host points go in at the top of the sheet

}  // namespace

void HostLinkView::Update() {
  if (updateAllViews) updateAllViews();
}

int HostLinkView::OnCopyData(std::uint32_t code, std::string_view payload) {
  switch (code) {
    case LINK_POINTS: {
      const std::vector<HostPointRecord> records = DecodeHostPointRecords(payload);
      if (applyFlag) {
        std::vector<PointRecord> points;
        points.reserve(records.size());
        for (const HostPointRecord& host : records) points.push_back(ToPointRecord(host));
        // One batch where the sheet takes one (a row insert per point moves
        // every row below it each time); else one point at a time.
        const int before = sheet_.RowCount();
        const std::vector<PointRecord>* batch = &points;
        sheet_.Command(kCmdInsertHostPoint, std::int64_t{kHostInsertRow}, batch);
        if (sheet_.RowCount() == before) {
          for (const PointRecord& record : points) {
            sheet_.Command(kCmdInsertHostPoint, std::int64_t{kHostInsertRow}, &record);
          }
        }
        applied = static_cast<int>(points.size());
        applyFlag = false;
      } else {
        existing.clear();
        existing.reserve(records.size());
        for (const HostPointRecord& host : records) existing.push_back(ToPointRecord(host));
      }
      Update();
      return 0;  // default processing
    }
    case LINK_NUMBER_LIST:
      hostNumbers = DecodeNumbers(payload);
      return 1;
    case LINK_ACK:
      return 1;
    case LINK_HIGHEST_NUMBER: {
      const std::vector<std::uint32_t> numbers = DecodeNumbers(payload);
      if (!numbers.empty()) highestHostNumber = numbers.front();
      return 1;
    }
    default:
      Update();
      return 0;
  }
}

std::vector<PointRecord> HostLinkView::SheetRecords() {
  std::vector<PointRecord> records;
  PointRecord record;
  for (int more = sheet_.Command(kCmdFirstPoint, &record); more != -1;
       more = sheet_.Command(kCmdNextPoint, &record))
    records.push_back(record);
  return records;
}

bool HostLinkView::StorePoints(const std::vector<PointRecord>& records, const std::string& host,
                               Messages& messages) {
  if (SendLinkMessage(host, LINK_STORE_POINTS, EncodePointRecords(records), *this) == 0) {
    messages.Show(kUploadFailedText);
    return false;
  }
  return true;
}

UploadResult HostLinkView::StoreDataInDatabase(HostLinkPorts ports, const JobLocation& job,
                                               bool calculateFirst, bool checkDuplicates) {
  UploadResult result;
  const std::optional<std::string> host = FindHostWindow();
  if (!host) {
    ports.messages.Show(kNoHostText);
    return result;
  }
  if (calculateFirst) sheet_.Command(kCmdCalculate);
  if (checkDuplicates) {
    result.conflicts = CheckForDuplicates(ports.messages, ports.shell, job);
    if (result.conflicts > 0 && !ports.messages.AskOkCancel(kDuplicatesText)) {
      result.status = UploadStatus::kDuplicatesCancelled;
      return result;
    }
  }
  std::vector<PointRecord> records = SheetRecords();
  requested.clear();
  for (const PointRecord& record : records)
    requested.push_back(static_cast<std::uint32_t>(record.point));
  existing.clear();  // a host that sends no LINK_POINTS holds none of them
  applyFlag = false;
  if (SendLinkMessage(*host, LINK_REQUEST_POINTS, EncodeNumbers(requested), *this) == 0)
    ports.messages.Show(kRequestFailedText);
  result.existing = static_cast<int>(existing.size());
  if (!existing.empty()) {
    ImportedPoints dialog(requested, records, hostNumbers, existing, highestHostNumber);
    if (!ports.reconciler.Reconcile(dialog)) {
      requested.clear();
      result.status = UploadStatus::kReconcileCancelled;
      return result;
    }
  }
  result.sent = static_cast<int>(records.size());
  result.marked = static_cast<int>(std::count_if(
      records.begin(), records.end(), [](const PointRecord& r) { return r.point <= 0; }));
  result.status =
      StorePoints(records, *host, ports.messages) ? UploadStatus::kStored : UploadStatus::kFailed;
  Update();  // the full refresh of the grid
  return result;
}

int HostLinkView::CheckForDuplicates(Messages& messages, Shell& shell, const JobLocation& job) {
  const DuplicateReport report = FindDuplicatePoints(SheetRecords());
  if (!report.lines.empty()) {
    CReportWriter writer(messages);
    std::string path = job.ReportPath(kDuplicateReportPattern);
    if (writer.WriteReport(report.lines, path, true, false, false) == 1) shell.OpenFile(path);
  }
  return report.conflicts;
}

bool HostLinkView::StoreObservationsAsStrings(Messages& messages) {
  const std::optional<std::string> host = FindHostWindow();
  if (!host) {
    messages.Show(kNoHostText);
    return false;
  }
  std::string& text = lastStringList;
  text.clear();
  sheet_.Command(kCmdObservationStrings, &text);
  if (SendLinkMessage(*host, LINK_STRING_LIST, text, *this) == 0) {
    messages.Show(kStringListFailedText);
    return false;
  }
  return true;
}

int HostLinkView::GetDatabase(Messages& messages) {
  std::vector<std::uint32_t> numbers;
  if (sheet_.Command(kCmdCollectMissing) > 0) {
    std::uint32_t number = 0;
    while (sheet_.Command(kCmdNextMissing, &number) != -1) numbers.push_back(number);
  }
  if (numbers.empty()) {
    messages.Show(kNothingToFindText);
    return -1;
  }
  const std::optional<std::string> host = FindHostWindow();
  if (!host) {
    messages.Show(kNoHostText);
    return -1;
  }
  applyFlag = true;
  applied = 0;
  const int answer = SendLinkMessage(*host, LINK_REQUEST_POINTS, EncodeNumbers(numbers), *this);
  // A host that failed to answer must not leave the flag set for the next
  // upload's reply.
  applyFlag = false;
  if (answer == 0) {
    messages.Show(kRequestFailedText);
    return -1;
  }
  return applied;
}

}  // namespace kestrel

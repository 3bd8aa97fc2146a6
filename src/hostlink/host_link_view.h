#pragma once
// The view's side of the host link: the lists the host's replies fill, the
// handler of those replies, and the view's commands that talk to the host.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hostlink/imported_points.h"
#include "hostlink/link_client.h"
#include "job/job_location.h"
#include "platform/ports.h"
#include "sheets/data_source.h"

namespace kestrel {

inline constexpr const char* kNoHostText =
    "GYRE needs to be running\nto extract points from the database";
inline constexpr const char* kRequestFailedText = "Error getting database list from gyre";
inline constexpr const char* kUploadFailedText = "error uploading data to gyre";
inline constexpr const char* kStringListFailedText = "Sending string list message to GYRE failed";
inline constexpr const char* kDuplicatesText =
    "Duplicate points with different coordinates detected. Hit cancel to abort save";
inline constexpr const char* kNothingToFindText = "No points in Stadia need to be found";
inline constexpr const char* kDuplicateReportPattern = "%s%sStadiaErrors_%s.rtf";

// Opens the reconciliation on the upload's records; false on Cancel.
class Reconciler {
 public:
  virtual ~Reconciler() = default;
  virtual bool Reconcile(ImportedPoints& points) = 0;
};

struct HostLinkPorts {
  Messages& messages;
  Shell& shell;
  Reconciler& reconciler;
};

enum class UploadStatus { kNoHost, kDuplicatesCancelled, kReconcileCancelled, kFailed, kStored };

struct UploadResult {
  UploadStatus status = UploadStatus::kNoHost;
  int sent = 0;       // records sent
  int marked = 0;     // of those, numbered zero or less (not stored by the host)
  int conflicts = 0;  // duplicate conflicts found before storing
  int existing = 0;   // records the host already held
};

class HostLinkView : public LinkReplyHandler {
 public:
  explicit HostLinkView(CUGDataSource& sheet) : sheet_(sheet) {}

  // The data-copy handler: the host's replies by code.
  int OnCopyData(std::uint32_t code, std::string_view payload) override;

  // Called when the replies change what the views show.
  std::function<void()> updateAllViews;

  // "Store Data in Database". `calculateFirst` unless the sheet is a
  // traverse or its coordinates are already computed; `checkDuplicates` on
  // stadia sheets.
  UploadResult StoreDataInDatabase(HostLinkPorts ports, const JobLocation& job, bool calculateFirst,
                                   bool checkDuplicates);
  // "Check for Duplicates": the number of conflicts; their report is written
  // and opened when there are any.
  int CheckForDuplicates(Messages& messages, Shell& shell, const JobLocation& job);
  // "Store Observations as Strings". False when nothing was stored.
  bool StoreObservationsAsStrings(Messages& messages);
  // The Get Database command: the number of host records applied to the
  // sheet, or -1 when nothing was asked or the host did not answer.
  int GetDatabase(Messages& messages);

  // The link lists.
  std::vector<std::uint32_t> requested;
  std::vector<std::uint32_t> hostNumbers;
  std::vector<PointRecord> existing;
  std::uint32_t highestHostNumber = 0;
  bool applyFlag = false;
  int applied = 0;             // host records handed to the sheet by the last apply
  std::string lastStringList;  // the text the last "Store Observations as Strings" sent

 private:
  std::vector<PointRecord> SheetRecords();
  bool StorePoints(const std::vector<PointRecord>& records, const std::string& host,
                   Messages& messages);
  void Update();

  CUGDataSource& sheet_;
};

}  // namespace kestrel

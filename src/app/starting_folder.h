#pragma once
// Where the start-up dialog looks when the host named no job: the folder and
// job of the last sheet worked on, or the home folder.
#include <QString>
#include <string>

#include "job/job_location.h"

namespace kestrel {

// The job of the most recent sheet file when its folder still exists;
// otherwise the home folder with the job name kept as it was. Native paths,
// no drive.
JobLocation StartingJob(const JobLocation& defaults, const std::string& recentFile,
                        const QString& homeFolder);

// The name a printed PDF is offered under: the sheet file's name with ".pdf"
// in the same folder ("/jobs/stad1.tst" gives "/jobs/stad1.tst.pdf"), or
// "listing.pdf" in the job folder for a sheet never saved.
QString PdfNameForSheet(const std::string& sheetPath, const std::string& jobFolder);

}  // namespace kestrel

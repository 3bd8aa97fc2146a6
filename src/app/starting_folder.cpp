#include "app/starting_folder.h"

#include <QDir>
#include <QFileInfo>

#include "app/qt_ports.h"

namespace kestrel {
namespace {

// The job name a sheet file carries: the extension, except for a job-first
// name ("job7.precisionstadia2"), where it is the part before the first dot.
QString JobNameOf(const QFileInfo& file) {
  if (file.suffix().startsWith("precisionstadia", Qt::CaseInsensitive)) return file.baseName();
  return file.suffix();
}

QString WithTrailingSlash(QString folder) {
  if (!folder.endsWith('/')) folder += '/';
  return folder;
}

}  // namespace

JobLocation StartingJob(const JobLocation& defaults, const std::string& recentFile,
                        const QString& homeFolder) {
  JobLocation job = defaults;
  job.drive.clear();
  const QFileInfo recent(PathToQt(recentFile));
  if (!recentFile.empty() && recent.absoluteDir().exists() && !JobNameOf(recent).isEmpty()) {
    job.folder = PathFromQt(WithTrailingSlash(recent.absolutePath()));
    job.job = PathFromQt(JobNameOf(recent));
    return job;
  }
  job.folder = PathFromQt(WithTrailingSlash(homeFolder));
  return job;
}

QString PdfNameForSheet(const std::string& sheetPath, const std::string& jobFolder) {
  if (sheetPath.empty()) return WithTrailingSlash(PathToQt(jobFolder)) + "listing.pdf";
  return PathToQt(sheetPath) + ".pdf";
}

}  // namespace kestrel

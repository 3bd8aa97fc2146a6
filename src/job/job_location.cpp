#include "job/job_location.h"

#include <algorithm>

#include "job/path_parts.h"
#include "platform/printf_format.h"

namespace kestrel {

std::string NativePath(const std::string& path) {
  std::string native = path.substr(DriveLength(path));
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

std::string JobLocation::ReportPath(const char* pattern) const {
  return NativePath(Sprintf(pattern, drive.c_str(), folder.c_str(), job.c_str()));
}

std::string JobLocation::FolderPath(const char* pattern) const {
  return NativePath(Sprintf(pattern, drive.c_str(), folder.c_str()));
}

std::string JobLocation::NativeFolder() const { return NativePath(drive + folder); }

}  // namespace kestrel

#pragma once
// Where the job lives: the drive, folder and job name from which every sheet
// file and report file name is formed.
#include <string>

namespace kestrel {

struct JobLocation {
  std::string drive = "c:";         // "c:", or empty on Linux
  std::string folder = "\\data\\";  // with leading and trailing separator
  std::string job = "tst";          // the job name (the sheet files' extension)

  // A report or file name from a pattern taking drive, folder and job in that
  // order ("%s%sstadiaerrors_%s.rtf"), as a native path.
  std::string ReportPath(const char* pattern) const;
  // A name from a pattern taking drive and folder only ("%s%sCheckReport.rtf").
  std::string FolderPath(const char* pattern) const;
  // The job folder as a native path ("/data/").
  std::string NativeFolder() const;
};

// A path in Windows form made native: a leading drive ("c:") is dropped and
// every "\" becomes "/". A path already native is returned unchanged.
std::string NativePath(const std::string& path);

}  // namespace kestrel

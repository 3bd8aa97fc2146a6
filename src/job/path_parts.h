#pragma once
// Splitting a sheet path into drive, folder, title and extension. Paths reach
// the job layer in two forms, Windows form from the host ("c:\data\stad1.tst")
// and native from the desktop's file dialog ("/home/me/jobs/stad1.tst"); both
// separators are understood here so that either form splits the same way.
#include <cstddef>
#include <string>
#include <string_view>

// File names are compared with the sheet keywords without regard to case.
#include "platform/ascii_case.h"

namespace kestrel {

struct PathParts {
  std::string drive;      // "c:", or empty
  std::string folder;     // up to and including the last separator, or empty
  std::string title;      // the file name without its extension: "stad1"
  std::string extension;  // from the file name's last dot, dot included: ".tst"
};

PathParts SplitPath(std::string_view path);

// 2 when the path begins with a drive ("c:"), else 0.
std::size_t DriveLength(std::string_view path);

// The file name without drive and folder, extension included: "stad1.tst".
std::string FileNameOf(std::string_view path);

}  // namespace kestrel

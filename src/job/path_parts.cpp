#include "job/path_parts.h"

namespace kestrel {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::size_t DriveLength(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':' && IsAsciiLetter(path[0])) ? 2 : 0;
}

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  const std::size_t driveLength = DriveLength(path);
  parts.drive = std::string(path.substr(0, driveLength));
  std::string_view rest = path.substr(driveLength);

  const std::size_t lastSeparator = rest.find_last_of("\\/");
  const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
  parts.folder = std::string(rest.substr(0, nameStart));
  const std::string_view name = rest.substr(nameStart);

  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) {
    parts.title = std::string(name);
  } else {
    parts.title = std::string(name.substr(0, dot));
    parts.extension = std::string(name.substr(dot));
  }
  return parts;
}

std::string FileNameOf(std::string_view path) {
  const PathParts parts = SplitPath(path);
  return parts.title + parts.extension;
}

}  // namespace kestrel

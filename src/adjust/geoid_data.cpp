#include "adjust/geoid_data.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/archive.h"
#include "platform/file_access.h"
#include "platform/printf_format.h"

namespace kestrel {

namespace fs = std::filesystem;

std::string GeoidDataPathIn(const std::string& programParentFolder) {
  std::string folder = programParentFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + "Variable/GeoidData";
}

std::string DefaultGeoidDataPath() {
  const char* home = std::getenv("KESTREL_HOME");
  if (home != nullptr && *home != '\0') return GeoidDataPathIn(home);
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return GeoidDataPathIn("..");
  return GeoidDataPathIn(program.parent_path().parent_path().string());
}

std::string GeoidDataBytes(const GeoidParameters& v) {
  ArchiveWriter out;
  out.WriteU32(kGeoidDataVersion);
  for (double x : {v.a, v.invF, v.zoneWidth, v.k0, v.FE, v.FN}) out.WriteF64(x);
  out.WriteCountedText(v.name);
  return out.Bytes();
}

GeoidFileState ParseGeoidData(std::string_view bytes, GeoidParameters& values,
                              std::uint32_t& version) {
  ArchiveReader in(bytes);
  version = 0;
  if (!in.ReadU32(version) || version != kGeoidDataVersion) return GeoidFileState::Damaged;
  GeoidParameters read;
  for (double* x : {&read.a, &read.invF, &read.zoneWidth, &read.k0, &read.FE, &read.FN}) {
    if (!in.ReadF64(*x)) return GeoidFileState::Damaged;
  }
  if (!in.ReadCountedText(read.name)) return GeoidFileState::Damaged;
  if (!CheckGeoidParameters(read).empty()) return GeoidFileState::Damaged;
  values = read;
  return GeoidFileState::Read;
}

CGeoidData::CGeoidData(std::string path) : path_(std::move(path)) {
  if (!FileExists(path_)) return;
  const std::optional<std::string> bytes = ReadWholeFile(path_);
  if (!bytes) {
    state_ = GeoidFileState::Unreadable;
    readMessage_ = Sprintf("The geodetic values file %s cannot be read; the MGA values are used",
                           path_.c_str());
    return;
  }
  std::uint32_t version = 0;
  state_ = ParseGeoidData(*bytes, values, version);
  if (state_ == GeoidFileState::Read) {
    stored_ = values;
  } else if (version != kGeoidDataVersion && bytes->size() >= 4) {
    readMessage_ = Sprintf(
        "The geodetic values file %s has version %u, which this program does not read; the "
        "MGA values are used",
        path_.c_str(), version);
  } else {
    readMessage_ =
        Sprintf("The geodetic values file %s is damaged; the MGA values are used", path_.c_str());
  }
}

bool CGeoidData::Changed() const { return state_ != GeoidFileState::Read || values != stored_; }

std::string CGeoidData::Store() {
  if (!Changed()) return {};
  const std::string problem = CheckGeoidParameters(values);
  if (!problem.empty()) return problem;
  const fs::path folder = fs::path(path_).parent_path();
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    return Sprintf("The geodetic values cannot be saved: the folder %s does not exist",
                   folder.c_str());
  }
  if (::access(folder.c_str(), W_OK) != 0) {
    return Sprintf("The geodetic values cannot be saved: the folder %s is read-only",
                   folder.c_str());
  }
  if (!WriteFileAtomically(path_, GeoidDataBytes(values))) {
    return Sprintf("The geodetic values cannot be saved to %s", path_.c_str());
  }
  state_ = GeoidFileState::Read;
  stored_ = values;
  readMessage_.clear();
  return {};
}

void CGeoidData::CreateIfMissing() {
  if (state_ != GeoidFileState::Missing) return;
  std::error_code error;
  if (!fs::is_directory(fs::path(path_).parent_path(), error)) return;
  Store();
}

}  // namespace kestrel

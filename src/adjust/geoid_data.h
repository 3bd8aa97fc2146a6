#pragma once
// CGeoidData: the projection parameters in force and the small file that
// keeps them for every job ("GeoidData" in the "Variable" folder beside the
// program's folder).
//
// The file is read when the holder is made. A missing, damaged or
// other-version file gives the MGA values; the last two also give a message,
// since the values the user saved are then not the ones in force. Store()
// writes the file only when the values differ from what it holds, so holders
// that only compute corrections do not rewrite a file other programs may be
// reading.
#include <cstdint>
#include <string>
#include <string_view>

#include "adjust/geoid_parameters.h"

namespace kestrel {

inline constexpr std::uint32_t kGeoidDataVersion = 1;

// The parameters file under a folder standing in for the program's parent
// folder (trailing "/" optional).
std::string GeoidDataPathIn(const std::string& programParentFolder);

// The parameters file for this program: under KESTREL_HOME when that is set,
// else under the parent of the folder holding the running program.
std::string DefaultGeoidDataPath();

// The file's bytes for the values: version, six doubles, counted name.
std::string GeoidDataBytes(const GeoidParameters& values);

enum class GeoidFileState {
  Read,       // the file's values are in force
  Missing,    // no file: the MGA values, silently
  Damaged,    // truncated, unreadable or holding values no projection has
  Unreadable  // the file exists but cannot be opened
};

// Parses the file's bytes. On Read, `values` holds the file's values; on any
// other state it is left untouched and `version` tells what the file said
// (0 when too short to say).
GeoidFileState ParseGeoidData(std::string_view bytes, GeoidParameters& values,
                              std::uint32_t& version);

class CGeoidData {
 public:
  explicit CGeoidData(std::string path);
  virtual ~CGeoidData() = default;
  CGeoidData(const CGeoidData&) = delete;
  CGeoidData& operator=(const CGeoidData&) = delete;

  const std::string& Path() const { return path_; }
  GeoidFileState State() const { return state_; }
  // Empty when the file was read or is simply missing; else the sentence to
  // show the user.
  const std::string& ReadMessage() const { return readMessage_; }

  // The values in force; change them and then Store().
  GeoidParameters values;

  // True when the values differ from the file's (a missing or damaged file
  // holds none).
  bool Changed() const;
  // Writes the file atomically when Changed(); empty on success (or when
  // nothing needed writing), else the sentence to show. Values that do not
  // describe a projection are never written. A damaged file is replaced:
  // call this only when the user has asked for the values to be saved.
  std::string Store();
  // Creates the file with the values in force when there is none and the
  // folder exists; a damaged or unreadable file is left for the user to see.
  // Failure is silent: the values in force are the ones the file would hold.
  void CreateIfMissing();

 private:
  std::string path_;
  GeoidFileState state_ = GeoidFileState::Missing;
  std::string readMessage_;
  GeoidParameters stored_;  // what the file holds when state_ is Read
};

}  // namespace kestrel

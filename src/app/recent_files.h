#pragma once
// The four most recently used sheet files, kept in the profile.
#include <QStringList>
#include <string>
#include <vector>

namespace kestrel {

class RecentFileList {
 public:
  static constexpr int kSize = 4;

  // Reads the list from the profile (the current QSettings).
  void Load();
  // Puts the path first (once) and writes the list back.
  void Add(const std::string& path);

  // The most recent file, or an empty text.
  std::string First() const;
  const std::vector<std::string>& Files() const { return files_; }
  QStringList ForDisplay() const;

 private:
  void Save() const;

  std::vector<std::string> files_;
};

}  // namespace kestrel

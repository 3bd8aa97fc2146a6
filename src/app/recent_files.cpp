#include "app/recent_files.h"

#include <QSettings>
#include <algorithm>

#include "app/qt_ports.h"

namespace kestrel {
namespace {

constexpr const char* kSection = "Recent File List";

QString Key(int index) { return QString("%1/File%2").arg(kSection).arg(index + 1); }

}  // namespace

void RecentFileList::Load() {
  files_.clear();
  const QSettings profile;
  for (int i = 0; i < kSize; ++i) {
    const QString path = profile.value(Key(i)).toString();
    if (!path.isEmpty()) files_.push_back(PathFromQt(path));
  }
}

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
  files_.insert(files_.begin(), path);
  if (files_.size() > static_cast<std::size_t>(kSize)) files_.resize(kSize);
  Save();
}

std::string RecentFileList::First() const {
  return files_.empty() ? std::string() : files_.front();
}

QStringList RecentFileList::ForDisplay() const {
  QStringList paths;
  for (const std::string& path : files_) paths << PathToQt(path);
  return paths;
}

void RecentFileList::Save() const {
  QSettings profile;
  for (int i = 0; i < kSize; ++i) {
    if (i < static_cast<int>(files_.size())) {
      profile.setValue(Key(i), PathToQt(files_[i]));
    } else {
      profile.remove(Key(i));
    }
  }
}

}  // namespace kestrel

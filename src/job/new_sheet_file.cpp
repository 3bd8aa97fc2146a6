#include "job/new_sheet_file.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "job/job_location.h"
#include "platform/file_access.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

bool HasContent(const std::string& nativePath) {
  const std::optional<std::uint64_t> size = FileSize(nativePath);
  return size && *size > 0;
}

bool WriteEmptySheet(const std::string& nativePath) {
  ExclusiveFile file;
  if (!file.Open(nativePath, ExclusiveFile::Mode::CreateTruncate)) return false;
  const bool written = std::fwrite(kEmptySheetBytes.data(), 1, kEmptySheetBytes.size(),
                                   file.Get()) == kEmptySheetBytes.size();
  return file.Close() && written;
}

}  // namespace

bool PrepareNewSheetFile(const std::string& path, Messages& messages) {
  const std::string native = NativePath(path);
  if (HasContent(native)) return true;
  if (WriteEmptySheet(native)) return true;
  messages.Show(Sprintf("failed to create file %s", path.c_str()));
  return false;
}

bool PrepareExistingSheetFile(SheetType type, const std::string& path, Messages& messages) {
  if (type == SheetType::LevelSheet) return PrepareNewSheetFile(path, messages);
  return FileExists(NativePath(path));
}

}  // namespace kestrel

#include "app/help_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kestrel {

std::optional<QString> ProgramParentFolder() {
  const QString home = qEnvironmentVariable("KESTREL_HOME");
  if (!home.isEmpty()) return QDir(home).absolutePath() + "/";
  QDir folder(QCoreApplication::applicationDirPath());
  if (!folder.cdUp()) return std::nullopt;
  return folder.absolutePath() + "/";
}

std::optional<QString> HelpStartPage() {
  const std::optional<QString> parent = ProgramParentFolder();
  if (!parent) return std::nullopt;
  const QString page = *parent + "Help/" + kHelpStartPage;
  if (!QFileInfo(page).isFile()) return std::nullopt;
  return page;
}

}  // namespace kestrel

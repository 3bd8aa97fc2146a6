#pragma once
// Files that live beside the program: the Help folder sits in the program
// folder's parent ("bin/../Help/"); the environment variable KESTREL_HOME may
// name the folder that stands in for that parent.
#include <QString>
#include <optional>

namespace kestrel {

// The user manual's first page inside the Help folder.
inline constexpr const char* kHelpStartPage = "index.html";

// The folder standing in for the program folder's parent, with a trailing
// "/"; nullopt when the program folder has no parent.
std::optional<QString> ProgramParentFolder();

// The user manual's first page; nullopt when the Help folder or the page is
// missing.
std::optional<QString> HelpStartPage();

}  // namespace kestrel

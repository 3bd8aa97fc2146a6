// Finding the host: the title rule and the per-user link folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "hostlink/link_endpoints.h"
#include "platform/scratch_folder.h"

namespace kestrel {
namespace {

TEST(LinkEndpoints, TitleRule) {
  struct Case {
    std::string title;
    bool host;
  };
  const Case cases[] = {
      {"GYRE job1", true},
      {"   gYrE   job1  ", true},
      {"gyre x", true},
      {"GYRE", false},
      {"  gyre   ", false},
      {"xGYRE job", false},
      {".gyre job", false},
      {"gyrex job", false},
      {"gyre\tjob", false},
      {"", false},
      {std::string(260, ' ') + "gyre job", false},  // past the 255 characters read
  };
  for (const Case& c : cases) EXPECT_EQ(IsHostTitle(c.title), c.host) << "\"" << c.title << "\"";
}

TEST(LinkEndpoints, FolderIsPrivateToTheUser) {
  testing::ScratchFolder runtime;
  ASSERT_TRUE(runtime.Ok());
  ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  std::string error;
  const auto folder = LinkFolder(error);
  ASSERT_TRUE(folder.has_value()) << error;
  struct stat info {};
  ASSERT_EQ(stat(folder->c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(*folder, runtime.File("kestrel-link-" + std::to_string(getuid())));

  chmod(folder->c_str(), 0755);  // opened to others: refused, and nothing is found there
  EXPECT_FALSE(LinkFolder(error).has_value());
  EXPECT_FALSE(FindHostWindow().has_value());
  ::unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace kestrel

// Finding the host (the title rule and the per-user link folder) and answering
// a frame over a real socket: "BearMsg" and the refusals.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "hostlink/link_endpoints.h"
#include "hostlink/link_server.h"
#include "hostlink/link_socket.h"
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
      {"GYRE", false},
      {"xGYRE job", false},
      {"gyrex job", false},
      {"gyre\tjob", false},
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

class LinkServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime_.Ok());
    setenv("XDG_RUNTIME_DIR", runtime_.Path().c_str(), 1);
    std::string error;
    ASSERT_TRUE(endpoint_.Register("kestrel", "Kestrel", error)) << error;
  }
  void TearDown() override {
    endpoint_.Unregister();
    unsetenv("XDG_RUNTIME_DIR");
  }
  // Answers `count` connections as the frame does, with the bearing selector
  // on index 2 and the distance selector on index 1.
  std::thread Answering(int count) {
    return std::thread([this, count] {
      for (int i = 0; i < count; ++i) {
        const int fd = accept(endpoint_.ListenFd(), nullptr, nullptr);
        if (fd < 0) return;
        outcomes_.push_back(AnswerConnection(fd, 500, [](int, const LinkFrame& frame) {
          return frame.code == kFrameBearMsg ? AnswerBearMsg(frame.payload, 2, 1) : 0;
        }));
        close(fd);
      }
    });
  }
  testing::ScratchFolder runtime_;
  EndpointRegistration endpoint_;
  std::vector<ServeOutcome> outcomes_;
};

TEST_F(LinkServer, BearMsgAnswersTheSelectorIndices) {
  struct Case {
    std::int32_t wParam, lParam, answer;
  };
  const Case cases[] = {{4, 0, 2}, {4, 1, 1}, {4, 9, 1}, {3, 0, 1}, {0, 1, 1}};
  std::thread server = Answering(static_cast<int>(std::size(cases)));
  for (const Case& c : cases)
    EXPECT_EQ(SendBearMsg(endpoint_.SocketPath(), c.wParam, c.lParam), c.answer)
        << c.wParam << "," << c.lParam;
  server.join();
  EXPECT_FALSE(FindHostWindow().has_value());  // kestrel's own title is not the host's
}

TEST_F(LinkServer, CutAndSilentFramesAreNotAnswered) {
  std::thread server = Answering(3);
  for (const std::string& bytes :
       {EncodeFrame(kFrameBearMsg, "1234567"), EncodeFrame(kFrameBearMsg, "12345678").substr(0, 10),
        std::string()}) {
    SocketHandle peer(ConnectEndpoint(endpoint_.SocketPath()));
    send(peer.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (bytes.size() == 10) std::this_thread::sleep_for(std::chrono::milliseconds(700));
  }
  server.join();
  EXPECT_EQ(outcomes_, (std::vector<ServeOutcome>{ServeOutcome::kRefused, ServeOutcome::kTimeout,
                                                  ServeOutcome::kClosed}));
}

}  // namespace
}  // namespace kestrel

// Refused input on both sides of the link: frames the host must not act on,
// a peer of another user, and a host whose replies kestrel must not trust.
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "gyre_fixture.h"
#include "hostlink/link_client.h"
#include "hostlink/link_endpoints.h"
#include "hostlink/link_messages.h"
#include "hostlink/link_socket.h"
#include "platform/le_bytes.h"

namespace kestrel {
namespace {

using namespace std::chrono_literals;

using testing::FrameHeader;

std::string StoreOnePoint() { return EncodePointRecords({MakePoint(77, 1, 2, 3)}); }

TEST_F(GyreHostTest, RefusedFramesLeaveTheDatabaseAndTheHostAlone) {
  Seed(SeedRange(1, 5));
  StartHost({"--read-timeout-ms", "300"});
  const std::string socket = *FindHostWindow();
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::string store = StoreOnePoint();
  // Payload sizes a code does not allow are the frame reader's to refuse
  // (checked there); here the limit stands for them.
  const Case cases[] = {
      {"longer than the limit", FrameHeader(LINK_STORE_POINTS, 0x7FFFFFFFu) + store},
      {"garbage", "\xde\xad\xbe\xef garbage that is no frame at all"},
      {"stalls mid-frame", FrameHeader(LINK_STORE_POINTS, 149) + store.substr(0, 60)},
      {"unknown code", FrameHeader(12345, 0)},
  };
  for (const Case& c : cases) {
    SocketHandle peer(ConnectEndpoint(socket));
    ASSERT_GE(peer.get(), 0) << c.name;
    ASSERT_TRUE(send(peer.get(), c.bytes.data(), c.bytes.size(), MSG_NOSIGNAL) > 0) << c.name;
    LinkFrame frame;
    const ReadStatus status = ReadFrame(peer.get(), frame, 3000);
    // Refused: the host hangs up, or answers the failure signal.
    if (status == ReadStatus::kFrame) {
      EXPECT_EQ(frame.code, kFrameResult) << c.name;
      EXPECT_EQ(DecodeResult(frame.payload), 0) << c.name;
    } else {
      EXPECT_EQ(status, ReadStatus::kClosed) << c.name;
    }
  }
  EXPECT_EQ(DatabasePoints().size(), 5u);
  // Still serving.
  RecordSheet sheet;
  sheet.records = {MakePoint(77, 1, 2, 3)};
  ScriptedReconciler reconciler;
  EXPECT_EQ(Upload(sheet, reconciler).status, UploadStatus::kStored);
  EXPECT_EQ(DatabasePoints().size(), 6u);
}

TEST_F(GyreHostTest, APeerOfAnotherUserIsRefused) {
  // Acting as another user takes root; the suite runs as root.
  ASSERT_EQ(getuid(), 0u) << "run the tests as root: this test acts as another user";
  StartHost();
  const std::string socket = *FindHostWindow();
  // Let the other user reach the socket, so that only the credential check stands.
  const std::filesystem::path link = std::filesystem::path(socket).parent_path();
  chmod(link.c_str(), 0711);
  chmod(link.parent_path().c_str(), 0711);
  chmod(socket.c_str(), 0666);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    SocketHandle peer(ConnectEndpoint(socket));
    if (peer.get() < 0) _exit(3);
    const std::string store = StoreOnePoint();
    WriteFrame(peer.get(), LINK_STORE_POINTS, store);
    LinkFrame frame;
    _exit(ReadFrame(peer.get(), frame, 3000) == ReadStatus::kClosed ? 0 : 4);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(DatabasePoints().empty());
  EXPECT_NE(HostLog().find("refused a peer of another user"), std::string::npos);
}

// A host that answers with the given bytes and then hangs up or stays silent.
class MisbehavingHost {
 public:
  MisbehavingHost(std::string reply, bool stayOpen) {
    std::string error;
    EXPECT_TRUE(endpoint_.Register("fake", "GYRE fake", error)) << error;
    worker_ = std::thread([this, reply = std::move(reply), stayOpen] {
      const int fd = accept(endpoint_.ListenFd(), nullptr, nullptr);  // FindHostWindow's probe
      if (fd >= 0) close(fd);
      const int peer = accept(endpoint_.ListenFd(), nullptr, nullptr);
      if (peer < 0) return;
      LinkFrame frame;
      ReadFrame(peer, frame, 2000);
      send(peer, reply.data(), reply.size(), MSG_NOSIGNAL);
      if (stayOpen) std::this_thread::sleep_for(1500ms);
      close(peer);
    });
  }
  ~MisbehavingHost() {
    worker_.join();
    endpoint_.Unregister();
  }

 private:
  EndpointRegistration endpoint_;
  std::thread worker_;
};

class CountingReplies : public LinkReplyHandler {
 public:
  int OnCopyData(std::uint32_t, std::string_view) override { return ++count; }
  int count = 0;
};

TEST_F(GyreHostTest, KestrelRefusesABadHostWithoutCrashing) {
  struct Case {
    const char* name;
    std::string reply;
    bool stayOpen;
    int replies;  // reply frames handled before the failure
  };
  const Case cases[] = {
      {"reply longer than the limit", FrameHeader(LINK_POINTS, 0xFFFFFFF0u), false, 0},
      {"silent after a reply", EncodeFrame(LINK_ACK, ""), true, 1},
      {"no result", EncodeFrame(LINK_NUMBER_LIST, std::string(8, '\1')), false, 1},
  };
  for (const Case& c : cases) {
    MisbehavingHost host(c.reply, c.stayOpen);
    const auto endpoint = FindHostWindow();
    ASSERT_TRUE(endpoint) << c.name;
    CountingReplies replies;
    EXPECT_EQ(SendLinkMessage(*endpoint, LINK_REQUEST_POINTS, EncodeNumbers({1, 2}), replies, 500),
              0)
        << c.name;
    EXPECT_EQ(replies.count, c.replies) << c.name;
  }
}

}  // namespace
}  // namespace kestrel

#include "gyre/gyre_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "hostlink/link_endpoints.h"
#include "hostlink/link_frame.h"
#include "hostlink/link_messages.h"
#include "hostlink/link_server.h"
#include "hostlink/link_socket.h"

namespace kestrel {

namespace {

volatile std::sig_atomic_t stopRequested = 0;
int commitDelayMs = 0;

void OnStopSignal(int) { stopRequested = 1; }

void PauseBeforeCommit() {
  if (commitDelayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(commitDelayMs));
}

void Log(const std::string& text) { std::fprintf(stderr, "gyre-host: %s\n", text.c_str()); }

std::string Elapsed(std::chrono::steady_clock::time_point start) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  return " in " + std::to_string(ms.count()) + " ms";
}

std::int32_t Answer(int fd, const LinkFrame& frame, PointDatabase& db) {
  const auto start = std::chrono::steady_clock::now();
  switch (frame.code) {
    case LINK_REQUEST_POINTS: {
      const std::vector<std::uint32_t> numbers = DecodeNumbers(frame.payload);
      const std::vector<HostPointRecord> found = db.Lookup(numbers);
      std::string records;
      records.reserve(found.size() * kHostPointRecordSize);
      std::vector<std::uint32_t> existing;
      existing.reserve(found.size());
      for (const HostPointRecord& record : found) {
        AppendHostPointRecord(records, record);
        existing.push_back(record.point);
      }
      const std::uint32_t highest = db.HighestNumber();
      if (!WriteFrame(fd, LINK_POINTS, records) ||
          !WriteFrame(fd, LINK_NUMBER_LIST, EncodeNumbers(existing)) ||
          !WriteFrame(fd, LINK_HIGHEST_NUMBER, EncodeNumbers({highest})))
        return 0;
      Log("sent " + std::to_string(found.size()) + " of " + std::to_string(numbers.size()) +
          " points asked for" + Elapsed(start));
      return 1;
    }
    case LINK_STORE_POINTS: {
      const int stored = db.Store(DecodePointRecords(frame.payload), PauseBeforeCommit);
      if (stored < 0) {
        Log("storing points failed; nothing stored");
        return 0;
      }
      Log("stored " + std::to_string(stored) + " points" + Elapsed(start));
      return 1;
    }
    case LINK_STRING_LIST:
      if (!db.StoreStrings(frame.payload)) return 0;
      Log("stored a string list of " + std::to_string(frame.payload.size()) + " characters");
      return 1;
    case kFrameBroadcast:
      Log("received the broadcast \"" + frame.payload + "\"");
      return 1;
    default:
      Log("message " + std::to_string(frame.code) + " not handled");
      return 0;
  }
}

}  // namespace

void HandleConnection(int fd, PointDatabase& db, const ServeOptions& options) {
  commitDelayMs = options.commitDelayMs;
  const ServeOutcome outcome =
      AnswerConnection(fd, options.readTimeoutMs,
                       [&db](int peer, const LinkFrame& frame) { return Answer(peer, frame, db); });
  switch (outcome) {
    case ServeOutcome::kOtherUser:
      Log("refused a peer of another user");
      break;
    case ServeOutcome::kRefused:
      Log("refused a frame too long or of the wrong size for its code");
      break;
    case ServeOutcome::kTimeout:
      Log("dropped a peer that sent no whole frame in time");
      break;
    case ServeOutcome::kAnswered:
    case ServeOutcome::kClosed:  // a probe, or a peer that hung up mid-frame
      break;
  }
}

int Serve(PointDatabase& db, const std::string& title, const ServeOptions& options) {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  EndpointRegistration endpoint;
  std::string error;
  if (!endpoint.Register("gyre", title, error)) {
    Log(error);
    return 1;
  }
  std::printf("listening at %s as \"%s\"\n", endpoint.SocketPath().c_str(), title.c_str());
  std::fflush(stdout);
  while (stopRequested == 0) {
    pollfd poller{endpoint.ListenFd(), POLLIN, 0};
    if (poll(&poller, 1, 200) <= 0) continue;
    const int fd = accept4(endpoint.ListenFd(), nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    HandleConnection(fd, db, options);
    close(fd);
  }
  endpoint.Unregister();
  Log("stopped");
  return 0;
}

}  // namespace kestrel

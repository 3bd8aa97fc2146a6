#pragma once
// gyre-host's answers to the link messages, one connection at a time.
#include <string>

#include "gyre/point_database.h"

namespace kestrel {

struct ServeOptions {
  int readTimeoutMs = 5000;  // a peer silent longer than this is dropped
  int commitDelayMs = 0;     // tests: a pause inside the store transaction
};

// Answers one connection: reads one frame (a peer of another user is refused
// before anything is read), sends the replies and the result. Refused or cut
// frames leave the database untouched.
void HandleConnection(int fd, PointDatabase& db, const ServeOptions& options);

// Registers the endpoint with `title` and answers connections until SIGINT or
// SIGTERM; removes the endpoint before it returns. The exit status.
int Serve(PointDatabase& db, const std::string& title, const ServeOptions& options);

}  // namespace kestrel

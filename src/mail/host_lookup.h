// An IPv4 host-name lookup that runs while the caller keeps pumping its own events.
// The resolver works in the background (getaddrinfo_a); the caller polls Done() between
// slices of its wait loop, so time-outs and Cancel stay live during a slow lookup.
#pragma once

#include <netinet/in.h>

#include <memory>
#include <string>

namespace tw {

class HostLookup {
 public:
  // Starts the lookup. Failure to start is reported by Done() and Error().
  explicit HostLookup(const std::string& host);
  // Abandons a lookup that is still running (its resources are released once the
  // resolver has let go of them).
  ~HostLookup();
  HostLookup(const HostLookup&) = delete;
  HostLookup& operator=(const HostLookup&) = delete;

  bool Done();
  // The socket error code of a finished lookup (0 on success).
  int Error();
  // The first IPv4 address of a successful lookup.
  bool FirstAddress(in_addr* address);

  struct Request;  // the resolver's request block; outlives the object if it must

 private:
  Request* request_;
  int start_error_ = 0;
};

}  // namespace tw

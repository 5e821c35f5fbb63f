#include "mail/host_lookup.h"

#include <netdb.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "mail/mail_strings.h"

namespace tw {

struct HostLookup::Request {
  std::string host;
  addrinfo hints{};
  gaicb block{};
  gaicb* list[1] = {&block};
};

namespace {

// Requests the resolver could not cancel at once: freed when they have finished.
std::vector<HostLookup::Request*>& Abandoned() {
  static std::vector<HostLookup::Request*> list;
  return list;
}

void Release(HostLookup::Request* request) {
  if (request->block.ar_result) freeaddrinfo(request->block.ar_result);
  delete request;
}

void ReapAbandoned() {
  auto& list = Abandoned();
  for (auto it = list.begin(); it != list.end();) {
    if (gai_error(&(*it)->block) != EAI_INPROGRESS) {
      Release(*it);
      it = list.erase(it);
    } else {
      ++it;
    }
  }
}
}  // namespace

HostLookup::HostLookup(const std::string& host) : request_(new Request) {
  ReapAbandoned();
  request_->host = host;
  request_->hints.ai_family = AF_INET;
  request_->hints.ai_socktype = SOCK_STREAM;
  request_->block.ar_name = request_->host.c_str();
  request_->block.ar_request = &request_->hints;
  const int rc = getaddrinfo_a(GAI_NOWAIT, request_->list, 1, nullptr);
  if (rc != 0) {
    start_error_ = SocketErrorFromResolver(rc, errno);
    if (start_error_ == 0) start_error_ = kWsaHostNotFound;
  }
}

HostLookup::~HostLookup() {
  if (start_error_ != 0) {
    Release(request_);
    return;
  }
  if (gai_error(&request_->block) == EAI_INPROGRESS && gai_cancel(&request_->block) == EAI_NOTCANCELED) {
    Abandoned().push_back(request_);
    return;
  }
  Release(request_);
}

bool HostLookup::Done() { return start_error_ != 0 || gai_error(&request_->block) != EAI_INPROGRESS; }

int HostLookup::Error() {
  if (start_error_ != 0) return start_error_;
  const int rc = gai_error(&request_->block);
  if (rc == EAI_INPROGRESS) return 0;
  return SocketErrorFromResolver(rc, errno);
}

bool HostLookup::FirstAddress(in_addr* address) {
  if (!Done() || Error() != 0) return false;
  for (const addrinfo* ai = request_->block.ar_result; ai; ai = ai->ai_next) {
    if (ai->ai_family == AF_INET && ai->ai_addr) {
      std::memcpy(address, &reinterpret_cast<const sockaddr_in*>(ai->ai_addr)->sin_addr, sizeof(*address));
      return true;
    }
  }
  return false;
}

}  // namespace tw

#include "host/serve/http/LimitedStream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>

namespace orlo::host {

namespace {

constexpr auto kSlice = std::chrono::milliseconds(50);
constexpr size_t kBufferBytes = 4096;

void Describe(const sockaddr_storage& address, std::string& ip, int& port) {
  char text[INET6_ADDRSTRLEN] = "";
  if (address.ss_family == AF_INET) {
    const auto& in = reinterpret_cast<const sockaddr_in&>(address);
    inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
    port = ntohs(in.sin_port);
  } else if (address.ss_family == AF_INET6) {
    const auto& in6 = reinterpret_cast<const sockaddr_in6&>(address);
    inet_ntop(AF_INET6, &in6.sin6_addr, text, sizeof text);
    port = ntohs(in6.sin6_port);
  }
  ip = text;
}

}  // namespace

CLimitedStream::CLimitedStream(int socket, Clock::time_point deadline,
                               std::chrono::milliseconds ioTimeout, size_t readBudget,
                               const std::atomic<bool>& stopping)
    : socket_(socket),
      deadline_(deadline),
      ioTimeout_(ioTimeout),
      readBudget_(readBudget),
      stopping_(stopping),
      buffer_(kBufferBytes) {}

bool CLimitedStream::Await(short events) const {
  const Clock::time_point until = std::min(deadline_, Clock::now() + ioTimeout_);
  while (!stopping_) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{socket_, events, 0};
    const int found = poll(&ready, 1, static_cast<int>(std::min(left, kSlice).count()));
    if (found > 0) return true;
    if (found < 0 && errno != EINTR) return false;
  }
  return false;
}

bool CLimitedStream::is_readable() const { return begin_ < end_ || Await(POLLIN); }

bool CLimitedStream::is_writable() const { return Await(POLLOUT); }

ssize_t CLimitedStream::read(char* ptr, size_t size) {
  if (begin_ == end_) {
    if (readBudget_ == 0 || !Await(POLLIN)) return -1;
    const ssize_t got = recv(socket_, buffer_.data(), std::min(buffer_.size(), readBudget_), 0);
    if (got <= 0) return got;
    readBudget_ -= static_cast<size_t>(got);
    begin_ = 0;
    end_ = static_cast<size_t>(got);
  }
  const size_t taken = std::min(size, end_ - begin_);
  std::memcpy(ptr, buffer_.data() + begin_, taken);
  begin_ += taken;
  return static_cast<ssize_t>(taken);
}

ssize_t CLimitedStream::write(const char* ptr, size_t size) {
  if (!Await(POLLOUT)) return -1;
  return send(socket_, ptr, size, MSG_NOSIGNAL);
}

void CLimitedStream::get_remote_ip_and_port(std::string& ip, int& port) const {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getpeername(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    Describe(address, ip, port);
  }
}

void CLimitedStream::get_local_ip_and_port(std::string& ip, int& port) const {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    Describe(address, ip, port);
  }
}

}  // namespace orlo::host

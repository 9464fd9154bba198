// CLimitedStream: one connection of the server as the HTTP library reads and writes it,
// within limits the client cannot stretch.
//
// Every read and write waits at most until the connection's deadline (and at most
// `ioTimeout` for one step), in slices short enough to notice `stopping` at once; past
// the deadline, when stopping, or once `readBudget` bytes were read, a read or write fails
// and the library gives the connection up. Reads are buffered. The stream does not own
// the socket.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace orlo::host {

class CLimitedStream : public httplib::Stream {
 public:
  using Clock = std::chrono::steady_clock;

  CLimitedStream(int socket, Clock::time_point deadline, std::chrono::milliseconds ioTimeout,
                 size_t readBudget, const std::atomic<bool>& stopping);

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  int socket() const override { return socket_; }

 private:
  // Whether the socket became ready for `events` in time.
  bool Await(short events) const;

  int socket_;
  Clock::time_point deadline_;
  std::chrono::milliseconds ioTimeout_;
  size_t readBudget_;
  const std::atomic<bool>& stopping_;
  std::vector<char> buffer_;
  size_t begin_ = 0;  // the unread part of buffer_ is [begin_, end_)
  size_t end_ = 0;
};

}  // namespace orlo::host

#include "platform/common/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

namespace orlo {

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  bool Close() {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  errno = 0;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A new, exclusively created file beside `path`; its name is stored in `name`.
int CreateSibling(const std::string& path, std::string* name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  name->clear();  // not ours to remove
  return -1;
}

}  // namespace

bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string* bytes) {
  // Non-blocking, so that a FIFO in the file's place cannot stall the open.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat status {};
  if (!file.Valid() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::size_t>(status.st_size) > maxBytes) {
    return false;
  }
  std::string content(static_cast<size_t>(status.st_size), '\0');
  size_t filled = 0;
  while (filled < content.size()) {
    const ssize_t got = ::read(file.Get(), content.data() + filled, content.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;  // the file shrank meanwhile: take what is there
    filled += static_cast<size_t>(got);
  }
  content.resize(filled);
  *bytes = std::move(content);
  return true;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
  // Each step runs only when the ones before it succeeded; the first to fail keeps errno.
  int error = 0;
  const auto step = [&error](bool done) {
    if (!done && error == 0) error = errno != 0 ? errno : EIO;
    return error == 0;
  };
  std::string temporary;
  FileDescriptor file(CreateSibling(path, &temporary));
  struct stat old {};
  step(file.Valid()) && step(WriteAll(file.Get(), bytes)) &&
      (::stat(path.c_str(), &old) != 0 || step(::fchmod(file.Get(), old.st_mode & 07777) == 0)) &&
      step(::fsync(file.Get()) == 0);
  step(file.Close()) && step(::rename(temporary.c_str(), path.c_str()) == 0);
  if (error != 0) {
    if (!temporary.empty()) ::unlink(temporary.c_str());
    if (reason != nullptr) *reason = std::strerror(error);
    return false;
  }
  // The rename itself reaches the disk with the folder's entries.
  FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) ::fsync(folder.Get());
  return true;
}

}  // namespace orlo

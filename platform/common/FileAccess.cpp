#include "platform/common/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
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

// Whether the user may replace the regular file `path` of status `status`. The system lets
// root write any file, so for root the file's own mode decides: a file whose owner may
// not write it (chmod a-w) is kept, as careful tools keep a write-protected file.
bool MayWrite(const std::string& path, const struct stat& status) {
  if (::geteuid() == 0) return (status.st_mode & S_IWUSR) != 0;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The file a save of `path` replaces: `path` itself, or for a symbolic link (or a chain of
// them) the file it leads to; `replacing` tells whether that file exists, `status` is then
// its status. Answers why the save must not go ahead, or null when it may.
const char* FindTarget(const std::string& path, std::string* target, struct stat* status,
                       bool* replacing) {
  *target = path;
  *replacing = false;
  if (::lstat(path.c_str(), status) != 0) return errno == ENOENT ? nullptr : std::strerror(errno);
  if (S_ISLNK(status->st_mode)) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return "a symbolic link that leads to no file";
    *target = resolved;
    std::free(resolved);
    if (::stat(target->c_str(), status) != 0) return std::strerror(errno);
  }
  *replacing = true;
  if (!S_ISREG(status->st_mode)) return "not a regular file";
  return MayWrite(*target, *status) ? nullptr : "the file is write-protected";
}

}  // namespace

bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string* bytes,
                     std::string* reason) {
  // Non-blocking, so that a FIFO in the file's place cannot stall the open.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat status {};
  std::string why;
  if (!file.Valid() || ::fstat(file.Get(), &status) != 0) {
    why = std::strerror(errno);
  } else if (!S_ISREG(status.st_mode)) {
    why = "not a regular file";
  } else if (static_cast<std::size_t>(status.st_size) > maxBytes) {
    why = "larger than " + std::to_string(maxBytes) + " bytes";
  }
  std::string content(why.empty() ? static_cast<size_t>(status.st_size) : 0, '\0');
  size_t filled = 0;
  while (why.empty() && filled < content.size()) {
    const ssize_t got = ::read(file.Get(), content.data() + filled, content.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) why = std::strerror(errno);
    if (got <= 0) break;  // at 0 the file shrank meanwhile: take what is there
    filled += static_cast<size_t>(got);
  }
  if (!why.empty()) {
    if (reason != nullptr) *reason = why;
    return false;
  }
  content.resize(filled);
  *bytes = std::move(content);
  return true;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
  std::string target;
  struct stat old {};
  bool replacing = false;
  if (const char* refused = FindTarget(path, &target, &old, &replacing)) {
    if (reason != nullptr) *reason = refused;
    return false;
  }
  // Each step runs only when the ones before it succeeded; the first to fail keeps errno.
  int error = 0;
  const auto step = [&error](bool done) {
    if (!done && error == 0) error = errno != 0 ? errno : EIO;
    return error == 0;
  };
  std::string temporary;
  FileDescriptor file(CreateSibling(target, &temporary));
  // A replaced file keeps its mode, and as root its owner too (set first: a change of
  // owner may clear mode bits).
  step(file.Valid()) && step(WriteAll(file.Get(), bytes)) &&
      (!replacing || ::geteuid() != 0 || step(::fchown(file.Get(), old.st_uid, old.st_gid) == 0)) &&
      (!replacing || step(::fchmod(file.Get(), old.st_mode & 07777) == 0)) &&
      step(::fsync(file.Get()) == 0);
  step(file.Close()) && step(::rename(temporary.c_str(), target.c_str()) == 0);
  if (error != 0) {
    if (!temporary.empty()) ::unlink(temporary.c_str());
    if (reason != nullptr) *reason = std::strerror(error);
    return false;
  }
  // The rename itself reaches the disk with the folder's entries.
  FileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) ::fsync(folder.Get());
  return true;
}

}  // namespace orlo

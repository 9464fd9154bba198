#include "platform/common/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/common/Utf8.h"

namespace {

// The lock this process holds: one lock file at a time, nested `depth` times. The mutex is
// held by the thread that holds the lock, once per level.
struct ProcessLock {
  std::recursive_mutex mutex;
  int depth = 0;
  int fd = -1;
  std::string path;
};

ProcessLock& Lock() {
  static auto& lock = *new ProcessLock;  // lives until the process ends
  return lock;
}

bool SameFile(int fd, const std::string& path) {
  struct stat opened {}, named {};
  return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opens and locks `path`, waiting for another holder; -1 when it cannot be made.
int Acquire(const std::string& path) {
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    int locked;
    do {
      locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    // The holder before us may have removed the file we waited on: then lock the new one.
    if (locked == 0 && SameFile(fd, path)) return fd;
    ::close(fd);
    if (locked != 0) return -1;
  }
}

}  // namespace

CFileLock::CFileLock(const std::wstring& file) {
  ProcessLock& lock = Lock();
  lock.mutex.lock();
  if (lock.depth == 0) {
    lock.path = orlo::WideToUtf8(file) + ".lock";
    lock.fd = Acquire(lock.path);
  }
  ++lock.depth;
  held_ = lock.fd >= 0;
}

CFileLock::~CFileLock() {
  ProcessLock& lock = Lock();
  if (--lock.depth == 0 && lock.fd >= 0) {
    ::unlink(lock.path.c_str());  // still ours: nobody else holds it
    ::close(lock.fd);
    lock.fd = -1;
  }
  lock.mutex.unlock();
}

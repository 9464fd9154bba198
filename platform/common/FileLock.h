// CFileLock: an advisory lock on a file that several processes read, change and write
// back (the settings file), held from construction to destruction.
//
// The lock is flock(LOCK_EX) on the lock file "<file>.lock" beside the file; every writer
// that takes it waits for the one holding it, so no read-change-write round loses another
// one's change. The lock file exists only while the lock is held: the last holder removes
// it, and a process that got the lock on a removed lock file tries again on the new one.
// Within a process the locks nest (a dialog holds it while the saves it makes take it
// again; a lock taken inside another is the outer one's) and exclude other threads. When the lock file cannot be made (a folder
// the user may not write) the object holds nothing; what it guards then fails on its own.
#pragma once

#include <string>

class CFileLock {
 public:
  explicit CFileLock(const std::wstring& file);
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;
  ~CFileLock();

  bool Held() const { return held_; }

 private:
  bool held_ = false;
};

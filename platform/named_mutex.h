// A named mutex between processes of the current user: the setup and the
// removal program hold one for their whole run, so that only one of them
// runs at a time.
//
// On Linux the mutex is an exclusive flock on a file named after it in the
// user's runtime folder (platform/posix/runtime_dir.h); the system releases
// it when the process ends, however it ends.
#pragma once

#include <string>

namespace qm::platform {

class NamedMutex {
 public:
  // Takes the mutex unless another holder has it. When no lock file can be
  // made at all (no runtime folder), nothing is held and nobody is reported
  // as holding it: the caller runs unguarded, as it would when the system
  // cannot create the mutex.
  explicit NamedMutex(const std::string& name);
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // True when another holder had the mutex; this object then holds nothing.
  bool HeldElsewhere() const { return heldElsewhere_; }
  // True while this object holds the mutex.
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;                // the locked file, -1 when nothing is held
  bool heldElsewhere_ = false;  // another holder had it when we asked
};

}  // namespace qm::platform

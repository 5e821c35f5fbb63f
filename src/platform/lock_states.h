// The keyboard's lock states as the system shows them on its indicators.
#pragma once

namespace tw {

struct LockStates {
  bool caps_lock = false;
  bool num_lock = false;
  bool scroll_lock = false;
  friend bool operator==(const LockStates&, const LockStates&) = default;
};

// One of the three locks, to ask or set one of them.
enum class LockKey { kCapsLock, kNumLock, kScrollLock };

class LockStateSource {
 public:
  virtual ~LockStateSource() = default;
  virtual LockStates ReadLockStates() = 0;
};

}  // namespace tw

// Lock states that a test sets by hand.
#pragma once

#include "platform/lock_states.h"

namespace tw::test {

class FakeLockStates : public LockStateSource {
 public:
  LockStates ReadLockStates() override {
    ++reads;
    return states;
  }
  LockStates states;
  int reads = 0;
};

}  // namespace tw::test

#pragma once

namespace wrenly {

// Shows the program-wide hourglass pointer for its lifetime, over every window, and puts the
// previous pointer back however the scope is left, by return or by exception.
class ScopedHourglass {
 public:
  ScopedHourglass();
  ~ScopedHourglass();
  ScopedHourglass(const ScopedHourglass&) = delete;
  ScopedHourglass& operator=(const ScopedHourglass&) = delete;
};

}  // namespace wrenly

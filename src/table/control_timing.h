#pragma once

#include <cstdint>
#include <functional>
#include <memory>

// Where the bound controls take their time from: the lookup's search clock, its drag-scroll
// tick and the navigator's repeat timer. The program uses the system's clock and timers; tests
// hand a control a time source they step by hand, so no test waits in real time.
namespace wrenly {

// A repeating timer. OnTimer runs every interval, on the thread that owns the timer, from Start
// until Stop; it may itself stop the timer or start it again with another interval.
class TTimer {
 public:
  TTimer() = default;
  virtual ~TTimer() = default;
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  // (Re)starts the timer: OnTimer runs IntervalMs milliseconds from now, and then every
  // IntervalMs. An interval of 0 runs it as often as the program gets round to it.
  virtual void Start(int IntervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool Running() const = 0;

  std::function<void()> OnTimer;
};

class TTimeSource {
 public:
  TTimeSource() = default;
  virtual ~TTimeSource() = default;
  TTimeSource(const TTimeSource&) = delete;
  TTimeSource& operator=(const TTimeSource&) = delete;

  // Milliseconds from an arbitrary start; never goes back.
  virtual std::int64_t NowMs() const = 0;
  // A new timer, stopped.
  virtual std::unique_ptr<TTimer> CreateTimer() = 0;
};

}  // namespace wrenly

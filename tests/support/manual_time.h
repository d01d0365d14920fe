#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "table/control_timing.h"

namespace wrenly::testing {

// A time source that stands still until the test moves it: Advance() moves the clock and runs,
// in order of time, every tick of a running timer that falls due on the way. A zero interval
// fires every millisecond. Timers may outlive it.
class TManualTime final : public TTimeSource {
 public:
  TManualTime() : state_(std::make_shared<TState>()) {}

  std::int64_t NowMs() const override { return state_->Now; }

  std::unique_ptr<TTimer> CreateTimer() override { return std::make_unique<TManualTimer>(state_); }

  void Advance(std::int64_t Ms) {
    const std::int64_t until = state_->Now + Ms;
    for (;;) {
      TManualTimer* next = nullptr;
      for (TManualTimer* timer : state_->Timers) {
        if (timer->running_ && timer->due_ <= until &&
            (next == nullptr || timer->due_ < next->due_)) {
          next = timer;
        }
      }
      if (next == nullptr) {
        break;
      }
      state_->Now = next->due_;
      next->due_ += std::max(next->interval_, 1);
      if (next->OnTimer) {
        next->OnTimer();
      }
    }
    state_->Now = until;
  }

 private:
  class TManualTimer;
  struct TState {
    std::int64_t Now = 0;
    std::vector<TManualTimer*> Timers;
  };

  class TManualTimer final : public TTimer {
   public:
    explicit TManualTimer(std::shared_ptr<TState> State) : state_(std::move(State)) {
      state_->Timers.push_back(this);
    }
    ~TManualTimer() override { std::erase(state_->Timers, this); }

    void Start(int IntervalMs) override {
      interval_ = IntervalMs;
      due_ = state_->Now + std::max(IntervalMs, 1);
      running_ = true;
    }
    void Stop() override { running_ = false; }
    bool Running() const override { return running_; }

   private:
    friend class TManualTime;
    std::shared_ptr<TState> state_;
    int interval_ = 0;
    std::int64_t due_ = 0;
    bool running_ = false;
  };

  std::shared_ptr<TState> state_;
};

}  // namespace wrenly::testing

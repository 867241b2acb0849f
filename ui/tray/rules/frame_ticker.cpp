#include "ui/tray/rules/frame_ticker.h"

namespace ormind {

int NextFrame(int frame, int count) {
  if (count <= 0) return 0;
  const int next = frame + 1;
  return next >= count || next < 0 ? 0 : next;
}

int ClampFrame(int frame, int count) {
  if (count <= 0 || frame < 0) return 0;
  return frame >= count ? count - 1 : frame;
}

bool SystemTickSleeper::Sleep(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, duration, [this] { return cancelled_; });
  return !cancelled_;
}

void SystemTickSleeper::Cancel() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
  }
  wake_.notify_all();
}

FrameTicker::FrameTicker(std::unique_ptr<TickSleeper> sleeper, IntervalSource interval,
                         std::function<void()> tick, bool startPaused)
    : sleeper_(std::move(sleeper)),
      interval_(std::move(interval)),
      tick_(std::move(tick)),
      paused_(startPaused),
      worker_([this] { Run(); }) {}

FrameTicker::~FrameTicker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  resumed_.notify_all();
  sleeper_->Cancel();
  worker_.join();
}

void FrameTicker::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void FrameTicker::Resume() {
  {
    std::lock_guard lock(mutex_);
    paused_ = false;
  }
  resumed_.notify_all();
}

bool FrameTicker::Paused() const {
  std::lock_guard lock(mutex_);
  return paused_;
}

void FrameTicker::Run() {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      resumed_.wait(lock, [this] { return !paused_ || stopping_; });
      if (stopping_) return;
    }
    if (!sleeper_->Sleep(interval_())) return;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      if (paused_) continue;
    }
    tick_();
  }
}

}  // namespace ormind

#include "ui/tray/rules/frame_ticker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace ormind {
namespace {

using namespace std::chrono_literals;

// A clock the test moves by hand. The worker's waits end only when the test has advanced the
// time past their end (or cancelled them).
class FakeClock final : public TickSleeper {
 public:
  bool Sleep(std::chrono::milliseconds duration) override {
    std::unique_lock lock(mutex_);
    requested_.push_back(duration);
    ++sleepsStarted_;
    const auto until = now_ + duration;
    changed_.notify_all();
    changed_.wait(lock, [&] { return cancelled_ || now_ >= until; });
    return !cancelled_;
  }
  void Cancel() override {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
  }
  // Waits until the worker sleeps (a started worker always sleeps first, unless paused).
  bool WaitForSleeps(int count, std::chrono::milliseconds patience = 5s) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, patience, [&] { return sleepsStarted_ >= count; });
  }
  // Moves the time on; returns whether the worker started another sleep afterwards (which it
  // does only after its step, if it took one).
  bool Advance(std::chrono::milliseconds by, std::chrono::milliseconds patience = 5s) {
    std::unique_lock lock(mutex_);
    const int before = sleepsStarted_;
    now_ += by;
    changed_.notify_all();
    return changed_.wait_for(lock, patience, [&] { return sleepsStarted_ > before; });
  }
  std::vector<std::chrono::milliseconds> Requested() {
    std::lock_guard lock(mutex_);
    return requested_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::milliseconds now_{0};
  int sleepsStarted_ = 0;
  bool cancelled_ = false;
  std::vector<std::chrono::milliseconds> requested_;
};

TEST(FrameArithmetic, NextAndClamp) {
  struct Case { int frame, count, next, clamped; };
  const Case cases[] = {
      {-1, 3, 0, 0}, {0, 3, 1, 0}, {1, 3, 2, 1}, {2, 3, 0, 2}, {5, 3, 0, 2},
      {0, 1, 0, 0}, {-1, 0, 0, 0}, {4, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextFrame(c.frame, c.count), c.next) << c.frame << " of " << c.count;
    EXPECT_EQ(ClampFrame(c.frame, c.count), c.clamped) << c.frame << " of " << c.count;
  }
}

struct Animation {
  FakeClock* clock = new FakeClock;
  std::atomic<int> frame{0};
  std::atomic<int> steps{0};
  std::atomic<int> interval{150};
  int frames = 3;
  FrameTicker ticker;
  explicit Animation(bool startPaused)
      : ticker(std::unique_ptr<TickSleeper>(clock),
               [this] { return std::chrono::milliseconds(interval.load()); },
               [this] { frame = NextFrame(frame, frames); ++steps; }, startPaused) {}
};

TEST(FrameTicker, StepsOncePerIntervalAndWraps) {
  Animation a(false);
  ASSERT_TRUE(a.clock->WaitForSleeps(1));
  EXPECT_FALSE(a.clock->Advance(149ms, 200ms)) << "no step before the interval is over";
  EXPECT_EQ(a.steps, 0);
  ASSERT_TRUE(a.clock->Advance(1ms));
  EXPECT_EQ(a.steps, 1);
  EXPECT_EQ(a.frame, 1);
  ASSERT_TRUE(a.clock->Advance(150ms));
  ASSERT_TRUE(a.clock->Advance(150ms));
  EXPECT_EQ(a.steps, 3);
  EXPECT_EQ(a.frame, 0) << "back to the first frame after the last";
}

TEST(FrameTicker, ReadsIntervalBeforeEachWait) {
  Animation a(false);
  ASSERT_TRUE(a.clock->WaitForSleeps(1));
  a.interval = 500;
  ASSERT_TRUE(a.clock->Advance(150ms));
  ASSERT_TRUE(a.clock->Advance(500ms));
  const auto requested = a.clock->Requested();
  ASSERT_GE(requested.size(), 3u);
  EXPECT_EQ(requested[0], 150ms);
  EXPECT_EQ(requested[1], 500ms);
  EXPECT_EQ(requested[2], 500ms);
}

TEST(FrameTicker, PausedWorkerTakesNoStep) {
  Animation a(true);
  EXPECT_FALSE(a.clock->WaitForSleeps(1, 200ms)) << "a paused worker does not even wait";
  EXPECT_EQ(a.steps, 0) << "started paused: no step";
  a.ticker.Resume();
  ASSERT_TRUE(a.clock->WaitForSleeps(1));
  ASSERT_TRUE(a.clock->Advance(1000ms));
  EXPECT_EQ(a.steps, 1);
  a.ticker.Pause();
  EXPECT_FALSE(a.clock->Advance(1000ms, 200ms)) << "paused during the wait: no step after it";
  EXPECT_EQ(a.steps, 1);
  EXPECT_TRUE(a.ticker.Paused());
}

TEST(FrameTicker, StopsPromptlyDuringAWait) {
  const auto start = std::chrono::steady_clock::now();
  {
    FrameTicker ticker(std::make_unique<SystemTickSleeper>(), [] { return 60000ms; }, [] {}, false);
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "destruction cuts the wait short";
}

TEST(FrameTicker, SystemSleeperStepsWithRealTime) {
  std::atomic<int> steps{0};
  {
    FrameTicker ticker(std::make_unique<SystemTickSleeper>(), [] { return 5ms; }, [&] { ++steps; }, false);
    for (int i = 0; i < 500 && steps < 3; ++i) std::this_thread::sleep_for(5ms);
  }
  EXPECT_GE(steps, 3);
}

}  // namespace
}  // namespace ormind

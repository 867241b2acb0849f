#pragma once
// The animation worker of the tray icon: a thread that, while running, waits one interval and
// then asks for the next frame, over and over. It never touches the icon itself: its tick only
// passes the request on (the tray icon posts it to its window), so all icon state stays on the
// user-interface thread.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace ormind {

// The frame after `frame` among `count` frames: back to 0 past the last one, and 0 when there
// are no frames.
int NextFrame(int frame, int count);
// `frame` clamped to 0 ... count - 1 (0 when there are no frames).
int ClampFrame(int frame, int count);

// How the worker waits; tests replace it with a clock they advance by hand.
class TickSleeper {
 public:
  virtual ~TickSleeper() = default;
  // Waits `duration`; returns false, at once, when Cancel has been called.
  virtual bool Sleep(std::chrono::milliseconds duration) = 0;
  virtual void Cancel() = 0;
};

class SystemTickSleeper final : public TickSleeper {
 public:
  bool Sleep(std::chrono::milliseconds duration) override;
  void Cancel() override;

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool cancelled_ = false;
};

class FrameTicker {
 public:
  using IntervalSource = std::function<std::chrono::milliseconds()>;
  // Starts the worker; `interval` is read before each wait, `tick` runs on the worker thread.
  FrameTicker(std::unique_ptr<TickSleeper> sleeper, IntervalSource interval,
              std::function<void()> tick, bool startPaused);
  // Stops the worker and waits for it; a wait in progress is cut short.
  ~FrameTicker();
  FrameTicker(const FrameTicker&) = delete;
  FrameTicker& operator=(const FrameTicker&) = delete;

  // A paused worker takes no step; after Resume it waits a whole interval before the next one.
  void Pause();
  void Resume();
  bool Paused() const;

 private:
  void Run();

  std::unique_ptr<TickSleeper> sleeper_;
  IntervalSource interval_;
  std::function<void()> tick_;
  mutable std::mutex mutex_;
  std::condition_variable resumed_;
  bool paused_;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace ormind

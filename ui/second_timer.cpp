#include "ui/second_timer.h"

#include <cstdint>

#include "win/system_error.h"

namespace velmora {

namespace {

// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION (Windows 10 1803 on), not in every SDK's headers. A
// plain waitable timer may fire up to a system tick (15.6 ms) late.
constexpr DWORD kHighResolutionTimer = 0x00000002;

win::UniqueKernelHandle CreateBoundaryTimer() {
  win::UniqueKernelHandle timer(
      ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
  if (!timer) timer.reset(::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
  return timer;
}

// The wall clock to the 100 ns, and an absolute wait on it that also ends on the stop event.
class WaitableTimerWaiter final : public BoundaryWaiter {
 public:
  WaitableTimerWaiter(HANDLE timer, HANDLE stop, HWND window, UINT message)
      : timer_(timer), stop_(stop), window_(window), message_(message) {}

  std::int64_t WallNow() override {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                     now.dwLowDateTime);
  }

  // A positive due time is absolute: the system moves it with the clock when the clock is
  // set, and a due time passed during sleep fires on resume.
  Woken WaitUntil(std::int64_t due, std::int64_t timeoutMs) override {
    LARGE_INTEGER when;
    when.QuadPart = due;
    const bool armed = ::SetWaitableTimer(timer_, &when, 0, nullptr, nullptr, FALSE);
    const HANDLE handles[] = {stop_, timer_};
    switch (
        ::WaitForMultipleObjects(armed ? 2 : 1, handles, FALSE, static_cast<DWORD>(timeoutMs))) {
      case WAIT_OBJECT_0:
        return Woken::Stopped;
      case WAIT_OBJECT_0 + 1:
        return Woken::Due;
      case WAIT_TIMEOUT:
        return Woken::TimedOut;
      default:
        return Woken::Stopped;  // the handles are gone: nothing more can be waited for
    }
  }

  void Tick() override { ::PostMessageW(window_, message_, 0, 0); }

 private:
  HANDLE timer_;
  HANDLE stop_;
  HWND window_;
  UINT message_;
};

}  // namespace

// One thread per timer that is on, so that either schedule is switched on and off without
// touching the other, and no thread runs while both are off.
void SecondTimer::Enable(HWND window) {
  Disable();
  win::UniqueKernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stop) win::RaiseLastOSError();
  win::UniqueKernelHandle timer = CreateBoundaryTimer();
  if (!timer) win::RaiseLastOSError();
  window_ = window;
  ticker_.Reset();
  thread_ = std::thread(
      [waiter = WaitableTimerWaiter(timer.get(), stop.get(), window, message_)]() mutable {
        // It only wakes to post: ahead of busy threads, the tick is posted on time.
        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        RunBoundaryTicks(waiter);
      });
  stop_ = std::move(stop);
  timer_ = std::move(timer);
}

void SecondTimer::Disable() {
  if (!thread_.joinable()) return;
  ::SetEvent(stop_.get());
  thread_.join();
  stop_.reset();
  timer_.reset();
  // A tick posted just before the stop would still arrive: it is taken out of the queue.
  MSG stale;
  while (::PeekMessageW(&stale, window_, message_, message_, PM_REMOVE | PM_NOYIELD)) {
  }
}

bool SecondTimer::Claim(const LocalTime& now) {
  return Enabled() && ticker_.Claim(now);
}

bool SecondTimer::HighResolution() {
  const win::UniqueKernelHandle timer(
      ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
  return static_cast<bool>(timer);
}

}  // namespace velmora

// Tick precision of the program schedule, measured inside the program: the real main window
// runs its real event loop, and every text its program tick writes into the clock panel is
// timed as it arrives at the status bar. Over the run it reports how many calendar seconds
// got no tick and how many got more than one, and how late each tick came after the boundary
// of its second.
//
//   tick_precision [seconds]   (default 300)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/moment.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"
#include "win/regional_settings.h"
#include "win/text.h"

namespace {

struct Tick {
  velmora::LocalTime at;  // the wall clock as the clock panel received the text
  std::string text;
};
std::vector<Tick> ticks;

LRESULT CALLBACK TimeClockPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (message == SB_SETTEXTW && LOBYTE(LOWORD(wParam)) == velmora::kClockPanel) {
    ticks.push_back({velmora::win::SystemClock().Now(),
                     velmora::win::Narrow(reinterpret_cast<const wchar_t*>(lParam))});
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

std::int64_t SecondOf(const velmora::LocalTime& t) {
  const auto day = static_cast<std::int64_t>(velmora::EncodeMoment({t.year, t.month, t.day}));
  return day * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

double Percentile(std::vector<int> values, double p) {
  std::sort(values.begin(), values.end());
  const auto i = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(i, values.size() - 1)];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? _wtoi(argv[1]) : 300;
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  // The window exactly as the program makes it; its rows keep their start-up values, so each
  // tick composes and compares all five moments as it would for a user.
  const velmora::win::SystemClock clock;
  velmora::TForm1 form(::GetModuleHandleW(nullptr), velmora::win::ReadRegionalPatterns(), clock);
  form.Create();
  form.ShowCentred(SW_SHOWNORMAL);
  ::SetWindowSubclass(form.WindowOf("StatusBar1"), TimeClockPanel, 1, 0);

  // Start, as the toolbar sends it, then the program's own event loop until the run is over.
  const velmora::LocalTime started = clock.Now();
  ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(velmora::kIdToolButton1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.WindowOf("Toolbar1")));
  const HWND window = form.Handle();
  std::thread stopper([window, seconds] {
    ::Sleep(static_cast<DWORD>(seconds) * 1000 + 500);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  });
  velmora::RunEventLoop();
  stopper.join();

  if (ticks.empty()) {
    std::printf("no tick arrived\n");
    return 1;
  }
  // Every calendar second from the first tick's to the last tick's, with its ticks.
  std::map<std::int64_t, int> perSecond;
  const std::int64_t first = SecondOf(ticks.front().at), last = SecondOf(ticks.back().at);
  for (std::int64_t s = first; s <= last; ++s) perSecond[s] = 0;
  std::vector<int> delays;
  int wrongStamps = 0;
  for (const Tick& t : ticks) {
    ++perSecond[SecondOf(t.at)];
    delays.push_back(t.at.millisecond);
    if (t.text != velmora::StampText(velmora::EncodeMoment(t.at), form.Patterns())) ++wrongStamps;
  }
  int missed = 0, doubled = 0;
  for (const auto& [second, n] : perSecond) {
    if (n == 0) ++missed;
    if (n > 1) ++doubled;
  }
  const bool firstOnNextBoundary = first == SecondOf(started) + 1;
  std::printf("seconds covered   %lld (%d ticks)\n", static_cast<long long>(last - first + 1),
              static_cast<int>(ticks.size()));
  std::printf("seconds no tick   %d\n", missed);
  std::printf("seconds two ticks %d\n", doubled);
  std::printf("stamp not of its second %d\n", wrongStamps);
  std::printf("first tick        %s the boundary after Start\n",
              firstOnNextBoundary ? "at" : "NOT at");
  std::printf("delay after boundary (ms): median %.0f, p99 %.0f, max %d\n", Percentile(delays, 0.5),
              Percentile(delays, 0.99), *std::max_element(delays.begin(), delays.end()));
  return missed == 0 && doubled == 0 && wrongStamps == 0 && firstOnNextBoundary ? 0 : 1;
}

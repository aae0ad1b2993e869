// Log growth: appends 200,000 lines to the real Memo1 of a main window in this process and
// reports the time of each block of 10,000. Appending must not slow down as the list grows.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/control_names.h"
#include "ui/main_window.h"
#include "tests/win32/support/pump.h"
#include "win/regional_settings.h"
#include "win/system_clock.h"
#include "win/ui_thread.h"

namespace {

int kLines = 200000;
int kBlock = 10000;
// Stops after the block that passes this budget, so a slow run still reports its trend.
double kBudgetSeconds = 900;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Optional: lines, block size and time budget in seconds.
  if (argc > 2) {
    kLines = _wtoi(argv[1]);
    kBlock = _wtoi(argv[2]);
  }
  if (argc > 3) kBudgetSeconds = _wtof(argv[3]);
  const velmora::win::UiThreadSetup uiThread;
  const velmora::win::SystemClock clock;
  velmora::TForm1 form(::GetModuleHandleW(nullptr), velmora::win::ReadRegionalPatterns(), clock);
  form.Create();
  if (!_wgetenv(L"LOG_HIDDEN")) form.ShowCentred(SW_SHOWNORMAL);
  velmora::test::PumpPending();

  std::vector<double> blocks;
  double spent = 0;
  int done = 0;
  for (; done < kLines && spent < kBudgetSeconds * 1000; done += kBlock) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) {
      form.AppendLog("打开程序-C:\\Program Files\\工具 箱\\app" + std::to_string(done + i) +
                     ".exe-执行时间-2026/12/10 14:30:00");
    }
    velmora::test::PumpPending();
    blocks.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    spent += blocks.back();
    std::fprintf(stderr, "%d lines: %.0f ms\n", done + kBlock, blocks.back());
  }
  const HWND memo = form.WindowOf(velmora::control::kMessageList);
  const auto lines = ::SendMessageW(memo, EM_GETLINECOUNT, 0, 0);

  std::string perBlock;
  for (double b : blocks)
    perBlock += (perBlock.empty() ? "" : " ") + std::to_string(static_cast<int>(b));
  const double first = blocks.front(), last = blocks.back();
  // Flat: the last block costs at most twice the first (noise included), and no line was lost.
  const bool flat = last <= 2.0 * first + 50;
  std::printf(
      "| Log growth | %d of %d lines in %.0f s; ms per %d lines: %s; %.0f us per line "
      "at the end; %lld lines in Memo1 | flat (last block <= 2x first), none lost | %s |\n",
      done, kLines, spent / 1000, kBlock, perBlock.c_str(), last * 1000.0 / kBlock,
      static_cast<long long>(lines), flat && done >= kLines && lines >= kLines ? "met" : "NOT MET");
  return 0;
}

// Soak, tick precision and idle cost of the real Velmora.exe, driven from this process.
//
//   schedule_bench soak <Velmora.exe> <minutes> <precision-minutes>
//   schedule_bench idle <Velmora.exe> <minutes>
//
// soak: a row is due every minute (alternately opening and closing a probe program) and the
// click schedule clicks a target window of this process once a minute. The clock panel is
// polled every few milliseconds to see each program tick. Prints rows of the results table.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/control_names.h"
#include "actions/process_killer.h"
#include "tests/win32/support/pump.h"
#include "tests/win32/support/remote_form.h"
#include "tests/win32/support/test_windows.h"
#include "win/text.h"

namespace velmora::bench {
namespace {

using test::ClickTarget;
using test::MillisecondsOf;
using test::Now;
using test::Plus;
using test::RemoteForm;
using test::ResourceFigures;

void Pump(DWORD ms) {
  test::PumpFor(test::milliseconds(ms));
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t i = std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5));
  return v[i];
}

std::wstring TempDir() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  return temp;
}

std::wstring Dir(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

int CountRunning(const std::wstring& exeName) {
  int n = 0;
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W e{};
  e.dwSize = sizeof(e);
  for (BOOL more = ::Process32FirstW(snap, &e); more; more = ::Process32NextW(snap, &e)) {
    if (::lstrcmpiW(e.szExeFile, exeName.c_str()) == 0) ++n;
  }
  ::CloseHandle(snap);
  return n;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstringstream in(text);
  std::wstring line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

void Row(const char* what, const std::string& measured, const char* goal, bool met) {
  std::printf("| %s | %s | %s | %s |\n", what, measured.c_str(), goal, met ? "met" : "NOT MET");
  std::fflush(stdout);
}

std::string Format(const char* fmt, ...) {
  char buffer[512];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(buffer, sizeof(buffer), fmt, args);
  va_end(args);
  return buffer;
}

// Polls the clock panel; each change is one program tick seen from outside.
struct TickWatch {
  std::wstring last;
  std::int64_t lastSecond = -1;
  std::vector<double> delays;
  int missing = 0;
  int seen = 0;

  void Poll(const RemoteForm& form) {
    const std::wstring text = form.StatusText(kClockPanel);
    if (text == last) return;
    const SYSTEMTIME now = Now();
    const std::int64_t ms = MillisecondsOf(now);
    const std::int64_t second = ms / 1000;
    if (!last.empty()) {
      if (lastSecond >= 0 && second - lastSecond > 1)
        missing += static_cast<int>(second - lastSecond - 1);
      delays.push_back(static_cast<double>(ms % 1000));
      ++seen;
    }
    last = text;
    lastSecond = second;
  }
};

int Soak(const std::wstring& exe, int minutes, int precisionMinutes) {
  const std::wstring probe = Dir(exe) + L"\\tests\\win32\\support\\velmora_probe.exe";
  const std::wstring targetExe = TempDir() + L"soak_target.exe";
  ::DeleteFileW((targetExe + L".ran").c_str());
  if (!::CopyFileW(probe.c_str(), targetExe.c_str(), FALSE)) {
    Row("Soak", "cannot copy the probe program", "", false);
    return 1;
  }
  double startupMs = 0;
  auto form = RemoteForm::Launch(exe, 60000, &startupMs);
  if (!form) {
    Row("Soak", "Velmora.exe did not show its window", "", false);
    return 1;
  }
  const ClickTarget target({900, 600, 1020, 720});
  Pump(500);

  // The click schedule: every minute, at the target's centre; its start moment has passed.
  form->SetText(control::kClickInterval, L"1");
  form->SetText(control::kClickX, L"960");
  form->SetText(control::kClickY, L"660");
  // The program schedule: row r runs in minute k (k = 1, 2, ...), alternately open and close.
  const std::int64_t t0 = (MillisecondsOf(Now()) / 1000 + 20) * 1000;  // on a whole second
  auto dueAt = [&](int k) {
    SYSTEMTIME t = Plus(Now(), t0 + k * 60000 - MillisecondsOf(Now()));
    t.wMilliseconds = 0;
    return t;
  };
  auto setRow = [&](int k) {
    const int row = (k - 1) % 5 + 1;
    const std::string r = std::to_string(row);
    form->SetRowMoment(row, dueAt(k));
    const bool open = k % 2 == 1;
    form->SetChecked(control::kRowOpen + r, open);
    form->SetChecked(control::kRowClose + r, !open);
    form->SetText(control::kRowPath + r, targetExe);
  };
  for (int k = 1; k <= 5; ++k) setRow(k);
  form->Command(control::kStartButton);
  form->Click(control::kClickSwitch);

  TickWatch ticks;
  ResourceFigures afterFirstMinute{};
  const std::int64_t start = MillisecondsOf(Now());
  const std::int64_t end = t0 + static_cast<std::int64_t>(minutes) * 60000 + 30000;
  int nextToSet = 6;
  bool haveBaseline = false;
  while (MillisecondsOf(Now()) < end) {
    Pump(2);
    const std::int64_t now = MillisecondsOf(Now());
    if (now - start < static_cast<std::int64_t>(precisionMinutes) * 60000) ticks.Poll(*form);
    // Once a row's minute has passed by 10 s, give that row the minute five ahead.
    if (nextToSet <= minutes && now > t0 + (nextToSet - 5) * 60000 + 10000) setRow(nextToSet++);
    if (!haveBaseline && now - start > 60000) {
      afterFirstMinute = form->Figures();
      haveBaseline = true;
    }
  }
  const ResourceFigures atEnd = form->Figures();
  const std::vector<std::wstring> log = Lines(form->Text(control::kMessageList));
  form->Command(control::kStopButton);
  form->Close();

  // What happened against what was due.
  int opened = 0, closed = 0, clickLines = 0;
  std::set<std::wstring> stamps;
  for (const std::wstring& line : log) {
    if (line.rfind(L"打开程序-", 0) == 0) ++opened;
    if (line.rfind(L"关闭程序-", 0) == 0) ++closed;
    if (line.rfind(L"鼠标单击坐标-", 0) == 0) ++clickLines;
  }
  int ran = 0;
  {
    std::ifstream marks(win::Narrow(targetExe + L".ran"));
    std::string pid;
    while (marks >> pid) ++ran;
  }
  const int dueOpens = (minutes + 1) / 2, dueCloses = minutes / 2;
  const int leftRunning = CountRunning(L"soak_target.exe");
  velmora::KillProcessByName("soak_target.exe");
  // Clicks: one per minute after switching on, three down/up pairs each.
  const int expectedClicks = static_cast<int>((end - start) / 60000);

  Row("Tick precision",
      Format("%d min, %d ticks seen; seconds without a tick: %d; delay after the boundary "
             "median %.0f ms, p99 %.0f ms, max %.0f ms (polled every 2 ms from outside)",
             precisionMinutes, ticks.seen, ticks.missing, Percentile(ticks.delays, 0.5),
             Percentile(ticks.delays, 0.99), Percentile(ticks.delays, 1.0)),
      "no second without a tick or with two", ticks.missing == 0 && ticks.seen > 0);
  Row("Soak: due rows",
      Format("%d min: opened %d of %d, closed %d of %d, probe started %d times, %d left running",
             minutes, opened, dueOpens, closed, dueCloses, ran, leftRunning),
      "every due row ran exactly once",
      opened == dueOpens && closed == dueCloses && ran == dueOpens && leftRunning == 0);
  Row("Soak: clicks",
      Format("%d button presses received (%d clicks of 3), %d click lines, %d expected",
             target.Presses(), target.Presses() / 3, clickLines, expectedClicks),
      "every click landed exactly once",
      target.Presses() == 3 * clickLines &&
          (clickLines == expectedClicks || clickLines == expectedClicks - 1));
  Row("Soak: log",
      Format("%zu lines in Memo1, %d expected", log.size(), opened + closed + clickLines),
      "no line missing", static_cast<int>(log.size()) == dueOpens + dueCloses + clickLines);
  const auto within = [](double a, double b, double margin) { return b <= a + margin; };
  const bool guiCounted = atEnd.userObjects != 0;
  Row("Soak: resources",
      Format("after 1 min / at end: windows %lu/%lu, USER %lu/%lu, GDI %lu/%lu%s, kernel handles "
             "%lu/%lu, private memory %.1f/%.1f MiB%s",
             afterFirstMinute.windows, atEnd.windows, afterFirstMinute.userObjects,
             atEnd.userObjects, afterFirstMinute.gdiObjects, atEnd.gdiObjects,
             guiCounted ? "" : " (GetGuiResources is a stub under Wine)",
             afterFirstMinute.kernelHandles, atEnd.kernelHandles,
             afterFirstMinute.privateBytes / 1048576.0, atEnd.privateBytes / 1048576.0,
             atEnd.linuxFigures ? " (anonymous memory of the Wine process)" : ""),
      "end where they were after 1 min (windows, USER, GDI +2; handles +5; private +2 MiB)",
      afterFirstMinute.kernelHandles > 0 && afterFirstMinute.privateBytes > 0 &&
          within(afterFirstMinute.windows, atEnd.windows, 0) &&
          within(afterFirstMinute.userObjects, atEnd.userObjects, 2) &&
          within(afterFirstMinute.gdiObjects, atEnd.gdiObjects, 2) &&
          within(afterFirstMinute.kernelHandles, atEnd.kernelHandles, 5) &&
          within(static_cast<double>(afterFirstMinute.privateBytes),
                 static_cast<double>(atEnd.privateBytes), 2.0 * 1048576));
  ::DeleteFileW(targetExe.c_str());
  return 0;
}

int Idle(const std::wstring& exe, int minutes) {
  double startupMs = 0;
  auto form = RemoteForm::Launch(exe, 60000, &startupMs);
  if (!form) {
    Row("Idle", "Velmora.exe did not show its window", "", false);
    return 1;
  }
  // Both schedules on, nothing due: rows empty, clicks never (N = 0, start moment passed).
  for (int r = 1; r <= 5; ++r) form->SetText(control::kRowPath + std::to_string(r), L"");
  form->SetText(control::kClickInterval, L"0");
  form->Command(control::kStartButton);
  form->Click(control::kClickSwitch);
  Pump(5000);
  const ResourceFigures before = form->Figures();
  Pump(static_cast<DWORD>(minutes) * 60000);
  const ResourceFigures after = form->Figures();
  form->Close();

  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  ::GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &attributes);
  const double cpu = after.cpuSeconds - before.cpuSeconds;
  const double share = cpu / (minutes * 60.0) * 100;
  Row("Idle: CPU", Format("%.2f s of CPU in %d min (%.3f%% of one core)", cpu, minutes, share),
      "under 1% of one core", share < 1.0);
  Row("Idle: memory",
      Format("working set %.1f MiB, private %.1f MiB", after.workingSetBytes / 1048576.0,
             after.privateBytes / 1048576.0),
      "under 32 MiB private", after.privateBytes < 32ull * 1048576);
  Row("Start-up", Format("%.0f ms from launch to the window shown", startupMs),
      "under 2 s under Wine", startupMs < 2000);
  Row("Exe size", Format("%.0f KiB", attributes.nFileSizeLow / 1024.0), "under 2 MiB",
      attributes.nFileSizeLow < 2u * 1048576);
  return 0;
}

}  // namespace
}  // namespace velmora::bench

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"soak" && argc >= 5) {
    return velmora::bench::Soak(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
  }
  if (mode == L"idle" && argc >= 4) return velmora::bench::Idle(argv[2], _wtoi(argv[3]));
  std::fprintf(stderr,
               "usage: schedule_bench soak <Velmora.exe> <minutes> <precision-minutes>\n"
               "       schedule_bench idle <Velmora.exe> <minutes>\n");
  return 2;
}

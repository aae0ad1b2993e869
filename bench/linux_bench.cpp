// The Linux edition measured: the program tick's precision inside the real window and event
// loop, the idle cost of the real program, and the message list's growth over many lines.
// Prints Markdown table rows.
//
//   linux_bench ticks <seconds>            the real Timer1 after Start, every tick timed
//   linux_bench idle <velmora> <seconds>   CPU time and memory of the idle program
//   linux_bench log <lines> <batch>        Memo1 appending, the time of each batch
#include <sys/types.h>
#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "qt/main_window.h"
#include "qt/regional_patterns.h"

namespace {

using velmora::qt::TForm1;

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

int Ticks(int seconds) {
  const velmora::qt::SystemClock clock;
  TForm1 form(velmora::qt::PatternsFromLocale(QLocale::system()), clock);
  form.ShowCentred();
  // Right after each tick of the form's own Timer1: which second it served, how late.
  std::map<qint64, int> ticksPerSecond;
  std::vector<double> delays;
  std::string lastClock;
  auto* timer1 = form.Find<QTimer>("Timer1");
  QObject::connect(timer1, &QTimer::timeout, [&] {
    const QDateTime now = QDateTime::currentDateTime();
    const std::string panel = form.StatusText(0);
    if (panel == lastClock) return;  // a wake-up that served no new second
    lastClock = panel;
    ++ticksPerSecond[now.toSecsSinceEpoch()];
    delays.push_back(now.time().msec());
  });
  const qint64 first = QDateTime::currentSecsSinceEpoch() + 1;
  form.ToolButton1Click();
  QTimer::singleShot(seconds * 1000 + 500, qApp, &QCoreApplication::quit);
  QApplication::exec();
  const qint64 last = first + seconds - 1;
  int missed = 0, doubled = 0, ticks = 0;
  for (qint64 s = first; s <= last; ++s) {
    const int n = ticksPerSecond.count(s) ? ticksPerSecond[s] : 0;
    missed += n == 0;
    doubled += n > 1;
    ticks += n;
  }
  std::printf(
      "| tick precision, %d s idle | %d ticks, %d missed, %d doubled | median %.0f ms, "
      "p99 %.0f ms, max %.0f ms after the boundary |\n",
      seconds, ticks, missed, doubled, Percentile(delays, 0.5), Percentile(delays, 0.99),
      Percentile(delays, 1.0));
  return 0;
}

// utime + stime in clock ticks, and the resident set in KiB.
std::pair<long, long> Cost(qint64 pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  long cpu = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) cpu += std::stol(field);
  }
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  long rss = 0;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) rss = std::stol(line.substr(6));
  }
  return {cpu, rss};
}

int Idle(const QString& exe, int seconds) {
  QProcess program;
  program.start(exe, {});
  if (!program.waitForStarted(5000)) return 1;
  QThread::sleep(5);  // past start-up
  const auto before = Cost(program.processId());
  QThread::sleep(static_cast<unsigned long>(seconds));
  const auto after = Cost(program.processId());
  program.kill();
  program.waitForFinished(3000);
  const double cpuSeconds =
      static_cast<double>(after.first - before.first) / static_cast<double>(::sysconf(_SC_CLK_TCK));
  std::printf(
      "| idle program, %d s | CPU %.2f s = %.3f %% of one core | resident %ld KiB "
      "(%ld KiB at the start) |\n",
      seconds, cpuSeconds, 100.0 * cpuSeconds / seconds, after.second, before.second);
  return 0;
}

int Log(int lines, int batch) {
  const velmora::qt::SystemClock clock;
  TForm1 form(velmora::qt::PatternsFromLocale(QLocale::system()), clock);
  form.ShowCentred();
  QCoreApplication::processEvents();
  std::vector<double> batchMs;
  const std::string line = "打开程序-/usr/bin/velmora-probe-执行时间-2026/12/10 15:30:00";
  for (int done = 0; done < lines; done += batch) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < batch; ++i) form.AppendLog(line);
    QCoreApplication::processEvents();  // painted as the user would see it
    batchMs.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  std::string perBatch;
  for (double ms : batchMs) perBatch += std::to_string(static_cast<int>(ms + 0.5)) + " ";
  std::printf(
      "| log growth, %d lines | first batch of %d %.0f ms, last %.0f ms, last / first "
      "%.2f | per batch (ms): %s|\n",
      lines, batch, batchMs.front(), batchMs.back(), batchMs.back() / batchMs.front(),
      perBatch.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "ticks" && argc > 2) return Ticks(std::stoi(argv[2]));
  if (mode == "idle" && argc > 3) return Idle(argv[2], std::stoi(argv[3]));
  if (mode == "log" && argc > 3) return Log(std::stoi(argv[2]), std::stoi(argv[3]));
  std::fprintf(stderr, "usage: linux_bench ticks S | idle EXE S | log LINES BATCH\n");
  return 2;
}

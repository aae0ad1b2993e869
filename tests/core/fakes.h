// A form, a clock and a desktop that a schedule tick can be run against without a window.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/schedule_context.h"

namespace velmora::test {

class FakeForm : public ScheduleForm {
 public:
  std::map<std::string, Moment, std::less<>> moments;
  std::map<std::string, std::string, std::less<>> texts;
  std::set<std::string, std::less<>> checked;
  std::map<int, std::string> panels;
  std::vector<std::string> log;
  mutable std::vector<std::string> reads;

  Moment MomentOf(std::string_view name) const override {
    reads.emplace_back(name);
    auto it = moments.find(name);
    return it == moments.end() ? 0 : it->second;
  }
  std::string TextOf(std::string_view name) const override {
    reads.emplace_back(name);
    auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
  }
  bool IsChecked(std::string_view name) const override {
    reads.emplace_back(name);
    return checked.count(name) != 0;
  }
  void SetStatusText(int panel, const std::string& text) override { panels[panel] = text; }
  void AppendLog(const std::string& line) override { log.push_back(line); }

  bool WasRead(std::string_view name) const {
    for (const auto& r : reads) {
      if (r == name) return true;
    }
    return false;
  }
};

class FakeClock : public Clock {
 public:
  LocalTime now{2026, 12, 10, 14, 29, 58, 20};
  LocalTime Now() const override { return now; }

  // Moves on by whole seconds, as the wall clock between ticks.
  void Advance(int seconds) {
    Moment m = EncodeMoment(now) + seconds / 86400.0;
    const int ms = now.millisecond;
    now = DecodeMoment(m);
    now.millisecond = ms;
  }
};

class FakeDesktop : public Desktop {
 public:
  std::vector<std::string> calls;
  std::function<void()> duringAction;  // runs inside every action, e.g. to move the clock on

  void OpenWithShell(const std::string& path) override { Record("open " + path); }
  void KillProcessByName(const std::string& name) override { Record("kill " + name); }
  void ClickAt(std::int32_t x, std::int32_t y) override {
    Record("click " + std::to_string(x) + "," + std::to_string(y));
  }

 private:
  void Record(std::string call) {
    calls.push_back(std::move(call));
    if (duringAction) duringAction();
  }
};

// Everything a schedule's tick reaches, faked, in one region.
struct ScheduleFakes {
  explicit ScheduleFakes(RegionalPatterns region) : patterns(std::move(region)) {}

  FakeForm form;
  FakeClock clock;
  FakeDesktop desktop;
  RegionalPatterns patterns;
  ScheduleContext ctx{form, clock, desktop, patterns};
};

}  // namespace velmora::test

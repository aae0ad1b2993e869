// What a schedule tick sees of the world: the window's controls by name, the clock, the
// desktop actions and the regional patterns. The window implements these; tests fake them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/moment.h"

namespace velmora {

class ScheduleForm {
 public:
  virtual ~ScheduleForm() = default;
  // The value of the date or time field with this name.
  virtual Moment MomentOf(std::string_view name) const = 0;
  virtual std::string TextOf(std::string_view name) const = 0;
  virtual bool IsChecked(std::string_view name) const = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  virtual void AppendLog(const std::string& line) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual void OpenWithShell(const std::string& path) = 0;
  virtual void KillProcessByName(const std::string& name) = 0;
  virtual void ClickAt(std::int32_t x, std::int32_t y) = 0;
};

struct ScheduleContext {
  ScheduleForm& form;
  const Clock& clock;
  Desktop& desktop;
  const RegionalPatterns& patterns;

  // Every use of now is a fresh read of the clock.
  Moment Now() const { return EncodeMoment(clock.Now()); }
  std::string NowStamp() const { return StampText(Now(), patterns); }
};

}  // namespace velmora

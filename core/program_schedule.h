// The five program rows: each names a moment and a path; in that second the path is opened
// or the processes of its file name are closed.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/control_names.h"
#include "core/schedule_context.h"

namespace velmora {

enum class RowAction { Open = 0, Close = 1 };

// A row's control: its role prefix followed by the row number, e.g. "FSetDate3".
std::string RowControlName(std::string_view prefix, int row);

// Performs the row's action and writes its log line when now lies in the second of m; true
// when it acted.
bool RunIfDue(ScheduleContext& ctx, const std::string& path, RowAction action, Moment m);

// Start and Stop of the program tick, with the enabled state of its timer and buttons.
class ProgramSchedule {
 public:
  void Start() { running_ = true; }
  void Stop() { running_ = false; }
  bool TimerEnabled() const { return running_; }
  bool StartEnabled() const { return !running_; }
  bool StopEnabled() const { return running_; }

  // One tick: rows 1 to 5 in order, then the clock panel. A row that cannot be read ends the
  // tick there by throwing. A row acts at most once for the moment it names, even when the
  // wall clock is set back and passes that second again.
  void Timer1Timer(ScheduleContext& ctx);

 private:
  bool running_ = false;
  std::array<std::optional<Moment>, kRowCount> actedAt_;
};

}  // namespace velmora

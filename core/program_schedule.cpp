#include "core/program_schedule.h"

#include "core/control_names.h"
#include "core/log_lines.h"
#include "core/process_name.h"

namespace velmora {

std::string RowControlName(std::string_view prefix, int row) {
  return std::string(prefix) + std::to_string(row);
}

bool RunIfDue(ScheduleContext& ctx, const std::string& path, RowAction action, Moment m) {
  if (!SameSecond(ctx.Now(), m, ctx.patterns)) return false;
  if (action == RowAction::Open) {
    ctx.desktop.OpenWithShell(path);
    ctx.form.AppendLog(OpenedLine(path, ctx.NowStamp()));
  } else {
    ctx.desktop.KillProcessByName(FileNamePart(path));
    ctx.form.AppendLog(ClosedLine(path, ctx.NowStamp()));
  }
  return true;
}

void ProgramSchedule::Timer1Timer(ScheduleContext& ctx) {
  for (int i = 1; i <= kRowCount; ++i) {
    const std::string momentText =
        DateText(ctx.form.MomentOf(RowControlName(control::kRowDate, i)), ctx.patterns) + " " +
        TimeText(ctx.form.MomentOf(RowControlName(control::kRowTime, i)), ctx.patterns);
    const std::string path = ctx.form.TextOf(RowControlName(control::kRowPath, i));
    const RowAction action = ctx.form.IsChecked(RowControlName(control::kRowClose, i))
                                 ? RowAction::Close
                                 : RowAction::Open;
    if (path.empty()) continue;
    const Moment m = ParseMoment(momentText, ctx.patterns);
    if (actedAt_[i - 1] == m) continue;
    if (RunIfDue(ctx, path, action, m)) actedAt_[i - 1] = m;
  }
  ctx.form.SetStatusText(kClockPanel, ctx.NowStamp());
}

}  // namespace velmora

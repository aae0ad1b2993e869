// The user's locale as the regional patterns the schedules take, the display formats of the
// date and time fields, and the wall clock.
#pragma once

#include <QLocale>
#include <QString>

#include "core/schedule_context.h"

namespace velmora::qt {

// Short date, time separator, 12-/24-hour, leading zero, marker place and texts from the
// locale's short date and time formats.
RegionalPatterns PatternsFromLocale(const QLocale& locale);

// Display formats for QDateEdit and QTimeEdit that show what DateText and TimeText write; the
// time always shows hours, minutes and seconds.
QString DateFieldFormat(const RegionalPatterns& p);
QString TimeFieldFormat(const RegionalPatterns& p);

class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace velmora::qt

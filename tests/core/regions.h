// Regional patterns of a few real regions, as the platform reports them.
#pragma once

#include "core/moment.h"

namespace velmora::test {

inline RegionalPatterns ChinaRegion() {
  RegionalPatterns p;
  p.shortDate = "yyyy/M/d";
  p.dateSeparator = "/";
  p.eraText = "公元";
  p.amMarker = "上午";
  p.pmMarker = "下午";
  return p;
}

inline RegionalPatterns UsRegion() {
  RegionalPatterns p;
  p.shortDate = "M/d/yyyy";
  p.twelveHour = true;
  return p;
}

inline RegionalPatterns GermanRegion() {
  RegionalPatterns p;
  p.shortDate = "dd.MM.yyyy";
  p.dateSeparator = ".";
  p.decimalSeparator = ",";
  p.hourLeadingZero = true;
  return p;
}

// 12-hour clock with the marker before the time.
inline RegionalPatterns KoreaRegion() {
  RegionalPatterns p;
  p.shortDate = "yyyy-MM-dd";
  p.dateSeparator = "-";
  p.twelveHour = true;
  p.markerBefore = true;
  p.amMarker = "오전";
  p.pmMarker = "오후";
  return p;
}

}  // namespace velmora::test

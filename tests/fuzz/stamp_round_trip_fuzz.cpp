// Stamps read back to the moment they show, to the second, for any moment and any regional
// settings the platform could hand over: short-date patterns of day, month, year, era and day
// name with separators and quoted text, month and day names, any date and time separators, 12- or
// 24-hour clocks with markers before or after the time.
#include <string>

#include "core/error.h"
#include "core/moment.h"
#include "fuzz_check.h"

using velmora::fuzz::Check;
using velmora::fuzz::PickOne;

namespace {

// A fuzzer-chosen text of one to four bytes with no digit, not all spaces: a separator or a
// marker as a user could set it.
std::string FreeText(FuzzedDataProvider& data) {
  std::string s = data.ConsumeBytesAsString(data.ConsumeIntegralInRange<std::size_t>(1, 4));
  for (char& c : s) {
    if (c >= '0' && c <= '9') c = static_cast<char>(c + 0x30);  // into the letters
  }
  if (s.empty() || s.find_first_not_of(' ') == std::string::npos) s = "#";
  return s;
}

// Separators are written into the pattern quoted whenever they hold a letter or a quote.
std::string Quoted(const std::string& text) {
  bool plain = true;
  for (char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'') plain = false;
  }
  if (plain) return text;
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("''") : std::string(1, c);
  return q + "'";
}

std::string DateSeparator(FuzzedDataProvider& data) {
  static const char* const kKnown[] = {"/", "-", ".", " ", ". ", "-", "/ ", "年"};
  return data.ConsumeBool() ? PickOne(data, kKnown) : FreeText(data);
}

velmora::RegionalPatterns Region(FuzzedDataProvider& data, bool& shortYear) {
  static const char* const kYears[] = {"y", "yy", "yyyy", "yyyyy"};
  static const char* const kMonths[] = {"M", "MM", "MMM", "MMMM"};
  static const char* const kWeekdays[] = {"", "ddd", "dddd"};
  static const char* const kDays[] = {"d", "dd"};
  static const char* const kOrders[] = {"yMd", "dMy", "Mdy", "ydM", "Myd", "dyM"};
  static const char* const kAfterField[] = {"", "'年'", "'月'", "'日'", "'.'", "' de'"};
  static const char* const kEras[] = {"A.D.", "公元",      "AD", "n. Chr.",
                                      "d.C.", "ap. J.-C.", "",   "西暦"};
  static const char* const kEraForms[] = {"g", "gg"};
  static const char* const kTimeSeparators[] = {":", ".", "時", " : "};
  static const char* const kDecimals[] = {".", ",", " ", "٫"};
  static const char* const kMarkers[][2] = {
      {"AM", "PM"},       {"上午", "下午"}, {"a.m.", "p.m."}, {"오전", "오후"},   {"午前", "午後"},
      {"a. m.", "p. m."}, {"A", "P"},       {"PM", "AM"},     {"vorm.", "nachm."}};

  velmora::RegionalPatterns p;
  p.dateSeparator = DateSeparator(data);
  const std::string separator = Quoted(p.dateSeparator);
  const std::string year = PickOne(data, kYears);
  shortYear = year.size() <= 2;
  const std::string order = PickOne(data, kOrders);
  std::string fields[3];
  for (int i = 0; i < 3; ++i) {
    const char f = order[i];
    fields[i] = f == 'y' ? year : f == 'M' ? PickOne(data, kMonths) : PickOne(data, kDays);
    fields[i] += PickOne(data, kAfterField);
  }
  // The era goes before the first field, between two of them or after the last.
  const int eraAt = data.ConsumeIntegralInRange(-1, 3);
  const std::string era = PickOne(data, kEraForms);
  const std::string eraGap = data.ConsumeBool() ? " " : "";
  std::string pattern;
  for (int i = 0; i < 3; ++i) {
    if (eraAt == i) pattern += i == 0 ? era + eraGap : era + separator;
    pattern += fields[i];
    if (i < 2) pattern += separator;
  }
  if (eraAt == 3) pattern += eraGap + era;
  // A day name may stand before the date or after it.
  const std::string weekday = PickOne(data, kWeekdays);
  if (!weekday.empty())
    pattern = data.ConsumeBool() ? weekday + ", " + pattern : pattern + " " + weekday;
  p.shortDate = pattern;
  if (data.ConsumeBool()) {
    // Chinese names, whose short month names begin with digits.
    p.shortMonthNames = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                         "7月", "8月", "9月", "10月", "11月", "12月"};
    p.monthNames = {"一月", "二月", "三月", "四月", "五月",   "六月",
                    "七月", "八月", "九月", "十月", "十一月", "十二月"};
    p.shortDayNames = {"周一", "周二", "周三", "周四", "周五", "周六", "周日"};
    p.dayNames = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
  }
  p.eraText = PickOne(data, kEras);

  p.timeSeparator = data.ConsumeBool() ? PickOne(data, kTimeSeparators) : FreeText(data);
  p.decimalSeparator = data.ConsumeBool() ? PickOne(data, kDecimals) : FreeText(data);
  p.hourLeadingZero = data.ConsumeBool();
  p.twelveHour = data.ConsumeBool();
  p.markerBefore = data.ConsumeBool();
  if (data.ConsumeBool()) {
    const auto& markers = kMarkers[data.ConsumeIntegralInRange<std::size_t>(0, 8)];
    p.amMarker = markers[0];
    p.pmMarker = markers[1];
  } else {
    p.amMarker = FreeText(data);
    p.pmMarker = FreeText(data);
    // Markers tell AM from PM only when they differ in more than the spaces around them.
    const auto trimmed = [](const std::string& m) {
      const std::size_t first = m.find_first_not_of(' ');
      return m.substr(first, m.find_last_not_of(' ') - first + 1);
    };
    if (trimmed(p.pmMarker) == trimmed(p.amMarker)) p.pmMarker += "*";
  }
  p.twoDigitYearMax = data.ConsumeIntegralInRange(99, 9999);
  return p;
}

velmora::Moment AnyMoment(FuzzedDataProvider& data, int firstYear, int lastYear) {
  velmora::LocalTime t;
  t.year = data.ConsumeIntegralInRange(firstYear, lastYear);
  t.month = data.ConsumeIntegralInRange(1, 12);
  t.day = data.ConsumeIntegralInRange(1, 31);
  while (!velmora::IsValidDate(t.year, t.month, t.day)) --t.day;
  // Midnight often: it renders as the date alone.
  if (data.ConsumeBool()) {
    t.hour = data.ConsumeIntegralInRange(0, 23);
    t.minute = data.ConsumeIntegralInRange(0, 59);
    t.second = data.ConsumeIntegralInRange(0, 59);
  }
  return velmora::EncodeMoment(t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  bool shortYear = false;
  const velmora::RegionalPatterns p = Region(data, shortYear);
  // A two-digit year names a year only within the region's century window.
  const int firstYear = shortYear ? std::max(1, p.twoDigitYearMax - 99) : 1;
  const int lastYear = shortYear ? std::min(9999, p.twoDigitYearMax) : 9999;
  const velmora::Moment a = AnyMoment(data, firstYear, lastYear);
  const velmora::Moment b = AnyMoment(data, firstYear, lastYear);

  const std::string where = "pattern '" + p.shortDate + "' era '" + p.eraText + "' time '" +
                            p.timeSeparator + "' markers '" + p.amMarker + "' '" + p.pmMarker +
                            "'\n";
  const std::string stamp = velmora::StampText(a, p);
  try {
    Check(velmora::ParseMoment(stamp, p) == a, "a stamp reads back to its moment", where + stamp);
    // A date of one moment and a time of another read back as the two joined.
    const velmora::LocalTime d = velmora::DecodeMoment(a), t = velmora::DecodeMoment(b);
    const velmora::Moment joined =
        velmora::EncodeMoment({d.year, d.month, d.day, t.hour, t.minute, t.second, 0});
    const std::string text = velmora::DateText(a, p) + " " + velmora::TimeText(b, p);
    Check(velmora::ParseMoment(text, p) == joined, "date and time texts read back joined",
          where + text);
  } catch (const velmora::Error& e) {
    Check(false, "a rendering is always readable", where + e.what());
  }

  // Any number at all renders without undefined behaviour, even one no field could hold.
  const double any = data.ConsumeFloatingPoint<double>();
  velmora::StampText(any, p);
  return 0;
}

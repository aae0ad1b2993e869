// Rendering walks the short-date pattern token by token; parsing walks the same pattern, so the
// two stay exact inverses of each other for every region.
#include "core/moment.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/error.h"

namespace velmora {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Day number of 1 January 0001 and of 31 December 9999.
constexpr std::int64_t kFirstDay = -693593;
constexpr std::int64_t kLastDay = 2958465;

namespace chrono = std::chrono;

chrono::year_month_day CivilDate(const LocalTime& t) {
  return {chrono::year(t.year), chrono::month(static_cast<unsigned>(t.month)),
          chrono::day(static_cast<unsigned>(t.day))};
}

// Days since 1 January 1970 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(const LocalTime& t) {
  return chrono::sys_days(CivilDate(t)).time_since_epoch().count();
}

void CivilFromDays(std::int64_t days, LocalTime& t) {
  const chrono::year_month_day date{chrono::sys_days(chrono::days(days))};
  t.year = static_cast<int>(date.year());
  t.month = static_cast<int>(static_cast<unsigned>(date.month()));
  t.day = static_cast<int>(static_cast<unsigned>(date.day()));
}

// 25569 is the day number of 1 January 1970.
constexpr std::int64_t kUnixEpochDay = 25569;

std::string Padded(int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

bool IsPatternLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'g';
}

// One piece of a short-date pattern: a field (a run of one pattern letter) or literal text.
struct PatternToken {
  char letter = 0;  // 0 for literal text
  std::size_t run = 0;
  std::string literal;
};

std::vector<PatternToken> Tokens(std::string_view f) {
  std::vector<PatternToken> tokens;
  const auto addLiteral = [&](std::string text) {
    if (text.empty()) return;
    if (!tokens.empty() && tokens.back().letter == 0) {
      tokens.back().literal += text;
    } else {
      tokens.push_back({0, 0, std::move(text)});
    }
  };
  for (std::size_t i = 0; i < f.size();) {
    const char c = f[i];
    if (IsPatternLetter(c)) {
      std::size_t run = 1;
      while (i + run < f.size() && f[i + run] == c) ++run;
      tokens.push_back({c, run, {}});
      i += run;
    } else if (c == '\'') {
      // Quoted text stands as it is, a doubled quote standing for one; an unclosed quote runs
      // to the end.
      std::string text;
      ++i;
      while (i < f.size()) {
        if (f[i] != '\'') {
          text += f[i++];
        } else if (i + 1 < f.size() && f[i + 1] == '\'') {
          text += '\'';
          i += 2;
        } else {
          ++i;
          break;
        }
      }
      addLiteral(std::move(text));
    } else {
      addLiteral(std::string(1, c));
      ++i;
    }
  }
  return tokens;
}

bool IsDateField(const PatternToken& t) {
  return t.letter == 'd' || t.letter == 'M' || t.letter == 'y';
}

// The pattern as rendering and parsing both walk it: the era shows the region's era text, and
// an era the region does not name goes away with the literal text that joined it to the date,
// so no doubled separator or stray leading space is left behind.
std::vector<PatternToken> DateTokens(const RegionalPatterns& p) {
  std::vector<PatternToken> tokens = Tokens(p.shortDate);
  const std::size_t n = tokens.size();
  std::vector<bool> drop(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (tokens[i].letter != 'g') continue;
    if (!p.eraText.empty()) {
      tokens[i] = {0, 0, p.eraText};
      continue;
    }
    drop[i] = true;
    std::size_t after = i + 1;
    for (; after < n && !IsDateField(tokens[after]); ++after) {
      if (tokens[after].letter == 0) drop[after] = true;
    }
    std::size_t before = i;
    while (before > 0 && !IsDateField(tokens[before - 1])) --before;
    if (after == n || before == 0) {
      for (std::size_t k = before; k < i; ++k) drop[k] = drop[k] || tokens[k].letter == 0;
    }
  }
  std::vector<PatternToken> kept;
  for (std::size_t i = 0; i < n; ++i) {
    if (!drop[i]) kept.push_back(std::move(tokens[i]));
  }
  return kept;
}

struct TimeFields {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Reads the text left to right; every step either consumes what it expects or reports failure.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }
  void SkipSpaces() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  bool Literal(std::string_view s) {
    if (s.empty() || text_.substr(pos_, s.size()) != s) return false;
    pos_ += s.size();
    return true;
  }
  bool LooksAt(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }
  bool LiteralIgnoringAsciiCase(std::string_view s) {
    if (text_.size() - pos_ < s.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
      char c = text_[pos_ + i];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (c != s[i]) return false;
    }
    pos_ += s.size();
    return true;
  }
  // One to maxDigits decimal digits.
  std::optional<int> Number(int maxDigits, int* digitsRead = nullptr) {
    int value = 0, count = 0;
    while (count < maxDigits && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      value = value * 10 + (text_[pos_] - '0');
      ++pos_;
      ++count;
    }
    if (digitsRead) *digitsRead = count;
    if (count == 0) return std::nullopt;
    return value;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string_view TrimSpaces(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Which marker the reader stands on: 0 none, 1 AM, 2 PM. Spaces around a marker are not
// significant; the longer of the region's markers is tried first, so a marker that begins the
// other one does not cut it short.
int ReadMarker(Reader& r, const RegionalPatterns& p) {
  const std::string_view am = TrimSpaces(p.amMarker), pm = TrimSpaces(p.pmMarker);
  const bool pmFirst = pm.size() > am.size();
  r.SkipSpaces();
  if (r.Literal(pmFirst ? pm : am)) return pmFirst ? 2 : 1;
  if (r.Literal(pmFirst ? am : pm)) return pmFirst ? 1 : 2;
  if (r.LiteralIgnoringAsciiCase("AM")) return 1;
  if (r.LiteralIgnoringAsciiCase("PM")) return 2;
  return 0;
}

// Spaces around literal text are never significant: the stamp may begin with one, and a run of
// them reads as any number.
bool ReadLiteral(Reader& r, std::string_view literal) {
  r.SkipSpaces();
  const std::string_view text = TrimSpaces(literal);
  if (!text.empty() && !r.Literal(text)) return false;
  r.SkipSpaces();
  return true;
}

// 0 for Monday to 6 for Sunday.
std::size_t Weekday(const LocalTime& t) {
  return chrono::weekday(chrono::sys_days(CivilDate(t))).iso_encoding() - 1;
}

template <std::size_t N>
using Names = std::array<std::string, N>;

const Names<12>& MonthNames(const RegionalPatterns& p, std::size_t run) {
  return run >= 4 ? p.monthNames : p.shortMonthNames;
}
const Names<7>& DayNames(const RegionalPatterns& p, std::size_t run) {
  return run >= 4 ? p.dayNames : p.shortDayNames;
}

// Which of the names the reader stands on, the longest that fits, or -1.
template <std::size_t N>
int ReadName(Reader& r, const Names<N>& names) {
  int found = -1;
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i].empty() || (found >= 0 && names[i].size() <= names[found].size())) continue;
    if (r.LooksAt(names[i])) found = static_cast<int>(i);
  }
  if (found >= 0) r.Literal(names[found]);
  return found;
}

bool ReadDate(Reader& r, const RegionalPatterns& p, int& year, int& month, int& day) {
  bool haveYear = false, haveMonth = false, haveDay = false;
  for (const PatternToken& token : DateTokens(p)) {
    if (token.letter == 0) {
      if (!ReadLiteral(r, token.literal)) return false;
    } else if (token.letter == 'y') {
      auto v = r.Number(token.run <= 2 ? 2 : 4);
      if (!v) return false;
      std::int64_t y = *v;
      if (token.run <= 2) {
        y += std::int64_t{p.twoDigitYearMax} / 100 * 100;
        if (y > p.twoDigitYearMax) y -= 100;
      }
      if (y < 1 || y > 9999) return false;
      year = static_cast<int>(y);
      haveYear = true;
    } else if (token.run >= 3) {
      // A month name gives the month; a day name only has to be one, the date fixes the day.
      const int name = token.letter == 'M' ? ReadName(r, MonthNames(p, token.run))
                                           : ReadName(r, DayNames(p, token.run));
      if (name < 0) return false;
      if (token.letter == 'M') {
        month = name + 1;
        haveMonth = true;
      }
    } else {
      auto v = r.Number(2);
      if (!v) return false;
      (token.letter == 'M' ? month : day) = *v;
      (token.letter == 'M' ? haveMonth : haveDay) = true;
    }
  }
  return haveYear && haveMonth && haveDay;
}

bool ReadTime(Reader& r, const RegionalPatterns& p, TimeFields& t) {
  const int before = ReadMarker(r, p);
  r.SkipSpaces();
  auto h = r.Number(2);
  if (!h || !r.Literal(p.timeSeparator)) return false;
  auto m = r.Number(2);
  if (!m) return false;
  int s = 0, ms = 0;
  if (r.Literal(p.timeSeparator)) {
    auto sv = r.Number(2);
    if (!sv) return false;
    s = *sv;
    // A decimal separator without digits after it is not one: it may begin the marker.
    const std::size_t beforeFraction = r.Position();
    int digits = 0;
    std::optional<int> mv;
    if (r.Literal(p.decimalSeparator) && (mv = r.Number(3, &digits))) {
      ms = *mv * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
    } else {
      r.Rewind(beforeFraction);
    }
  }
  r.SkipSpaces();
  const int after = before ? 0 : ReadMarker(r, p);
  const int marker = before ? before : after;
  int hour = *h;
  if (marker != 0) {
    if (hour > 12) return false;
    if (marker == 1 && hour == 12) hour = 0;
    if (marker == 2 && hour < 12) hour += 12;
  }
  if (hour > 23 || *m > 59 || s > 59) return false;
  t = {hour, *m, s, ms};
  return true;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  return CivilDate({year, month, day}).ok();
}

Moment EncodeMoment(const LocalTime& t) {
  if (!IsValidDate(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59 || t.millisecond < 0 || t.millisecond > 999) {
    throw Error("Invalid argument to date encode");
  }
  const double day = static_cast<double>(DaysFromCivil(t) + kUnixEpochDay);
  const double time =
      static_cast<double>(t.hour * 3600000 + t.minute * 60000 + t.second * 1000 + t.millisecond) /
      static_cast<double>(kMsPerDay);
  // Before day 0 the time of day counts away from zero, as the fraction's magnitude.
  return day < 0 ? day - time : day + time;
}

LocalTime DecodeMoment(Moment m) {
  if (!std::isfinite(m)) m = 0;
  // Far outside the calendar the number cannot even be held as a day count: clamp it first.
  m = std::clamp(m, static_cast<double>(kFirstDay - 1), static_cast<double>(kLastDay + 1));
  double whole = std::trunc(m);
  std::int64_t day = static_cast<std::int64_t>(whole);
  std::int64_t ms = std::llround(std::fabs(m - whole) * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    ++day;
  }
  if (day < kFirstDay) day = kFirstDay;
  if (day > kLastDay) day = kLastDay;
  LocalTime t;
  CivilFromDays(day - kUnixEpochDay, t);
  t.hour = static_cast<int>(ms / 3600000);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.millisecond = static_cast<int>(ms % 1000);
  return t;
}

std::string LongTimePattern(const RegionalPatterns& p) {
  std::string hour =
      p.twelveHour ? (p.hourLeadingZero ? "hh" : "h") : (p.hourLeadingZero ? "HH" : "H");
  std::string time = hour + p.timeSeparator + "mm" + p.timeSeparator + "ss";
  if (!p.twelveHour) return time;
  return p.markerBefore ? "tt " + time : time + " tt";
}

std::string DateText(Moment m, const RegionalPatterns& p) {
  const LocalTime t = DecodeMoment(m);
  std::string out;
  for (const PatternToken& token : DateTokens(p)) {
    const int width = token.run >= 2 ? 2 : 1;
    switch (token.letter) {
      case 0:
        out += token.literal;
        break;
      case 'd':
        out += token.run >= 3 ? DayNames(p, token.run)[Weekday(t)] : Padded(t.day, width);
        break;
      case 'M':
        out += token.run >= 3 ? MonthNames(p, token.run)[t.month - 1] : Padded(t.month, width);
        break;
      case 'y':
        out += token.run <= 2 ? Padded(t.year % 100, width) : Padded(t.year, 4);
        break;
    }
  }
  return out;
}

std::string TimeText(Moment m, const RegionalPatterns& p) {
  const LocalTime t = DecodeMoment(m);
  const int width = p.hourLeadingZero ? 2 : 1;
  int hour = t.hour;
  if (p.twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
  std::string time = Padded(hour, width) + p.timeSeparator + Padded(t.minute, 2) + p.timeSeparator +
                     Padded(t.second, 2);
  if (!p.twelveHour) return time;
  const std::string& marker = t.hour < 12 ? p.amMarker : p.pmMarker;
  if (marker.empty()) return time;
  return p.markerBefore ? marker + " " + time : time + " " + marker;
}

std::string StampText(Moment m, const RegionalPatterns& p) {
  const LocalTime t = DecodeMoment(m);
  std::string stamp = DateText(m, p);
  if (t.hour != 0 || t.minute != 0 || t.second != 0) stamp += " " + TimeText(m, p);
  return stamp;
}

Moment ParseMoment(std::string_view text, const RegionalPatterns& p) {
  Reader r(text);
  r.SkipSpaces();
  int year = 0, month = 0, day = 0;
  TimeFields time;
  bool ok = ReadDate(r, p, year, month, day) && IsValidDate(year, month, day);
  if (ok) {
    r.SkipSpaces();
    if (!r.AtEnd()) ok = ReadTime(r, p, time) && (r.SkipSpaces(), r.AtEnd());
  }
  if (!ok) throw Error("'" + std::string(text) + "' is not a valid date and time");
  return EncodeMoment({year, month, day, time.hour, time.minute, time.second, time.millisecond});
}

Moment ComposeMoment(Moment dateValue, Moment timeValue, const RegionalPatterns& p) {
  return ParseMoment(DateText(dateValue, p) + " " + TimeText(timeValue, p), p);
}

bool SameSecond(Moment now, Moment m, const RegionalPatterns& p) {
  return ParseMoment(StampText(now, p), p) == ParseMoment(StampText(m, p), p);
}

}  // namespace velmora

#include "qt/regional_patterns.h"

#include <QDateTime>
#include <QRegularExpression>

namespace velmora::qt {
namespace {

// The format with its quoted literals blanked out, so that a letter inside quotes is not
// taken for a field.
QString Unquoted(const QString& format) {
  QString out = format;
  bool quoted = false;
  for (QChar& c : out) {
    if (c == u'\'') {
      quoted = !quoted;
      c = u' ';
    } else if (quoted) {
      c = u' ';
    }
  }
  return out;
}

}  // namespace

RegionalPatterns PatternsFromLocale(const QLocale& locale) {
  RegionalPatterns p;
  const QString date = locale.dateFormat(QLocale::ShortFormat);
  p.shortDate = date.toStdString();
  const QString plainDate = Unquoted(date);
  const qsizetype sepStart = plainDate.indexOf(QRegularExpression("[^dMy ]"));
  if (sepStart >= 0) {
    qsizetype sepEnd = sepStart;
    while (sepEnd < plainDate.size() && !QString("dMy").contains(plainDate[sepEnd])) ++sepEnd;
    p.dateSeparator = date.mid(sepStart, sepEnd - sepStart).trimmed().toStdString();
  }

  const QString time = Unquoted(locale.timeFormat(QLocale::ShortFormat));
  const qsizetype hour = time.indexOf(QRegularExpression("[hH]"));
  const qsizetype minute = time.indexOf(u'm');
  const qsizetype marker = time.indexOf(QRegularExpression("[aA][pP]?"));
  p.hourLeadingZero = time.contains("hh") || time.contains("HH");
  p.twelveHour = marker >= 0;
  p.markerBefore = p.twelveHour && hour >= 0 && marker < hour;
  if (hour >= 0 && minute > hour) {
    qsizetype sep = hour;
    while (sep < minute && (time[sep] == u'h' || time[sep] == u'H')) ++sep;
    const QString separator = locale.timeFormat(QLocale::ShortFormat).mid(sep, minute - sep);
    if (!separator.isEmpty()) p.timeSeparator = separator.toStdString();
  }
  p.decimalSeparator = locale.decimalPoint().toStdString();
  if (!locale.amText().isEmpty()) p.amMarker = locale.amText().toStdString();
  if (!locale.pmText().isEmpty()) p.pmMarker = locale.pmText().toStdString();
  return p;
}

QString DateFieldFormat(const RegionalPatterns& p) {
  return QString::fromStdString(p.shortDate);
}

QString TimeFieldFormat(const RegionalPatterns& p) {
  // Qt writes the marker as AP where the stamps write tt; with it, h runs from 1 to 12.
  return QString::fromStdString(LongTimePattern(p)).replace("tt", "AP");
}

LocalTime SystemClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

}  // namespace velmora::qt

#include "qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "core/control_names.h"
#include "core/field_rules.h"
#include "qt/char_filter.h"
#include "qt/error_reporter.h"
#include "qt/executable_chooser.h"
#include "qt/glyphs.h"
#include "qt/regional_patterns.h"

namespace velmora::qt {

TForm1* Form1 = nullptr;

namespace {

QDateTime ToDateTime(const LocalTime& t) {
  return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.millisecond));
}

}  // namespace

TForm1::TForm1(const RegionalPatterns& patterns, const Clock& clock)
    : patterns_(patterns), clock_(clock) {
  Form1 = this;
  setObjectName("Form1");
  setWindowTitle(kFormCaption);
  setWindowIcon(ApplicationIcon());
  // A fixed single border: title, system menu, minimise and close, no maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kFormClientWidth, kFormClientHeight);
  // Tahoma where it is installed; the Chinese texts come from the CJK font behind it.
  QFont font({kFontFaceName, "WenQuanYi Micro Hei"});
  font.setPixelSize(11);  // Tahoma 8 point at 96 DPI, height -11
  setFont(font);
  CreateControls();
  CreateTimers();
  InstallCharFilters();
  SetTabOrder();
  // The icon goes into the notification area as soon as the layout stands.
  CreateTrayIcon();
  FormCreate();
  // The pointer readout runs from start to exit.
  timer3_->start();
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::ShowCentred() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.center() - rect().center());
  show();
  // The whole frame, not only the client area, is centred: its size is known once the window
  // manager has framed the window (briefly waited for; without a manager there is none).
  QElapsedTimer waited;
  waited.start();
  while (frameGeometry() == geometry() && waited.elapsed() < 500) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  move(pos() + screen.center() - frameGeometry().center());
}

QObject* TForm1::ControlByName(std::string_view name) const {
  const auto it = controls_.find(name);
  if (it == controls_.end() || !it->second) {
    throw Error("Component '" + std::string(name) + "' not found");
  }
  return it->second;
}

const ControlSpec* TForm1::DesignOf(std::string_view name) const {
  const auto it = designs_.find(name);
  return it == designs_.end() ? nullptr : it->second;
}

Moment TForm1::MomentOf(std::string_view name) const {
  const QDateTime value = Find<QDateTimeEdit>(name)->dateTime();
  const QDate d = value.date();
  const QTime t = value.time();
  return EncodeMoment({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()});
}

std::string TForm1::TextOf(std::string_view name) const {
  QObject* control = ControlByName(name);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
    return memo->toPlainText().toStdString();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    return button->text().toStdString();
  }
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
  if (auto* field = qobject_cast<QDateTimeEdit*>(control)) return field->text().toStdString();
  return control->property("text").toString().toStdString();
}

bool TForm1::IsChecked(std::string_view name) const {
  return Find<QAbstractButton>(name)->isChecked();
}

void TForm1::SetStatusText(int panel, const std::string& text) {
  statusPanels_[panel]->setText(QString::fromStdString(text));
}

std::string TForm1::StatusText(int panel) const {
  return statusPanels_[panel]->text().toStdString();
}

void TForm1::AppendLog(const std::string& line) {
  auto* memo = Find<QPlainTextEdit>(control::kMessageList);
  // A line break goes in front unless the list is empty or already ends with one; the text
  // the user typed stays as it is. Only the last block is looked at, so appending stays
  // cheap however long the list grows.
  const bool endsWithBreak = memo->document()->lastBlock().text().isEmpty();
  QTextCursor cursor(memo->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText((endsWithBreak ? QString() : QString("\n")) + QString::fromStdString(line));
}

void TForm1::UsePatterns(const RegionalPatterns& patterns) {
  patterns_ = patterns;
  for (const auto& [name, design] : designs_) {
    if (design->kind == ControlKind::DateField) {
      Find<QDateTimeEdit>(name)->setDisplayFormat(DateFieldFormat(patterns_));
    } else if (design->kind == ControlKind::TimeField) {
      Find<QDateTimeEdit>(name)->setDisplayFormat(TimeFieldFormat(patterns_));
    }
  }
}

void TForm1::FormCreate() {
  SetMoment(control::kClickStartDate, clock_.Now());
  SetMoment(control::kClickStartTime, clock_.Now());
  const LocalTime t = clock_.Now();
  for (int i = 1; i <= kRowCount; ++i) {
    SetMoment(RowControlName(control::kRowDate, i), t);
    SetMoment(RowControlName(control::kRowTime, i), t);
  }
}

void TForm1::ToolButton1Click() {
  programSchedule_.Start();
  timer1Ticker_.Reset();
  ArmSecondTimer(timer1_, clock_.Now());
  UpdateToolButtons();
}

void TForm1::ToolButton2Click() {
  programSchedule_.Stop();
  timer1_->stop();
  UpdateToolButtons();
}

void TForm1::ToolButton3Click() {
  Find<QPlainTextEdit>(control::kMessageList)->clear();
}

void TForm1::ToolButton4Click() {
  close();
}

void TForm1::CheckBox1Click() {
  clickSchedule_.CheckBox1Click(IsChecked(control::kClickSwitch));
  if (clickSchedule_.TimerEnabled()) {
    timer4Ticker_.Reset();
    ArmSecondTimer(timer4_, clock_.Now());
  } else {
    timer4_->stop();
  }
}

void TForm1::Timer1Timer() {
  if (!programSchedule_.TimerEnabled() || !ClaimSecond(timer1_, timer1Ticker_)) return;
  ScheduleContext ctx = Context();
  programSchedule_.Timer1Timer(ctx);
}

void TForm1::Timer4Timer() {
  if (!clickSchedule_.TimerEnabled() || !ClaimSecond(timer4_, timer4Ticker_)) return;
  ScheduleContext ctx = Context();
  clickSchedule_.Timer4Timer(ctx);
}

// Each coordinate from a read of its own, x first.
void TForm1::Timer3Timer() {
  const std::int32_t x = readPointer_().x;
  const std::int32_t y = readPointer_().y;
  SetStatusText(1, PointerReadoutText(x, y));
}

void TForm1::SpeedButton1Click(QObject* sender) {
  const int row = sender->property("Tag").toInt();
  const std::optional<QString> chosen = ChooseExecutable(this, openDialog1FileName_);
  if (!chosen) return;
  openDialog1FileName_ = *chosen;
  Find<QLineEdit>(RowControlName(control::kRowPath, row))->setText(*chosen);
}

bool TForm1::FSetDate1KeyPress(char32_t key) {
  return DateFieldPasses(key);
}

bool TForm1::Edit7KeyPress(char32_t key) {
  return NumberFieldPasses(key);
}

void TForm1::TrayIcon1Minimize() {
  // With no tray host the window stays minimised on the taskbar, as it would with no icon.
  if (!trayIcon1_->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable()) return;
  hide();
}

void TForm1::TrayIcon1Restore() {
  showNormal();
  raise();
  activateWindow();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized()) {
    // Hidden once the minimise has been carried out, not inside its notification.
    QTimer::singleShot(0, this, [this] {
      if (isMinimized()) TrayIcon1Minimize();
    });
  } else if (event->type() == QEvent::LocaleChange) {
    UsePatterns(PatternsFromLocale(QLocale::system()));
  }
}

// Closing by any means ends the program at once; the timers and the icon go with the window.
void TForm1::closeEvent(QCloseEvent* event) {
  trayIcon1_->hide();
  event->accept();
  QCoreApplication::quit();
}

void TForm1::Register(QObject* object, const std::string& name) {
  object->setObjectName(QString::fromStdString(name));
  controls_[name] = object;
}

void TForm1::SetMoment(std::string_view name, const LocalTime& value) {
  Find<QDateTimeEdit>(name)->setDateTime(ToDateTime(value));
}

void TForm1::UpdateToolButtons() {
  Find<QWidget>(control::kStartButton)->setEnabled(programSchedule_.StartEnabled());
  Find<QWidget>(control::kStopButton)->setEnabled(programSchedule_.StopEnabled());
}

void TForm1::ArmSecondTimer(QTimer* timer, const LocalTime& now) {
  // A precise Qt timer keeps to the millisecond here, so it is armed just past the boundary
  // instead of the window timer's margin. One that comes a little early serves no second and
  // is armed again.
  constexpr int kPreciseMarginMs = 2;
  timer->start(std::max(
      0, SecondTicker::DelayToNextSecond(now) - SecondTicker::kMarginMs + kPreciseMarginMs));
}

bool TForm1::ClaimSecond(QTimer* timer, SecondTicker& ticker) {
  const LocalTime now = clock_.Now();
  // Re-armed before the tick runs: a tick that opens a message box keeps the next one coming.
  ArmSecondTimer(timer, now);
  return ticker.Claim(now);
}

ScheduleContext TForm1::Context() {
  return ScheduleContext{*this, clock_, desktop_, patterns_};
}

}  // namespace velmora::qt

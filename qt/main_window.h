// The main window TForm1 of the Linux edition: the five program rows, the message list, the
// click panel, the toolbar and the status bar, built from the shared design table. It is the
// form the schedule ticks read, and it drives both schedules from its timers.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "actions/desktop_actions_linux.h"
#include "actions/pointer.h"
#include "core/click_schedule.h"
#include "core/error.h"
#include "core/program_schedule.h"
#include "core/second_ticker.h"
#include "form/layout.h"

class QLabel;
class QSystemTrayIcon;
class QTimer;

namespace velmora::qt {

class TForm1 final : public QWidget, public ScheduleForm {
 public:
  // clock is read for every use of now; it must outlive the form. Builds every control and
  // the tray icon and runs FormCreate.
  TForm1(const RegionalPatterns& patterns, const Clock& clock);
  ~TForm1() override;

  // Centres the window on the primary screen and shows it.
  void ShowCentred();

  // The one lookup by name: controls, timers and the tray icon. Throws Error for a name the
  // window does not have.
  QObject* ControlByName(std::string_view name) const;
  template <typename T>
  T* Find(std::string_view name) const {
    if (auto* found = qobject_cast<T*>(ControlByName(name))) return found;
    throw Error("Component '" + std::string(name) + "' is not of the kind asked for");
  }
  const ControlSpec* DesignOf(std::string_view name) const;

  // ScheduleForm: the values the ticks read and the places they write.
  Moment MomentOf(std::string_view name) const override;
  std::string TextOf(std::string_view name) const override;
  bool IsChecked(std::string_view name) const override;
  void SetStatusText(int panel, const std::string& text) override;
  void AppendLog(const std::string& line) override;
  std::string StatusText(int panel) const;

  // The regional patterns of stamps, fields and parsing; replaced when the locale changes.
  const RegionalPatterns& Patterns() const { return patterns_; }
  void UsePatterns(const RegionalPatterns& patterns);
  // Where the pointer readout reads the pointer: ReadPointer unless a test puts another in.
  void UsePointerReader(std::function<PointerPosition()> reader) {
    readPointer_ = std::move(reader);
  }
  QSystemTrayIcon* TrayIcon1() const { return trayIcon1_; }
  // The file last chosen with a browse button, which the chooser proposes.
  const QString& OpenDialog1FileName() const { return openDialog1FileName_; }

  // Event handlers, named after the control and the event.
  void FormCreate();
  void ToolButton1Click();
  void ToolButton2Click();
  void ToolButton3Click();
  void ToolButton4Click();
  void CheckBox1Click();
  void Timer1Timer();
  void Timer3Timer();
  void Timer4Timer();
  // The browse button of a row: its Tag names the row whose path field gets the chosen file.
  void SpeedButton1Click(QObject* sender);
  // Typed-character filters, true for a character that may reach the field.
  static bool FSetDate1KeyPress(char32_t key);
  static bool Edit7KeyPress(char32_t key);
  // Minimised to the tray icon, and back on a double click.
  void TrayIcon1Minimize();
  void TrayIcon1Restore();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlSpec& s);
  void CreateTimers();
  void CreateTrayIcon();
  void SetTabOrder();
  void InstallCharFilters();
  void SetMoment(std::string_view name, const LocalTime& value);
  void UpdateToolButtons();
  // Arms a single-shot timer to land just after the next second boundary.
  void ArmSecondTimer(QTimer* timer, const LocalTime& now);
  // Arms the timer for the next boundary and takes this second for its tick; false for a
  // wake-up in a second already served.
  bool ClaimSecond(QTimer* timer, SecondTicker& ticker);
  ScheduleContext Context();
  void Register(QObject* object, const std::string& name);

  RegionalPatterns patterns_;
  const Clock& clock_;
  DesktopActions desktop_;
  std::map<std::string, QPointer<QObject>, std::less<>> controls_;
  std::map<std::string, const ControlSpec*, std::less<>> designs_;
  QLabel* statusPanels_[2] = {nullptr, nullptr};
  QTimer* timer1_ = nullptr;
  QTimer* timer3_ = nullptr;
  QTimer* timer4_ = nullptr;
  QSystemTrayIcon* trayIcon1_ = nullptr;
  std::function<PointerPosition()> readPointer_ = ReadPointer;
  QString openDialog1FileName_;

  ProgramSchedule programSchedule_;
  ClickSchedule clickSchedule_;
  SecondTicker timer1Ticker_;
  SecondTicker timer4Ticker_;
};

// The one instance, while it exists.
extern TForm1* Form1;

}  // namespace velmora::qt

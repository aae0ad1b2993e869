// The main window TForm1: how it behaves. Its handlers (named after the control and the event)
// and the dispatch of its messages; the form the schedule ticks read and write; the two
// one-second timers that drive the schedules. Its controls are built by FormControls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "actions/desktop_actions.h"
#include "actions/pointer.h"
#include "core/click_schedule.h"
#include "core/program_schedule.h"
#include "tray/tray_icon.h"
#include "ui/control_ids.h"
#include "ui/event_loop.h"
#include "ui/form_controls.h"
#include "ui/layout.h"
#include "ui/second_timer.h"
#include "win/handles.h"

namespace velmora {

class TForm1 final : public ScheduleForm {
 public:
  // clock is read for every use of now; it must outlive the form.
  TForm1(HINSTANCE instance, const RegionalPatterns& patterns, const Clock& clock);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the window with all its controls and runs FormCreate; throws Error on failure.
  void Create();
  // Centres the window on its monitor and shows it.
  void ShowCentred(int showCommand);
  HWND Handle() const { return window_.get(); }

  // The one lookup by name; throws Error for a name the window does not have.
  const Control& ControlByName(std::string_view name) const { return controls_->ByName(name); }
  HWND WindowOf(std::string_view name) const { return ControlByName(name).window; }

  // ScheduleForm: the values the ticks read and the places they write.
  Moment MomentOf(std::string_view name) const override;
  std::string TextOf(std::string_view name) const override;
  bool IsChecked(std::string_view name) const override;
  // Panel 1 is right-aligned: its text is stored behind two tab characters.
  void SetStatusText(int panel, const std::string& text) override;
  void AppendLog(const std::string& line) override;

  // The regional patterns that stamps, fields and parsing use; replaced when the system
  // announces a settings change.
  const RegionalPatterns& Patterns() const { return patterns_; }
  void UsePatterns(const RegionalPatterns& patterns) { patterns_ = patterns; }
  // Where the pointer readout reads the pointer: ReadPointer unless a test puts another in.
  void UsePointerReader(std::function<PointerPosition()> reader) {
    readPointer_ = std::move(reader);
  }

  HIMAGELIST ImageList1() const { return controls_->ImageList1(); }
  tray::TTrayIcon* TrayIcon1() const { return trayIcon1_.get(); }
  HFONT Font() const { return controls_->Font(); }
  int Dpi() const { return controls_->Dpi(); }

  // Event handlers, named after the control and the event.
  void FormCreate();
  void ToolButton1Click();
  void ToolButton2Click();
  void ToolButton3Click();
  void ToolButton4Click();
  void CheckBox1Click();
  void Timer1Timer();
  void Timer4Timer();
  void Timer3Timer();
  // The browse button of a row: its Tag names the row whose path field gets the chosen file.
  void SpeedButton1Click(HWND sender);
  // Typed-character filters, true for a key that may reach the field: the date and time
  // fields take digits and Backspace, Edit6 to Edit8 digits only.
  static bool FSetDate1KeyPress(wchar_t key);
  static bool Edit7KeyPress(wchar_t key);

  // The window procedure (win::WindowProc) binds and forwards here.
  void Bind(HWND window) { window_.reset(window); }
  void Unbind() { (void)window_.release(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnCreate();
  void OnDestroy();
  void OnCommand(int id, int code);
  void OnTimer(UINT_PTR id);
  void OnActivate(bool active);
  void OnNextDlgCtl(WPARAM target, bool isWindow);
  // True when the command is refused here rather than left to the default handling.
  bool OnSysCommand(WPARAM command);
  void OnSettingChange();
  void OnDpiChanged(int dpi, const RECT& suggested);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnToolbarCustomDraw(const NMCUSTOMDRAW& draw);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);

  void InstallCharFilters();
  void SetMoment(std::string_view name, const LocalTime& value);
  void UpdateToolButtons();
  ScheduleContext Context();

  HINSTANCE instance_;
  RegionalPatterns patterns_;
  const Clock& clock_;
  win::UniqueWindow window_;
  std::unique_ptr<DesktopActions> desktop_;
  std::unique_ptr<tray::TTrayIcon> trayIcon1_;
  std::unique_ptr<FormControls> controls_;  // from WM_CREATE on
  HWND lastFocus_ = nullptr;
  std::function<PointerPosition()> readPointer_ = ReadPointer;
  std::wstring openDialog1FileName_;  // the file last chosen with a browse button

  ProgramSchedule programSchedule_;
  ClickSchedule clickSchedule_;
  SecondTimer timer1_{kTimer1Tick};
  SecondTimer timer4_{kTimer4Tick};
};

// The one instance, while it exists.
extern TForm1* Form1;

}  // namespace velmora

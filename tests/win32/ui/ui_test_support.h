// What the window tests share: the form under test, a message pump with a deadline, real
// mouse and keyboard input, and a copy of the probe program in a folder with an awkward name.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "core/moment.h"
#include "ui/main_window.h"
#include "win/regional_settings.h"

namespace velmora::test {

// Paths handed to the test program on its command line.
struct TestPaths {
  static std::wstring velmoraExe;
  static std::wstring probeExe;
};

using std::chrono::milliseconds;

// Dispatches messages, the main window's dialog keys included, until done() or the timeout;
// returns done().
bool PumpUntil(const std::function<bool()>& done, milliseconds timeout);
void PumpFor(milliseconds duration);

// Real input, through the system's input queue.
void ClickAtScreen(POINT point);
void ClickWindowCentre(HWND window);
void PressKey(WORD virtualKey, bool shift = false);
// Each character as a key of its own; "\r" is the Enter key.
void TypeText(const std::wstring& text);
// Keys pressed on the X server's keyboard by xdotool, as a user types them ("ctrl+x Escape"):
// they reach the window through Wine's X11 driver, the input queue and TranslateMessage. Wine
// starts a Linux program without handing out a process, so callers wait for the effect of a
// last key. Safe to call from any thread; false when xdotool cannot be started.
bool PressXKeys(const std::string& keys);

LocalTime NowPlusSeconds(int seconds);
Moment TruncatedToSecond(Moment m);
void SetPicker(HWND picker, const LocalTime& value);
LocalTime PickerValue(HWND picker);

// A control's rectangle in the client coordinates of the window it is placed on.
RECT RectIn(HWND control, HWND form);
std::string WindowText(HWND window);
std::string StatusPanelText(HWND statusBar, int panel);

// The real main window, created and shown as the program does, destroyed after each test.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Find(std::string_view name) const { return form->WindowOf(name); }
  std::string Memo() const { return form->TextOf("Memo1"); }
  // A real click on the middle of a tool button.
  void ClickToolButton(std::string_view name);
  bool ToolButtonEnabled(std::string_view name) const;

  win::SystemClock clock;
  std::unique_ptr<TForm1> form;
};

// A copy of the probe program under a file name of its own, in a fresh folder whose name has
// spaces and Chinese characters. Its processes are terminated and the folder removed at the end.
class ProbeCopy {
 public:
  explicit ProbeCopy(const std::wstring& fileName);
  ~ProbeCopy();
  ProbeCopy(const ProbeCopy&) = delete;
  ProbeCopy& operator=(const ProbeCopy&) = delete;

  const std::wstring& Path() const { return path_; }
  const std::wstring& FileName() const { return fileName_; }
  // True once the probe has been started at least once.
  bool Ran() const;

 private:
  std::wstring folder_;
  std::wstring fileName_;
  std::wstring path_;
};

}  // namespace velmora::test

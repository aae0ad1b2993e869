// The real main window in the test's own process, and what the window tests read and set on
// it: pickers, panels, rows and tool buttons.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/control_names.h"
#include "core/moment.h"
#include "tests/win32/support/pump.h"
#include "ui/main_window.h"
#include "win/regional_settings.h"
#include "win/system_clock.h"

namespace velmora::test {

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
  std::string Memo() const { return form->TextOf(control::kMessageList); }
  // A real click on the middle of a tool button.
  void ClickToolButton(std::string_view name);
  bool ToolButtonEnabled(std::string_view name) const;
  // Sets the date and the time of program row `row` to one moment.
  void SetRowMoment(int row, const LocalTime& when);

  win::SystemClock clock;
  std::unique_ptr<TForm1> form;
};

}  // namespace velmora::test

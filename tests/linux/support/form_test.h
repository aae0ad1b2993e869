// What the window tests share: the real main window, created and shown as the program does,
// and real X input through xdotool aimed at its controls.
#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <memory>
#include <string>

#include "qt/main_window.h"
#include "qt/regional_patterns.h"
#include "test_support.h"

class QWidget;

namespace velmora::test {

// Real input, through the X server.
void MoveTo(QPoint global);
void ClickAt(QPoint global);
void DoubleClickAt(QPoint global);
void ClickWidget(const QWidget* widget);
// A key by its X name ("BackSpace", "Tab", "alt+F4"), to the window with the focus.
void PressKey(const std::string& keys);
// Each character as a key of its own.
void TypeText(const std::string& text);

LocalTime NowPlusSeconds(int seconds);

// The real main window, created and shown as the program does, destroyed after each test.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  template <typename T = QWidget>
  T* Find(std::string_view name) const {
    return form->Find<T>(name);
  }
  std::string Memo() const { return form->TextOf("Memo1"); }
  void SetMoment(std::string_view name, const LocalTime& value);
  // Gives the field the focus with a click and selects its text.
  void FocusField(std::string_view name);

  qt::SystemClock clock;
  std::unique_ptr<qt::TForm1> form;
};

}  // namespace velmora::test

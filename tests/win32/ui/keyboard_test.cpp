// Every key a user may press, in every kind of control the main window has, pressed on the X
// server's keyboard: no key closes the window or loses a value, and the keys that edit a
// control change that control alone, as its kind does.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/control_names.h"
#include "tests/win32/support/error_box.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "win/text.h"

namespace velmora::test {
namespace {

// What a key does to the control that has the focus.
enum class Effect {
  None,            // nothing anywhere
  AppendsSpace,    // the text gains a space at the caret, which stands at its end
  AppendsLine,     // the text gains a line break at its end
  LeavesControl,   // the focus moves on; no value changes
  Toggles,         // the check box is checked
  PicksNeighbour,  // the row's other radio button may take the check
  StepsValue,      // the date or time field's value may step; nothing else changes
};

struct Key {
  const char* name;
  const char* xdotool;
};

const Key kKeys[] = {
    {"Esc", "Escape"},    {"Enter", "Return"},  {"Tab", "Tab"},       {"Shift+Tab", "shift+Tab"},
    {"Space", "space"},   {"Left", "Left"},     {"Right", "Right"},   {"Up", "Up"},
    {"Down", "Down"},     {"Ctrl+A", "ctrl+a"}, {"Ctrl+C", "ctrl+c"}, {"Ctrl+V", "ctrl+v"},
    {"Ctrl+X", "ctrl+x"}, {"Ctrl+Z", "ctrl+z"}, {"F10", "F10"},       {"Alt", "Alt_L"},
};

// How the focus gets to the control before the key: a click on a spot that takes no focus
// leaves it where the previous control put it.
enum class Reach { Focus, ClickBeside };

struct ControlCase {
  const char* kind;
  const char* name;
  Reach reach;
  std::map<std::string, Effect> effects;  // by key name; every other key has no effect
};

const std::vector<ControlCase>& Cases() {
  static const std::vector<ControlCase> cases = {
      {"path field", "Edit1", Reach::Focus, {{"Space", Effect::AppendsSpace}}},
      {"number field", control::kClickInterval, Reach::Focus, {}},
      {"message list",
       control::kMessageList,
       Reach::Focus,
       {{"Space", Effect::AppendsSpace},
        {"Enter", Effect::AppendsLine},
        {"Tab", Effect::LeavesControl},
        {"Shift+Tab", Effect::LeavesControl}}},
      {"date field",
       "FSetDate2",
       Reach::Focus,
       {{"Up", Effect::StepsValue}, {"Down", Effect::StepsValue}}},
      {"time field",
       control::kClickStartTime,
       Reach::Focus,
       {{"Up", Effect::StepsValue}, {"Down", Effect::StepsValue}}},
      {"check box", control::kClickSwitch, Reach::Focus, {{"Space", Effect::Toggles}}},
      {"radio button",
       "rbtOp4",
       Reach::Focus,
       {{"Left", Effect::PicksNeighbour},
        {"Right", Effect::PicksNeighbour},
        {"Up", Effect::PicksNeighbour},
        {"Down", Effect::PicksNeighbour}}},
      {"status bar", control::kStatusBar, Reach::ClickBeside, {}},
      {"toolbar", control::kToolbar, Reach::ClickBeside, {}},
  };
  return cases;
}

// The values a user can lose, each as text: fields, the message list, checks, the running
// states of both schedules.
using Values = std::map<std::string, std::string>;

std::string PickerText(HWND picker) {
  SYSTEMTIME st{};
  if (::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) {
    return "(none)";
  }
  char text[32];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay,
                st.wHour, st.wMinute, st.wSecond);
  return text;
}

// A known starting point: the values of start-up, the message list holding a note of the
// user's, nothing to undo and an empty clipboard.
constexpr SYSTEMTIME kBaseMoment{2031, 5, 2, 6, 7, 8, 9, 0};
const std::wstring kNote = L"备注 note";

class KeyboardTest : public FormTest {
 protected:
  std::vector<std::string> Fields() const {
    std::vector<std::string> names = {
        control::kMessageList,    control::kClickInterval,  control::kClickX,     control::kClickY,
        control::kClickStartDate, control::kClickStartTime, control::kClickSwitch};
    for (int i = 1; i <= 5; ++i) {
      for (const char* role : {control::kRowPath, control::kRowDate, control::kRowTime,
                               control::kRowOpen, control::kRowClose}) {
        names.push_back(role + std::to_string(i));
      }
    }
    return names;
  }

  // Reads every value by messages to the window's thread, so it may run on any thread.
  Values Read() const {
    Values values;
    for (const std::string& name : Fields()) {
      const HWND w = Find(name);
      const ControlKind kind = form->ControlByName(name).design->kind;
      if (kind == ControlKind::DateField || kind == ControlKind::TimeField) {
        values[name] = PickerText(w);
      } else if (kind == ControlKind::RadioButton || kind == ControlKind::CheckBox) {
        values[name] = ::SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "-";
      } else {
        values[name] = WindowText(w);
      }
    }
    const HWND toolbar = Find(control::kToolbar);
    for (const char* button : {control::kStartButton, control::kStopButton}) {
      const int id = form->ControlByName(button).design->id;
      values[button] = ::SendMessageW(toolbar, TB_ISBUTTONENABLED, id, 0) ? "enabled" : "-";
    }
    return values;
  }

  void Reset() const {
    for (int i = 1; i <= 5; ++i) {
      for (const char* role : {control::kRowDate, control::kRowTime}) {
        ::SendMessageW(Find(role + std::to_string(i)), DTM_SETSYSTEMTIME, GDT_VALID,
                       reinterpret_cast<LPARAM>(&kBaseMoment));
      }
      ::SendMessageW(Find(control::kRowOpen + std::to_string(i)), BM_SETCHECK, BST_CHECKED, 0);
      ::SendMessageW(Find(control::kRowClose + std::to_string(i)), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    for (const char* picker : {control::kClickStartDate, control::kClickStartTime}) {
      ::SendMessageW(Find(picker), DTM_SETSYSTEMTIME, GDT_VALID,
                     reinterpret_cast<LPARAM>(&kBaseMoment));
    }
    // Unchecked through its own handler, so the click schedule stops too.
    if (::SendMessageW(Find(control::kClickSwitch), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      ::SendMessageW(Find(control::kClickSwitch), BM_CLICK, 0, 0);
    }
    const std::pair<const char*, std::wstring> texts[] = {{"Edit1", L"E:\\kvtr.exe"},
                                                          {control::kClickInterval, L"1"},
                                                          {control::kClickX, L"1080"},
                                                          {control::kClickY, L"654"},
                                                          {control::kMessageList, kNote}};
    for (const auto& [name, text] : texts) {
      const HWND w = Find(name);
      ::SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      ::SendMessageW(w, EM_EMPTYUNDOBUFFER, 0, 0);
    }
    if (::OpenClipboard(nullptr)) {
      ::EmptyClipboard();
      ::CloseClipboard();
    }
  }

  // Puts the focus where the case wants it: on the control itself, through the window's own
  // request to move the focus, with the caret at the end of an edit's text; or, for a control
  // that takes no focus, on the number field and then a real click on an empty spot of it.
  void PutFocus(const ControlCase& c) const {
    const HWND target = c.reach == Reach::Focus ? Find(c.name) : Find(control::kClickInterval);
    ::SendMessageW(form->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    const auto length = ::GetWindowTextLengthW(target);
    if (::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
      ::SendMessageW(target, EM_SETSEL, length, length);
    }
    if (c.reach == Reach::ClickBeside) {
      RECT r;
      ::GetWindowRect(Find(c.name), &r);
      // The right end: beyond the last tool button, and in the status bar's last panel.
      const POINT spot{r.right - 30, (r.top + r.bottom) / 2};
      ::SetCursorPos(spot.x, spot.y);
      ::Sleep(60);
      INPUT events[2]{};
      events[0].type = events[1].type = INPUT_MOUSE;
      events[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      ::SendInput(2, events, sizeof(INPUT));
      ::Sleep(150);
    }
  }

  // What the key may change, and how; empty when all went as expected.
  std::string Check(const ControlCase& c, const Key& key, const Values& before, const Values& after,
                    HWND focusAfter) const {
    const auto it = c.effects.find(key.name);
    const Effect effect = it == c.effects.end() ? Effect::None : it->second;
    Values expected = before;
    std::set<std::string> mayChange;
    switch (effect) {
      case Effect::None:
        break;
      case Effect::AppendsSpace:
        expected[c.name] += " ";
        break;
      case Effect::AppendsLine:
        expected[c.name] += "\r\n";
        break;
      case Effect::LeavesControl:
        if (focusAfter == Find(c.name)) return "the focus stayed in " + std::string(c.name);
        break;
      case Effect::Toggles:
        expected[c.name] = "checked";
        break;
      case Effect::PicksNeighbour: {
        const std::string row = std::string(c.name).substr(5);
        mayChange = {control::kRowOpen + row, control::kRowClose + row};
        if ((after.at(control::kRowOpen + row) == "checked") ==
            (after.at(control::kRowClose + row) == "checked")) {
          return "row " + row + " has not exactly one action checked";
        }
        break;
      }
      case Effect::StepsValue:
        mayChange = {c.name};
        break;
    }
    std::string wrong;
    for (const auto& [name, value] : after) {
      if (mayChange.count(name) || value == expected.at(name)) continue;
      wrong += name + " is \"" + value + "\", expected \"" + expected.at(name) + "\"; ";
    }
    return wrong;
  }
};

// The sweep runs on a thread of its own, as a user at the keyboard: it presses a key, waits,
// and reads the window through messages while the test's thread runs the event loop. Alt and
// F10 put the window into menu mode, whose own loop runs until Esc leaves it.
TEST_F(KeyboardTest, NoKeyInAnyControlClosesTheWindowOrLosesAValue) {
  ASSERT_TRUE(PressXKeys("shift")) << "xdotool is missing";
  std::vector<std::string> failures;
  std::atomic<bool> done{false};
  const DWORD pid = ::GetCurrentProcessId();
  const HWND window = form->Handle();
  std::thread user([&] {
    for (const ControlCase& c : Cases()) {
      for (const Key& key : kKeys) {
        const std::string where = std::string(key.name) + " in the " + c.kind + " " + c.name;
        Reset();
        PutFocus(c);
        const Values before = Read();
        PressXKeys(key.xdotool);
        ::Sleep(400);
        if (!::IsWindow(window) || !::IsWindowVisible(window)) {
          failures.push_back(where + ": the window is gone");
          done = true;
          return;
        }
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread);
        const std::string wrong = Check(c, key, before, Read(), thread.hwndFocus);
        if (!wrong.empty()) failures.push_back(where + ": " + wrong);
        if (!ErrorBoxesOf(pid).empty()) failures.push_back(where + ": an error box opened");
        // Out of menu mode again; in a control Esc is one more key that must do nothing.
        if (std::string(key.name) == "Alt" || std::string(key.name) == "F10") {
          PressXKeys("Escape");
          ::Sleep(300);
          if (!::IsWindow(window)) {
            failures.push_back(where + ", then Esc: the window is gone");
            done = true;
            return;
          }
        }
      }
    }
    done = true;
  });
  PumpUntil([&] { return done.load(); }, milliseconds(300000));
  const bool finished = done.load();
  if (!finished) {
    // A key left the thread inside a loop of its own; Esc ends it so the sweep can stop.
    PressXKeys("Escape");
    PumpUntil([&] { return done.load(); }, milliseconds(60000));
  }
  user.join();
  EXPECT_TRUE(finished) << "the sweep did not finish";
  for (const std::string& f : failures) ADD_FAILURE() << f;
  EXPECT_TRUE(::IsWindow(form->Handle()));
}

// A note typed into the message list stays, Esc included; Enter starts a new line and Tab
// moves on to the next control.
TEST_F(KeyboardTest, EscInTheMessageListKeepsTheTypedNoteAndTheWindow) {
  const HWND memo = Find(control::kMessageList);
  ClickWindowCentre(memo);
  ASSERT_EQ(::GetFocus(), memo);
  ASSERT_TRUE(PressXKeys("n o t e Escape Return m o r e Escape Escape")) << "xdotool is missing";
  EXPECT_TRUE(PumpUntil([&] { return WindowText(memo) == "note\r\nmore"; }, milliseconds(10000)))
      << "the message list holds \"" << WindowText(memo) << "\"";
  PumpFor(milliseconds(500));
  ASSERT_TRUE(::IsWindow(form->Handle())) << "Esc closed the window";
  EXPECT_TRUE(::IsWindowVisible(form->Handle()));
  EXPECT_EQ(WindowText(memo), "note\r\nmore");

  ASSERT_TRUE(PressXKeys("Tab"));
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() != memo; }, milliseconds(5000)));
  EXPECT_EQ(WindowText(memo), "note\r\nmore");
}

}  // namespace
}  // namespace velmora::test

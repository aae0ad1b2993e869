// The message list: lines are appended at the end with nothing lost, whatever its length and
// whatever the user typed into it.
#include <windows.h>

#include <string>
#include <vector>

#include "core/control_names.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"
#include "win/text.h"

namespace velmora::test {
namespace {

using MessageListTest = FormTest;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

TEST_F(MessageListTest, AppendingFarPastTheEditLimitLosesNoLine) {
  // Long lines of a deep path, until the list holds well over the edit control's default
  // limit of 32,767 characters.
  std::vector<std::string> expected;
  std::size_t chars = 0;
  for (int i = 0; chars < 45000; ++i) {
    expected.push_back("打开程序-C:\\Program Files\\很长的 目录 名称\\第 " + std::to_string(i) +
                       " 个子目录\\一个名字相当长的应用程序 v2.exe-执行时间-2026/12/10 14:30:00");
    chars += win::Widen(expected.back()).size() + 2;
    form->AppendLog(expected.back());
  }
  EXPECT_GT(::GetWindowTextLengthW(Find(control::kMessageList)), 40000);
  EXPECT_EQ(Lines(Memo()), expected);
  // And it still takes what the user types at its end.
  ::SetFocus(Find(control::kMessageList));
  const int end = ::GetWindowTextLengthW(Find(control::kMessageList));
  ::SendMessageW(Find(control::kMessageList), EM_SETSEL, static_cast<WPARAM>(end), end);
  TypeText(L"\r备注");
  EXPECT_EQ(Lines(Memo()).back(), "备注");
  EXPECT_EQ(Lines(Memo()).size(), expected.size() + 1);
}

TEST_F(MessageListTest, WhatTheUserTypedStaysAndLogLinesFollowIt) {
  const struct {
    const wchar_t* typed;  // typed on the keyboard; \r is the Enter key
    const char* before;    // what the list must hold in front of the log lines
  } cases[] = {
      {L"备注 note", "备注 note\r\n"},
      {L"ends with enter\r", "ends with enter\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    ::SetWindowTextW(Find(control::kMessageList), L"");
    ::SetFocus(Find(control::kMessageList));
    TypeText(c.typed);
    form->AppendLog("关闭程序-a.exe-执行时间-1");
    form->AppendLog("关闭程序-b.exe-执行时间-2");
    EXPECT_EQ(Memo(),
              std::string(c.before) + "关闭程序-a.exe-执行时间-1\r\n关闭程序-b.exe-执行时间-2");
  }
}

TEST_F(MessageListTest, TheFirstLineOfAnEmptyListHasNoBreakBeforeIt) {
  form->AppendLog("only");
  EXPECT_EQ(Memo(), "only");
}

}  // namespace
}  // namespace velmora::test

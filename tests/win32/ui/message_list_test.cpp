// The message list: lines are appended at the end with nothing lost, whatever its length and
// whatever the user typed into it.
#include <windows.h>

#include <string>
#include <vector>

#include "ui_test_support.h"

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
  std::vector<std::string> expected;
  std::size_t chars = 0;
  for (int i = 0; chars < 80000; ++i) {
    expected.push_back("打开程序-C:\\路径 " + std::to_string(i) +
                       "\\app.exe-执行时间-2026/12/10 14:30:00");
    chars += expected.back().size();
    form->AppendLog(expected.back());
  }
  const std::wstring::size_type length = ::GetWindowTextLengthW(Find("Memo1"));
  EXPECT_GT(length, 32767u);
  EXPECT_EQ(Lines(Memo()), expected);
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
    ::SetWindowTextW(Find("Memo1"), L"");
    ::SetFocus(Find("Memo1"));
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

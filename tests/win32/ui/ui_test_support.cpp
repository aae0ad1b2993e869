#include "ui_test_support.h"

#include <commctrl.h>

#include <atomic>
#include <vector>

#include "actions/process_killer.h"
#include "win/text.h"

namespace velmora::test {

std::wstring TestPaths::velmoraExe;
std::wstring TestPaths::probeExe;

bool PumpUntil(const std::function<bool()>& done, milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // posted by a main window the test closed
      if (Form1 && Form1->Handle() && ::IsDialogMessageW(Form1->Handle(), &msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (done && done()) return true;
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= milliseconds(0)) return done && done();
    const auto wait =
        std::min<long long>(20, std::chrono::duration_cast<milliseconds>(left).count() + 1);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait), QS_ALLINPUT);
  }
}

void PumpFor(milliseconds duration) {
  PumpUntil(nullptr, duration);
}

void ClickAtScreen(POINT point) {
  ::SetCursorPos(point.x, point.y);
  PumpFor(milliseconds(50));
  INPUT events[2]{};
  events[0].type = events[1].type = INPUT_MOUSE;
  events[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, events, sizeof(INPUT));
  PumpFor(milliseconds(100));
}

void ClickWindowCentre(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  ClickAtScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void PressKey(WORD virtualKey, bool shift) {
  std::vector<INPUT> events;
  const auto key = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    events.push_back(in);
  };
  if (shift) key(VK_SHIFT, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (shift) key(VK_SHIFT, true);
  ::SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
  PumpFor(milliseconds(80));
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c == L'\r') {
      PressKey(VK_RETURN);
      continue;
    }
    INPUT events[2]{};
    for (int i = 0; i < 2; ++i) {
      events[i].type = INPUT_KEYBOARD;
      events[i].ki.wScan = c;
      events[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, events, sizeof(INPUT));
    PumpFor(milliseconds(15));
  }
  PumpFor(milliseconds(100));
}

bool PressXKeys(const std::string& keys) {
  static const wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";
  std::wstring command = L"xdotool key --delay 30 " + win::Widen(keys);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(kXdotool, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  return true;
}

LocalTime NowPlusSeconds(int seconds) {
  const LocalTime now = win::SystemClock().Now();
  LocalTime t =
      DecodeMoment(EncodeMoment({now.year, now.month, now.day, now.hour, now.minute, now.second}) +
                   seconds / 86400.0);
  t.millisecond = 0;
  return t;
}

Moment TruncatedToSecond(Moment m) {
  LocalTime t = DecodeMoment(m);
  t.millisecond = 0;
  return EncodeMoment(t);
}

void SetPicker(HWND picker, const LocalTime& value) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(value.year);
  st.wMonth = static_cast<WORD>(value.month);
  st.wDay = static_cast<WORD>(value.day);
  st.wHour = static_cast<WORD>(value.hour);
  st.wMinute = static_cast<WORD>(value.minute);
  st.wSecond = static_cast<WORD>(value.second);
  ASSERT_TRUE(::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)));
}

LocalTime PickerValue(HWND picker) {
  SYSTEMTIME st{};
  EXPECT_EQ(::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

RECT RectIn(HWND control, HWND form) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win::Narrow(text);
}

std::string StatusPanelText(HWND statusBar, int panel) {
  const auto length = LOWORD(::SendMessageW(statusBar, SB_GETTEXTLENGTHW, panel, 0));
  std::wstring text(length + 1u, L'\0');
  ::SendMessageW(statusBar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return win::Narrow(text);
}

void FormTest::SetUp() {
  form = std::make_unique<TForm1>(::GetModuleHandleW(nullptr), win::ReadRegionalPatterns(), clock);
  form->Create();
  form->ShowCentred(SW_SHOWNORMAL);
  ::SetForegroundWindow(form->Handle());
  PumpFor(milliseconds(200));
}

void FormTest::TearDown() {
  form.reset();
  PumpFor(milliseconds(50));
}

void FormTest::ClickToolButton(std::string_view name) {
  const Control& c = form->ControlByName(name);
  const auto index = ::SendMessageW(c.window, TB_COMMANDTOINDEX, c.design->id, 0);
  RECT r{};
  ASSERT_TRUE(::SendMessageW(c.window, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
  POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(c.window, &centre);
  ClickAtScreen(centre);
}

bool FormTest::ToolButtonEnabled(std::string_view name) const {
  const Control& c = form->ControlByName(name);
  return ::SendMessageW(c.window, TB_ISBUTTONENABLED, c.design->id, 0) != 0;
}

ProbeCopy::ProbeCopy(const std::wstring& fileName) : fileName_(fileName) {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + L"velmora ui 测试 " + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(++counter);
  ::CreateDirectoryW(folder_.c_str(), nullptr);
  path_ = folder_ + L"\\" + fileName_;
  if (!::CopyFileW(TestPaths::probeExe.c_str(), path_.c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy the probe from " << win::Narrow(TestPaths::probeExe);
  }
}

ProbeCopy::~ProbeCopy() {
  KillProcessByName(win::Narrow(fileName_));
  const std::wstring files[] = {path_ + L".ran", path_};
  // A terminated process lets go of its exe a moment later.
  for (int attempt = 0; attempt < 50; ++attempt) {
    bool all = true;
    for (const auto& f : files) {
      all = (::DeleteFileW(f.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) && all;
    }
    if (all && ::RemoveDirectoryW(folder_.c_str())) return;
    ::Sleep(100);
  }
}

bool ProbeCopy::Ran() const {
  return ::GetFileAttributesW((path_ + L".ran").c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace velmora::test

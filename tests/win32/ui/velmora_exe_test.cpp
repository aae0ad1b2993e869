// Velmora.exe itself, driven from outside: the title of its error box, and that closing its
// window by any means ends the process at once, schedules running or not.
#include <windows.h>

#include <functional>
#include <string>

#include "error_box.h"
#include "ui/control_ids.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

class Velmora {
 public:
  Velmora() {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + TestPaths::velmoraExe + L"\"";
    if (!::CreateProcessW(TestPaths::velmoraExe.c_str(), commandLine.data(), nullptr, nullptr,
                          FALSE, 0, nullptr, nullptr, &si, &process_)) {
      ADD_FAILURE() << "cannot start Velmora.exe, error " << ::GetLastError();
      return;
    }
    for (int waited = 0; !form_ && waited < 30000; waited += 100) {
      ::Sleep(100);
      form_ = FindForm(process_.dwProcessId);
    }
    EXPECT_TRUE(form_) << "no main window";
  }
  ~Velmora() {
    if (!process_.hProcess) return;
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 1);
      ::WaitForSingleObject(process_.hProcess, 5000);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }

  HWND Form() const { return form_; }
  HWND Control(int id) const { return ::GetDlgItem(form_, id); }
  DWORD Pid() const { return process_.dwProcessId; }
  // Waits for the process to end and gives its exit code, or -1 while it still runs.
  long ExitCode(DWORD timeoutMs) const {
    if (::WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }
  // A real click on a toolbar button, whose place is known from the design.
  void ClickToolButton(int left, int width) const {
    const int dpi = static_cast<int>(::GetDpiForWindow(form_));
    POINT p{::MulDiv(left + width / 2, dpi, 96), ::MulDiv(2 + 12, dpi, 96)};
    ::ClientToScreen(form_, &p);
    ClickAtScreen(p);
  }

 private:
  static HWND FindForm(DWORD pid) {
    HWND w = nullptr;
    while ((w = ::FindWindowExW(nullptr, w, L"TForm1", nullptr)) != nullptr) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      if (owner == pid && ::IsWindowVisible(w)) return w;
    }
    return nullptr;
  }

  PROCESS_INFORMATION process_{};
  HWND form_ = nullptr;
};

TEST(VelmoraExe, AFailingClickTickShowsOneBoxTitledVelmoraAndKeepsTicking) {
  Velmora app;
  ASSERT_TRUE(app.Form());
  ::SendMessageW(app.Control(kIdEdit6), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
  ::SendMessageW(app.Control(kIdCheckBox1), BM_CLICK, 0, 0);

  const ErrorBox first = WaitForErrorBox(app.Pid(), 8000);
  ASSERT_TRUE(first.window);
  EXPECT_EQ(first.title, "Velmora");
  EXPECT_EQ(first.text, "'x' is not a valid integer value.");
  ::Sleep(2600);
  EXPECT_EQ(ErrorBoxesOf(app.Pid()).size(), 1u);
  ASSERT_TRUE(CloseErrorBox(first, 3000));
  const ErrorBox second = WaitForErrorBox(app.Pid(), 5000);
  ASSERT_TRUE(second.window) << "the click tick stopped after its first failure";
  EXPECT_EQ(second.text, first.text);

  // Closing the window while the box is open still ends the program at once.
  ::PostMessageW(app.Form(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.ExitCode(5000), 0);
}

TEST(VelmoraExe, ClosingByAnyMeansEndsTheProgramAtOnceWithBothSchedulesRunning) {
  const struct {
    const char* how;
    std::function<void(const Velmora&)> close;
  } cases[] = {
      {"the Exit button", [](const Velmora& app) { app.ClickToolButton(208, 52); }},
      {"the close box",
       [](const Velmora& app) { ::PostMessageW(app.Form(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4",
       [](const Velmora& app) {
         ::SetForegroundWindow(app.Form());
         ::Sleep(200);
         INPUT keys[4]{};
         const WORD vks[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
         for (int i = 0; i < 4; ++i) {
           keys[i].type = INPUT_KEYBOARD;
           keys[i].ki.wVk = vks[i];
           keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
         }
         ::SendInput(4, keys, sizeof(INPUT));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Velmora app;
    ASSERT_TRUE(app.Form());
    ::SendMessageW(app.Control(kIdCheckBox1), BM_CLICK, 0, 0);
    app.ClickToolButton(4, 52);  // Start
    ::Sleep(1500);
    ASSERT_EQ(app.ExitCode(0), -1);
    c.close(app);
    EXPECT_EQ(app.ExitCode(5000), 0);
  }
}

}  // namespace
}  // namespace velmora::test

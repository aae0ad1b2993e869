// A Close row that names this program itself ends the program, as every other match is ended.
// The real Velmora.exe is driven from outside, under a name of its own so that no other copy on
// the machine matches.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/control_names.h"
#include "tests/win32/support/remote_form.h"

namespace velmora {
namespace {

std::wstring Beside(const std::wstring& name) {
  wchar_t self[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir(self, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1) + name;
}

TEST(SelfClose, ACloseRowNamingTheProgramEndsIt) {
  const std::wstring exe = Beside(L"VelmoraSelfClose.exe");
  auto form = test::RemoteForm::Launch(exe, 60000);
  ASSERT_TRUE(form) << "the program did not show its window";
  // Row 1 closes "this program" two seconds ahead; the ASCII case of the name does not matter.
  form->SetRowMoment(1, test::Plus(test::Now(), 2000));
  form->SetText("Edit1", L"D:\\程序\\VELMORASELFCLOSE.EXE");
  form->SetChecked("rbtOp1", false);
  form->SetChecked("rbtColse1", true);
  form->Command(control::kStartButton);
  ASSERT_EQ(::WaitForSingleObject(form->Process(), 15000), WAIT_OBJECT_0)
      << "the program is still running";
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(form->Process(), &code);
  EXPECT_EQ(code, 0u);  // ended by TerminateProcess(…, 0)
}

}  // namespace
}  // namespace velmora

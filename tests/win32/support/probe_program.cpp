// A helper program for the tests: proves it was started by appending its process id to a
// file beside itself named after its own exe ("<exe>.ran"), then stays alive (for at most two
// minutes) so that tests can find and terminate it by name.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH * 4];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  std::wstring marker = std::wstring(self, n) + L".ran";
  // A marker past the classic path limit is only reachable in the extended form.
  if (marker.size() >= MAX_PATH && marker.rfind(L"\\\\?\\", 0) != 0) marker.insert(0, L"\\\\?\\");
  HANDLE file = ::CreateFileW(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const std::string line = std::to_string(::GetCurrentProcessId()) + "\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
  }
  ::Sleep(120000);
  return 0;
}

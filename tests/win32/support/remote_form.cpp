#include "tests/win32/support/remote_form.h"

#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "core/control_names.h"
#include "core/program_schedule.h"
#include "tests/win32/support/input.h"
#include "ui/layout.h"
#include "win/text.h"

namespace velmora::test {
namespace {

constexpr std::size_t kScratchBytes = 64 * 1024;

struct FindData {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lp) {
  auto* data = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[32];
  ::GetClassNameW(hwnd, cls, 32);
  if (pid == data->pid && std::wstring_view(cls) == L"TForm1" && ::IsWindowVisible(hwnd)) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<ChildSearch*>(lp);
  if (::GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

const ControlSpec* SpecOf(std::string_view name) {
  for (const ControlSpec& design : Layout()) {
    if (design.name == name) return &design;
  }
  return nullptr;
}

// Windows of the process: its top-level windows and all their descendants.
struct WindowCount {
  DWORD pid;
  DWORD count;
};

BOOL CALLBACK CountDescendant(HWND, LPARAM lp) {
  ++reinterpret_cast<WindowCount*>(lp)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<WindowCount*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == c->pid) {
    ++c->count;
    ::EnumChildWindows(hwnd, CountDescendant, lp);
  }
  return TRUE;
}

// Kernel handles of a process from the system handle table, which Wine does keep (its
// GetProcessHandleCount answers 0 for every process).
DWORD KernelHandlesOf(DWORD pid) {
  struct Entry {
    ULONG pid;
    UCHAR type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  constexpr ULONG kSystemHandleInformation = 16;
  while (query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
               &length) != 0) {
    if (buffer.size() >= (1u << 28)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
  DWORD mine = 0;
  for (ULONG i = 0; i < count; ++i) mine += entries[i].pid == pid;
  return mine;
}

// Under Wine the memory counters of another process read 0; the Linux process behind it
// tells its anonymous (private) and resident memory in /proc.
bool LinuxMemoryOf(const wchar_t* exeName, std::uint64_t& privateBytes, std::uint64_t& rss) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool ok = false;
  do {
    const std::wstring pid = found.cFileName;
    if (pid.empty() || pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    std::ifstream cmdline("Z:\\proc\\" + win::Narrow(pid) + "\\cmdline", std::ios::binary);
    std::string args((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    const std::string first = args.substr(0, args.find('\0'));
    if (first.size() < wcslen(exeName) ||
        win::Widen(first.substr(first.size() - wcslen(exeName))) != exeName) {
      continue;
    }
    std::ifstream status("Z:\\proc\\" + win::Narrow(pid) + "\\status");
    std::string key;
    std::uint64_t kb = 0;
    while (status >> key) {
      if (key == "VmRSS:" && status >> kb) rss = kb * 1024;
      if (key == "RssAnon:" && status >> kb) privateBytes = kb * 1024;
    }
    ok = true;
    break;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return ok;
}

std::int64_t FileTimeTicks(const FILETIME& f) {
  return (static_cast<std::int64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

}  // namespace

RemoteForm::RemoteForm(win::UniqueKernelHandle process, DWORD pid, HWND window)
    : process_(std::move(process)), pid_(pid), window_(window) {}

std::optional<RemoteForm> RemoteForm::Launch(const std::wstring& exe, DWORD timeoutMs,
                                             double* startupMs) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  const auto start = std::chrono::steady_clock::now();
  if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
    return std::nullopt;
  }
  ::CloseHandle(pi.hThread);
  win::UniqueKernelHandle process(pi.hProcess);
  FindData data{pi.dwProcessId, nullptr};
  while (!data.found) {
    ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&data));
    if (data.found) break;
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(timeoutMs)) {
      ::TerminateProcess(process.get(), 1);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (startupMs) {
    *startupMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  ::WaitForInputIdle(process.get(), timeoutMs);
  return RemoteForm(std::move(process), pi.dwProcessId, data.found);
}

HWND RemoteForm::Control(std::string_view name) const {
  const ControlSpec* design = SpecOf(name);
  if (!design) return nullptr;
  ChildSearch search{design->id, nullptr};
  ::EnumChildWindows(window_, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring RemoteForm::Text(std::string_view name) const {
  HWND control = Control(name);
  const auto length = ::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied =
      ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void RemoteForm::SetText(std::string_view name, const std::wstring& text) const {
  ::SendMessageW(Control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void RemoteForm::SetChecked(std::string_view name, bool checked) const {
  ::SendMessageW(Control(name), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RemoteForm::Click(std::string_view name) const {
  ::SendMessageW(Control(name), BM_CLICK, 0, 0);
}

void RemoteForm::Command(std::string_view toolButton) const {
  const ControlSpec* design = SpecOf(toolButton);
  if (design) ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(design->id, BN_CLICKED), 0);
}

void RemoteForm::ClickToolButton(std::string_view name) const {
  const ControlSpec* design = SpecOf(name);
  if (!design) return;
  const int dpi = static_cast<int>(::GetDpiForWindow(window_));
  POINT p{::MulDiv(design->left + design->width / 2, dpi, 96),
          ::MulDiv(design->top + design->height / 2, dpi, 96)};
  ::ClientToScreen(window_, &p);
  ClickAtScreen(p);
}

void* RemoteForm::Remote(std::size_t bytes) const {
  if (bytes > kScratchBytes) return nullptr;
  if (!scratch_) {
    scratch_ = ::VirtualAllocEx(process_.get(), nullptr, kScratchBytes, MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
  }
  return scratch_;
}

void RemoteForm::SetMoment(std::string_view name, const SYSTEMTIME& value) const {
  // Date-time picker messages carry a pointer that is not carried across processes.
  void* remote = Remote(sizeof(value));
  ::WriteProcessMemory(process_.get(), remote, &value, sizeof(value), nullptr);
  ::SendMessageW(Control(name), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote));
}

void RemoteForm::SetRowMoment(int row, const SYSTEMTIME& when) const {
  SetMoment(RowControlName(control::kRowDate, row), when);
  SetMoment(RowControlName(control::kRowTime, row), when);
}

std::wstring RemoteForm::StatusText(int panel) const {
  HWND bar = Control(control::kStatusBar);
  const auto info = ::SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0);
  const std::size_t length = LOWORD(info);
  void* remote = Remote((length + 1) * sizeof(wchar_t));
  ::SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(remote));
  std::wstring text(length, L'\0');
  ::ReadProcessMemory(process_.get(), remote, text.data(), length * sizeof(wchar_t), nullptr);
  return text;
}

ResourceFigures RemoteForm::Figures() const {
  ResourceFigures f;
  f.userObjects = ::GetGuiResources(process_.get(), GR_USEROBJECTS);
  f.gdiObjects = ::GetGuiResources(process_.get(), GR_GDIOBJECTS);
  WindowCount windows{pid_, 0};
  ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  f.windows = windows.count;
  ::GetProcessHandleCount(process_.get(), &f.kernelHandles);
  if (f.kernelHandles == 0) f.kernelHandles = KernelHandlesOf(pid_);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory))) {
    f.privateBytes = memory.PrivateUsage;
    f.workingSetBytes = memory.WorkingSetSize;
  }
  if (f.privateBytes == 0) {
    wchar_t path[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    ::QueryFullProcessImageNameW(process_.get(), 0, path, &size);
    const wchar_t* name = wcsrchr(path, L'\\');
    f.linuxFigures = LinuxMemoryOf(name ? name + 1 : path, f.privateBytes, f.workingSetBytes);
  }
  FILETIME created, exited, kernel, user;
  if (::GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) {
    f.cpuSeconds = static_cast<double>(FileTimeTicks(kernel) + FileTimeTicks(user)) / 1e7;
  }
  return f;
}

void RemoteForm::Close() const {
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_.get(), 1);
  }
}

RemoteForm::~RemoteForm() {
  if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

long RemoteForm::ExitCode(DWORD timeoutMs) const {
  if (::WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  return static_cast<long>(code);
}

SYSTEMTIME Now() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return t;
}

std::int64_t MillisecondsOf(const SYSTEMTIME& t) {
  FILETIME f;
  ::SystemTimeToFileTime(&t, &f);
  return FileTimeTicks(f) / 10000;
}

SYSTEMTIME Plus(const SYSTEMTIME& t, std::int64_t milliseconds) {
  const std::int64_t ticks = (MillisecondsOf(t) + milliseconds) * 10000;
  FILETIME f{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME out;
  ::FileTimeToSystemTime(&f, &out);
  return out;
}

}  // namespace velmora::test

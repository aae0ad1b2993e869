// Drives a running Velmora.exe from another process, as a user's tools would: finds its main
// window, reaches controls by their names, sets and reads fields and status panels, clicks its
// tool buttons, and reads the process's resource figures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "win/handles.h"

namespace velmora::test {

struct ResourceFigures {
  DWORD userObjects = 0;  // 0 under Wine, whose GetGuiResources is a stub
  DWORD gdiObjects = 0;
  DWORD windows = 0;  // the process's windows, a USER count that Wine does give
  DWORD kernelHandles = 0;
  bool linuxFigures = false;  // memory read from the Linux process behind a Wine one
  std::uint64_t privateBytes = 0;
  std::uint64_t workingSetBytes = 0;
  double cpuSeconds = 0;  // user + kernel
};

class RemoteForm {
 public:
  // Starts exe and waits until its main window is visible; nothing on failure.
  static std::optional<RemoteForm> Launch(const std::wstring& exe, DWORD timeoutMs,
                                          double* startupMs = nullptr);
  // A program still running at the end of the scope is terminated.
  ~RemoteForm();
  RemoteForm(RemoteForm&&) = default;
  RemoteForm& operator=(RemoteForm&&) = default;

  HWND Window() const { return window_; }
  HANDLE Process() const { return process_.get(); }
  DWORD ProcessId() const { return pid_; }

  HWND Control(std::string_view name) const;
  std::wstring Text(std::string_view name) const;
  void SetText(std::string_view name, const std::wstring& text) const;
  void SetChecked(std::string_view name, bool checked) const;
  void Click(std::string_view name) const;          // BM_CLICK, as a mouse click on a button
  void Command(std::string_view toolButton) const;  // a toolbar button's command
  // A real click on the middle of a tool button, whose place is known from the design.
  void ClickToolButton(std::string_view name) const;
  void SetMoment(std::string_view name, const SYSTEMTIME& value) const;
  // Sets the date and the time of program row `row` to one moment.
  void SetRowMoment(int row, const SYSTEMTIME& when) const;
  std::wstring StatusText(int panel) const;
  ResourceFigures Figures() const;
  void Close() const;
  // Waits for the process to end and gives its exit code, or -1 while it still runs.
  long ExitCode(DWORD timeoutMs) const;

 private:
  RemoteForm(win::UniqueKernelHandle process, DWORD pid, HWND window);
  // A block of memory inside the program, for the messages that carry pointers.
  void* Remote(std::size_t bytes) const;

  win::UniqueKernelHandle process_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
  mutable void* scratch_ = nullptr;
};

// The wall clock, to the millisecond.
SYSTEMTIME Now();
// now + seconds, on whole seconds.
SYSTEMTIME Plus(const SYSTEMTIME& t, std::int64_t milliseconds);
std::int64_t MillisecondsOf(const SYSTEMTIME& t);

}  // namespace velmora::test

// The field aids of the real main window: the browse buttons with the real open-file dialog,
// the typed-character filters with keys pressed on the X server's keyboard, and the pointer
// readout with the real pointer.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/control_names.h"
#include "core/error.h"
#include "tests/win32/support/error_box.h"
#include "ui/error_reporter.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"
#include "win/system_error.h"
#include "win/text.h"

namespace velmora::test {
namespace {

const std::string kReadoutCaption = "当前鼠标坐标";
// Panel 1 is right-aligned: its text stands behind two tabs.
const std::string kRightAligned = "\t\t";

// Every character that reaches an edit or date-time control's own window procedure, beneath
// any subclass: while the form is created the spy is the class procedure of both classes, so
// the form's controls start from it.
struct CharSpy {
  struct Seen {
    HWND window;
    wchar_t key;
  };
  static inline std::vector<Seen> seen;
  static inline WNDPROC editProc = nullptr;
  static inline WNDPROC pickerProc = nullptr;

  static LRESULT CALLBACK Edit(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_CHAR) seen.push_back({w, static_cast<wchar_t>(wp)});
    return ::CallWindowProcW(editProc, w, m, wp, lp);
  }
  static LRESULT CALLBACK Picker(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_CHAR) seen.push_back({w, static_cast<wchar_t>(wp)});
    return ::CallWindowProcW(pickerProc, w, m, wp, lp);
  }
  static std::wstring ReachedBy(HWND window) {
    std::wstring keys;
    for (const Seen& s : seen) {
      if (s.window == window) keys += s.key;
    }
    return keys;
  }
};

class FieldAidsTest : public FormTest {
 protected:
  void SetUp() override {
    CharSpy::seen.clear();
    const HWND edit =
        ::CreateWindowExW(0, L"EDIT", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const HWND picker = ::CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", 0, 0, 0, 0, 0, nullptr,
                                          nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit && picker);
    CharSpy::editProc = reinterpret_cast<WNDPROC>(
        ::SetClassLongPtrW(edit, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CharSpy::Edit)));
    CharSpy::pickerProc = reinterpret_cast<WNDPROC>(
        ::SetClassLongPtrW(picker, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CharSpy::Picker)));
    FormTest::SetUp();
    ::SetClassLongPtrW(edit, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(CharSpy::editProc));
    ::SetClassLongPtrW(picker, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(CharSpy::pickerProc));
    ::DestroyWindow(edit);
    ::DestroyWindow(picker);
  }

  // Focuses the field, presses the keys on the X keyboard and waits until the character of
  // the last key has reached the field.
  void TypeInto(HWND field, const std::string& keys, wchar_t last) {
    ::SetFocus(field);
    ASSERT_EQ(::GetFocus(), field);
    const std::size_t before = CharSpy::ReachedBy(field).size();
    ASSERT_TRUE(PressXKeys(keys)) << "xdotool is missing";
    ASSERT_TRUE(PumpUntil(
        [&] { return CharSpy::ReachedBy(field).find(last, before) != std::wstring::npos; },
        milliseconds(10000)))
        << "the keys never arrived: " << keys;
    PumpFor(milliseconds(50));
  }

  std::string Panel1() const { return StatusPanelText(Find(control::kStatusBar), kPointerPanel); }
};

void PutOnClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it from here
  ::CloseClipboard();
}

std::string Readout(int x, int y) {
  return kRightAligned + kReadoutCaption + std::to_string(x) + " -- " + std::to_string(y);
}

// ---- Character filters ----

using CharFilterTest = FieldAidsTest;

TEST_F(CharFilterTest, NumberFieldsTakeDigitsOnlyWhileDeleteAndTypingOverASelectionWork) {
  const struct {
    const wchar_t* text;
    int selStart, selEnd;  // the selection before the keys; equal for a caret
    const char* keys;      // xdotool key names; the last one is a digit
    const char* result;
    const wchar_t* reached;  // the characters that got through to the field
  } cases[] = {
      // A minus sign, letters, a space, a period and Backspace (also as Ctrl+H) are discarded.
      {L"12", 2, 2, "minus a shift+a space period BackSpace ctrl+h 3", "123", L"3"},
      // Ctrl+V is the control character 22 and goes the same way: nothing is pasted.
      {L"12", 2, 2, "ctrl+v 4", "124", L"4"},
      // Delete makes no character: it removes the "2" behind the caret.
      {L"123", 1, 1, "Delete 9", "193", L"9"},
      // A digit replaces the selection, a discarded character leaves it alone.
      {L"1080", 0, -1, "5", "5", L"5"},
      {L"654", 0, -1, "x minus BackSpace 7", "7", L"7"},
      // Delete removes a selection.
      {L"1080", 1, 3, "Delete 6", "160", L"6"},
  };
  // Text that Ctrl+V would paste if it got through.
  PutOnClipboard(form->Handle(), L"-x");

  for (const char* name : {control::kClickInterval, control::kClickX, control::kClickY}) {
    const HWND field = Find(name);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(name) + " " + c.keys);
      ::SetWindowTextW(field, c.text);
      ::SetFocus(field);
      ::SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(c.selStart), c.selEnd);
      const std::size_t before = CharSpy::ReachedBy(field).size();
      TypeInto(field, c.keys, static_cast<wchar_t>(c.keys[std::strlen(c.keys) - 1]));
      EXPECT_EQ(WindowText(field), c.result);
      EXPECT_EQ(CharSpy::ReachedBy(field).substr(before), c.reached);
    }
  }
}

TEST_F(CharFilterTest, DateAndTimeFieldsTakeDigitsAndBackspaceOnly) {
  std::vector<std::string> fields = {control::kClickStartDate, control::kClickStartTime};
  for (int i = 1; i <= 5; ++i) {
    fields.push_back(control::kRowDate + std::to_string(i));
    fields.push_back(control::kRowTime + std::to_string(i));
  }
  for (const std::string& name : fields) {
    SCOPED_TRACE(name);
    const HWND field = Find(name);
    // In the AM/PM part of a 12-hour time field "a" and "p" would also switch it.
    TypeInto(field, "a p minus space shift+z period BackSpace ctrl+h ctrl+v 1", L'1');
    EXPECT_EQ(CharSpy::ReachedBy(field), L"\b\b1");
  }
}

// Only typing is filtered: the edit menu's Paste puts any text in.
TEST_F(CharFilterTest, PastedTextIsNotFiltered) {
  PutOnClipboard(form->Handle(), L"-1 a");
  for (const char* name : {control::kClickInterval, control::kClickX, control::kClickY}) {
    const HWND field = Find(name);
    ::SendMessageW(field, EM_SETSEL, 0, -1);
    ::SendMessageW(field, WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(field), "-1 a") << name;
  }
}

// ---- Browse buttons ----

// The open-file dialog of the form, as seen from a thread of its own while the form's thread
// is inside the dialog.
struct OpenDialog {
  HWND window = nullptr;
  std::vector<std::string> filters;  // the entries of "Files of type"
  std::wstring proposedName;         // the file-name box
  std::wstring proposedPath;         // the folder and name the dialog would open
  std::vector<std::string> listed;   // the names in the folder view
};

HWND FindOwnedDialog(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  ::EnumThreadWindows(
      ::GetWindowThreadProcessId(owner, nullptr),
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        wchar_t className[16]{};
        ::GetClassNameW(w, className, 16);
        if (std::wstring(className) == L"#32770" && ::GetWindow(w, GW_OWNER) == s->owner &&
            ::IsWindowVisible(w)) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForOwnedDialog(HWND owner, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    if (const HWND found = FindOwnedDialog(owner)) return found;
    ::Sleep(20);
  }
  return nullptr;
}

// The edit inside the dialog's file-name combo box (cmb13).
HWND FileNameEdit(HWND dialog) {
  const HWND combo = ::GetDlgItem(dialog, cmb13);
  if (!combo) return ::GetDlgItem(dialog, edt1);
  return reinterpret_cast<HWND>(::SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0));
}

OpenDialog ReadOpenDialog(HWND dialog) {
  OpenDialog d;
  d.window = dialog;
  const HWND types = ::GetDlgItem(dialog, cmb1);
  const auto count = ::SendMessageW(types, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<std::size_t>(::SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1,
                      L'\0');
    item.resize(static_cast<std::size_t>(
        ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    d.filters.push_back(win::Narrow(item));
  }
  d.proposedName = win::Widen(WindowText(FileNameEdit(dialog)));
  std::wstring path(32768, L'\0');
  const auto n =
      ::SendMessageW(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
  path.resize(n > 0 ? static_cast<std::size_t>(n) - 1 : 0);
  d.proposedPath = path;
  const HWND view = ::FindWindowExW(::GetDlgItem(dialog, lst2), nullptr, WC_LISTVIEWW, nullptr);
  const auto items = ::SendMessageW(view, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < items; ++i) {
    wchar_t name[MAX_PATH]{};
    LVITEMW item{};
    item.pszText = name;
    item.cchTextMax = MAX_PATH;
    ::SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    d.listed.push_back(win::Narrow(name));
  }
  return d;
}

bool WaitUntilGone(HWND window, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    if (!::IsWindow(window)) return true;
    ::Sleep(20);
  }
  return false;
}

// Puts a file name into the dialog and presses Open (posted: the form's thread may answer
// it with a message box of its own).
void Confirm(HWND dialog, const std::wstring& path) {
  ::SetWindowTextW(FileNameEdit(dialog), path.c_str());
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

using BrowseTest = FieldAidsTest;

TEST_F(BrowseTest, TheChosenFileFillsTheButtonsRowOnlyAndIsProposedNextTime) {
  ProbeCopy first(L"浏览 甲.exe");
  ProbeCopy second(L"浏览 乙.exe");
  const std::wstring folder = first.Path().substr(0, first.Path().rfind(L'\\'));
  const std::wstring missing = folder + L"\\无此 文件.exe";
  // A file beside the first one that the *.EXE filter keeps out of the listing.
  struct Beside {
    std::wstring path;
    explicit Beside(std::wstring p) : path(std::move(p)) {
      ::CloseHandle(
          ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ~Beside() { ::DeleteFileW(path.c_str()); }
  } note(folder + L"\\说明.txt");
  ASSERT_NE(::GetFileAttributesW(note.path.c_str()), INVALID_FILE_ATTRIBUTES);
  enum Act { kChoose, kCancel, kChooseMissingThenCancel };
  const struct {
    int row;
    const char* focus;  // where the keyboard focus is when the button is clicked
    Act act;
    const std::wstring* file;
  } steps[] = {
      {3, "Edit1", kChoose, &first.Path()},
      {5, "FSetDate2", kCancel, nullptr},
      {1, "Edit1", kChoose, &second.Path()},
      {3, control::kClickInterval, kChooseMissingThenCancel, &missing},
      {2, control::kMessageList, kChoose, &first.Path()},
  };

  std::map<int, std::string> rows;  // what each row's path field must hold
  for (int i = 1; i <= 5; ++i) rows[i] = "E:\\kvtr.exe";
  std::wstring lastChosen;
  const HWND formWindow = form->Handle();
  for (const auto& step : steps) {
    SCOPED_TRACE(control::kRowBrowse + std::to_string(step.row));
    const HWND focus = Find(step.focus);
    ::SetFocus(focus);
    struct Seen {
      OpenDialog dialog;
      bool warned = false, stayedOpen = false, closed = false;
      bool readoutWhileOpen = false;
    } seen;
    const HWND bar = Find(control::kStatusBar);
    const POINT pointer{10 * step.row, 20 * step.row};
    std::atomic<bool> done{false};
    std::thread driver([&] {
      const HWND dialog = WaitForOwnedDialog(formWindow, 10000);
      if (dialog) {
        ::Sleep(300);  // the dialog fills its controls after it shows
        seen.dialog = ReadOpenDialog(dialog);
        // The form's timers go on inside the dialog's modal loop.
        ::SetCursorPos(pointer.x, pointer.y);
        for (int waited = 0; waited < 3000 && !seen.readoutWhileOpen; waited += 20) {
          seen.readoutWhileOpen =
              StatusPanelText(bar, kPointerPanel) == Readout(pointer.x, pointer.y);
          ::Sleep(20);
        }
        if (step.act == kCancel) {
          ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        } else {
          Confirm(dialog, *step.file);
        }
        if (step.act == kChooseMissingThenCancel) {
          // The dialog refuses a file that does not exist with a box of its own and stays.
          const HWND warning = WaitForOwnedDialog(dialog, 5000);
          seen.warned = warning != nullptr;
          if (warning) {
            ::PostMessageW(warning, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            WaitUntilGone(warning, 5000);
          }
          seen.stayedOpen = ::IsWindowVisible(dialog) != FALSE;
          ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        seen.closed = WaitUntilGone(dialog, 10000);
      }
      done = true;
    });
    ClickWindowCentre(Find(control::kRowBrowse + std::to_string(step.row)));
    PumpUntil([&] { return done.load(); }, milliseconds(30000));
    driver.join();
    PumpFor(milliseconds(100));

    ASSERT_TRUE(seen.dialog.window) << "no open-file dialog";
    EXPECT_EQ(seen.dialog.filters, std::vector<std::string>{"可执行文件"});
    if (lastChosen.empty()) {
      EXPECT_EQ(seen.dialog.proposedName, L"");
    } else {
      EXPECT_EQ(win::Narrow(seen.dialog.proposedPath), win::Narrow(lastChosen));
      EXPECT_FALSE(seen.dialog.proposedName.empty());
      EXPECT_TRUE(lastChosen.ends_with(seen.dialog.proposedName));
      // The dialog lists the proposed file's folder, the executables only.
      const std::string name = win::Narrow(lastChosen.substr(lastChosen.rfind(L'\\') + 1));
      EXPECT_EQ(seen.dialog.listed, std::vector<std::string>{name});
    }
    EXPECT_TRUE(seen.closed);
    EXPECT_TRUE(seen.readoutWhileOpen);
    if (step.act == kChooseMissingThenCancel) {
      EXPECT_TRUE(seen.warned) << "a missing file was taken";
      EXPECT_TRUE(seen.stayedOpen);
    }
    if (step.act == kChoose) {
      rows[step.row] = win::Narrow(*step.file);
      lastChosen = *step.file;
    }
    for (int i = 1; i <= 5; ++i) {
      EXPECT_EQ(WindowText(Find(control::kRowPath + std::to_string(i))), rows[i])
          << control::kRowPath << i;
    }
    // The button never took the focus from the field that had it.
    EXPECT_EQ(::GetFocus(), focus);
  }
}

// ---- Pointer readout ----

using PointerReadoutTest = FieldAidsTest;

TEST_F(PointerReadoutTest, FollowsTheRealPointer) {
  const POINT places[] = {{0, 0}, {640, 400}, {1, 1023}, {1279, 0}};
  for (const POINT& p : places) {
    SCOPED_TRACE(Readout(p.x, p.y));
    ASSERT_TRUE(::SetCursorPos(p.x, p.y));
    const auto movedAt = std::chrono::steady_clock::now();
    EXPECT_TRUE(PumpUntil([&] { return Panel1() == Readout(p.x, p.y); }, milliseconds(3000)))
        << Panel1();
    const auto latency =
        std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - movedAt);
    RecordProperty("latency_ms_" + std::to_string(p.x) + "_" + std::to_string(p.y),
                   static_cast<int>(latency.count()));
  }
}

// The whole readout is seen, even for the widest coordinates a screen can have.
TEST_F(PointerReadoutTest, FitsItsPanelWhole) {
  form->UsePointerReader([] { return PointerPosition{-32768, -32768}; });
  ASSERT_TRUE(PumpUntil([&] { return Panel1() == Readout(-32768, -32768); }, milliseconds(3000)));
  form->UsePointerReader(ReadPointer);
  const HWND bar = Find(control::kStatusBar);
  RECT part{};
  ASSERT_TRUE(::SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part)));
  const std::wstring text = win::Widen(kReadoutCaption + "-32768 -- -32768");
  const HDC dc = ::GetDC(bar);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(bar, WM_GETFONT, 0, 0)));
  RECT extent{};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::ReleaseDC(bar, dc);
  // The status bar keeps a few pixels between a panel's edges and its text.
  const int margin = 2 * ::MulDiv(4, form->Dpi(), 96);
  EXPECT_LE(extent.right - extent.left + margin, part.right - part.left);
}

TEST_F(PointerReadoutTest, EachCoordinateComesFromAReadOfItsOwnXFirst) {
  // Every read answers with the number of reads so far in both coordinates.
  int reads = 0;
  form->UsePointerReader([&] {
    ++reads;
    return PointerPosition{reads, reads};
  });
  const std::string before = Panel1();
  ASSERT_TRUE(PumpUntil([&] { return Panel1() != before; }, milliseconds(3000)));
  PumpFor(milliseconds(350));
  const std::string text = Panel1();
  const std::string prefix = kRightAligned + kReadoutCaption;
  ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
  const std::string numbers = text.substr(prefix.size());
  const std::size_t dash = numbers.find(" -- ");
  ASSERT_NE(dash, std::string::npos) << text;
  const int x = std::stoi(numbers.substr(0, dash));
  const int y = std::stoi(numbers.substr(dash + 4));
  EXPECT_EQ(x % 2, 1) << text;
  EXPECT_EQ(y, x + 1) << text;
  EXPECT_GE(reads, 8);  // some ticks have passed
  form->UsePointerReader(ReadPointer);
}

TEST_F(PointerReadoutTest, AFailingReadReachesTheReporterOnEveryTickAndTheReadoutStays) {
  const std::string message = win::SystemErrorMessage(ERROR_ACCESS_DENIED);
  std::atomic<bool> failing{false};
  PointerPosition position{};
  bool nextIsY = false;
  bool failOnY = false;
  form->UsePointerReader([&] {
    const bool isY = nextIsY;
    nextIsY = false;
    if (failing && isY == failOnY) throw Error(message);
    nextIsY = !isY;
    return position;
  });
  for (const bool y : {false, true}) {
    failOnY = y;
    SCOPED_TRACE(failOnY ? "the y read fails" : "the x read fails");
    position = {7, 8};
    ASSERT_TRUE(PumpUntil([&] { return Panel1() == Readout(7, 8); }, milliseconds(3000)));

    struct Seen {
      ErrorBox first, second;
      std::string panelWhileFirst, panelWhileSecond;
      std::size_t boxesWhileFirst = 0;
      bool firstClosed = false, secondClosed = false;
    } seen;
    std::atomic<bool> done{false};
    const DWORD pid = ::GetCurrentProcessId();
    const HWND bar = Find(control::kStatusBar);
    std::thread watcher([&] {
      seen.first = WaitForErrorBox(pid, 5000);
      if (seen.first.window) {
        ::Sleep(600);  // five or six more ticks fail meanwhile
        seen.boxesWhileFirst = ErrorBoxesOf(pid).size();
        seen.panelWhileFirst = StatusPanelText(bar, kPointerPanel);
        seen.firstClosed = CloseErrorBox(seen.first, 3000);
        seen.second = WaitForErrorBox(pid, 3000);
        seen.panelWhileSecond = StatusPanelText(bar, kPointerPanel);
        failing = false;
        if (seen.second.window) seen.secondClosed = CloseErrorBox(seen.second, 3000);
      }
      done = true;
    });
    position = {70, 80};
    failing = true;
    PumpUntil([&] { return done.load(); }, milliseconds(20000));
    watcher.join();

    ASSERT_TRUE(seen.first.window) << "no error box";
    EXPECT_EQ(seen.first.title, "velmora_field_aids_tests");
    EXPECT_EQ(seen.first.text, ReportedText(message));
    EXPECT_EQ(seen.boxesWhileFirst, 1u);
    EXPECT_EQ(seen.panelWhileFirst, Readout(7, 8));
    EXPECT_TRUE(seen.firstClosed);
    ASSERT_TRUE(seen.second.window) << "a later failing tick was not reported";
    EXPECT_EQ(seen.second.text, ReportedText(message));
    EXPECT_EQ(seen.panelWhileSecond, Readout(7, 8));
    EXPECT_TRUE(seen.secondClosed);
    // Reads that succeed again show the pointer again.
    EXPECT_TRUE(PumpUntil([&] { return Panel1() == Readout(70, 80); }, milliseconds(3000)));
    EXPECT_FALSE(ErrorBoxOpen());
  }
  form->UsePointerReader(ReadPointer);
}

}  // namespace
}  // namespace velmora::test

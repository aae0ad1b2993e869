// The main window as designed: every control by name with its class, place, text, state and
// tab order, and the window's own properties. The expectations are written out here from the
// design, apart from the window's layout table, so a slip in either shows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/control_names.h"
#include "core/program_schedule.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/pixels.h"
#include "ui/error_reporter.h"
#include "win/text.h"

namespace velmora::test {
namespace {

enum Check { kNoCheck = -1, kUnchecked = 0, kChecked = 1 };
constexpr int kFitsText = -1;  // an auto-sized label: as wide and high as its text

struct Expected {
  std::string name;
  std::wstring className;
  int left, top, width, height;
  std::string text;
  bool enabled;
  Check check;
  int tabOrder;  // -1: not a tab stop
  DWORD style;   // style bits that must be set
};

// The design, control by control.
std::vector<Expected> Design() {
  std::vector<Expected> d = {
      {"Label1", L"Static", 17, 38, kFitsText, kFitsText, "选择程序", true, kNoCheck, -1, 0},
      {"Label2", L"Static", 528, 38, kFitsText, kFitsText, "执行时间", true, kNoCheck, -1, 0},
      {"Label3", L"Static", 746, 38, kFitsText, kFitsText, "执行操作", true, kNoCheck, -1, 0},
      {"Label4", L"Static", 17, 201, kFitsText, kFitsText, "信息显示", true, kNoCheck, -1, 0},
      {"Label5", L"Static", 734, 197, kFitsText, kFitsText, "只能关闭和程序名相同的进程", true,
       kNoCheck, -1, 0},
      {"Label6", L"Static", 649, 254, kFitsText, kFitsText, "启用时间", true, kNoCheck, -1, 0},
      {"Label7", L"Static", 649, 310, kFitsText, kFitsText, "时间间隔", true, kNoCheck, -1, 0},
      {"Label8", L"Static", 752, 332, kFitsText, kFitsText, "分", true, kNoCheck, -1, 0},
      {"Label9", L"Static", 649, 367, kFitsText, kFitsText, "鼠标单击坐标点", true, kNoCheck, -1,
       0},
      {"Label10", L"Static", 786, 318, 120, 39,
       "启用鼠标点击后如果\r\n启用时间小于当前时\r\n间则默认间隔时间计时", true, kNoCheck, -1, 0},
      {control::kMessageList, L"Edit", 17, 220, 610, 187, "", true, kNoCheck, 15,
       ES_MULTILINE | WS_VSCROLL | ES_WANTRETURN},
      {control::kClickSwitch, L"Button", 649, 222, 97, 17, "启用鼠标单击", true, kUnchecked, 27,
       BS_AUTOCHECKBOX},
      {control::kClickStartDate, L"SysDateTimePick32", 649, 273, 97, 21, "", true, kNoCheck, 28,
       DTS_UPDOWN | DTS_SHORTDATEFORMAT},
      {control::kClickStartTime, L"SysDateTimePick32", 752, 273, 97, 21, "", true, kNoCheck, 29,
       DTS_TIMEFORMAT},
      {control::kClickInterval, L"Edit", 649, 329, 97, 21, "1", true, kNoCheck, 30, 0},
      {control::kClickX, L"Edit", 649, 386, 97, 21, "1080", true, kNoCheck, 31, 0},
      {control::kClickY, L"Edit", 752, 386, 97, 21, "654", true, kNoCheck, 32, 0},
      {control::kToolbar, L"ToolbarWindow32", 0, 0, 911, 29, "", true, kNoCheck, -1, 0},
      {control::kStatusBar, L"msctls_statusbar32", 0, 420, 911, 19, "", true, kNoCheck, -1, 0},
  };
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    const int top = 57 + 28 * (i - 1);
    const int k = i - 1;
    d.push_back(
        {control::kRowPath + n, L"Edit", 17, top, 475, 21, "E:\\kvtr.exe", true, kNoCheck, k, 0});
    d.push_back(
        {control::kRowBrowse + n, L"Button", 498, top, 23, 22, "...", true, kNoCheck, -1, 0});
    d.push_back({control::kRowDate + n, L"SysDateTimePick32", 530, top, 97, 21, "", true, kNoCheck,
                 5 + 2 * k, DTS_UPDOWN | DTS_SHORTDATEFORMAT});
    d.push_back({control::kRowTime + n, L"SysDateTimePick32", 633, top, 97, 21, "", true, kNoCheck,
                 6 + 2 * k, DTS_TIMEFORMAT});
    d.push_back(
        {"GroupBox" + n, L"Button", 736, top, 162, 22, "", true, kNoCheck, -1, BS_GROUPBOX});
    // The radio buttons sit at 10, 1 and 89, 1 in their group box; the first is the one the
    // Tab key lands on, at the group box's place in the tab order.
    d.push_back({control::kRowOpen + n, L"Button", 736 + 10, top + 1, 73, 17, "打开程序", true,
                 kChecked, 22 + k, BS_AUTORADIOBUTTON});
    d.push_back({control::kRowClose + n, L"Button", 736 + 89, top + 1, 65, 17, "关闭程序", true,
                 kUnchecked, -1, BS_AUTORADIOBUTTON});
  }
  return d;
}

struct ToolItem {
  std::string name;
  bool separator;
  int left, width;
  int image;
  std::string caption;
  bool enabled;
};

const ToolItem kToolItems[] = {
    {control::kStartButton, false, 4, 52, 0, "开始", true},
    {"Spacer1", true, 56, 8, -1, "", true},
    {control::kStopButton, false, 64, 52, 4, "停止", false},
    {"Spacer2", true, 116, 8, -1, "", true},
    {control::kClearButton, false, 124, 76, 6, "清除信息", true},
    {"Spacer3", true, 200, 8, -1, "", true},
    {control::kExitButton, false, 208, 52, 2, "退出", true},
};

int S(int value, int dpi) {
  return ::MulDiv(value, dpi, 96);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  const int n = ::GetClassNameW(window, name, 64);
  return std::wstring(name, static_cast<std::size_t>(n));
}

SIZE TextSize(HWND control, const std::string& text) {
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  const std::wstring wide = win::Widen(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return {r.right, r.bottom};
}

class LayoutTest : public FormTest {
 protected:
  void ExpectControlsAt(int dpi) {
    for (const Expected& e : Design()) {
      SCOPED_TRACE(e.name);
      const HWND w = Find(e.name);
      ASSERT_TRUE(w);
      EXPECT_EQ(::CompareStringOrdinal(ClassOf(w).c_str(), -1, e.className.c_str(), -1, TRUE),
                CSTR_EQUAL)
          << win::Narrow(ClassOf(w));
      const RECT r = RectIn(w, form->Handle());
      EXPECT_EQ(r.left, S(e.left, dpi));
      EXPECT_EQ(r.top, S(e.top, dpi));
      SIZE size{S(e.width, dpi), S(e.height, dpi)};
      if (e.width == kFitsText) size = TextSize(w, e.text);
      EXPECT_GT(size.cx, 0);
      EXPECT_EQ(r.right - r.left, size.cx);
      EXPECT_EQ(r.bottom - r.top, size.cy);
    }
  }
};

// The code reaches controls by these names only: each must name a control of the design, and
// each row prefix a control in every row.
TEST(ControlNames, EveryRoleNamesAControlOfTheDesign) {
  const auto designed = [](const std::string& name) {
    return std::any_of(Layout().begin(), Layout().end(),
                       [&](const ControlSpec& s) { return s.name == name; });
  };
  for (const char* name :
       {control::kClickInterval, control::kClickX, control::kClickY, control::kClickStartDate,
        control::kClickStartTime, control::kClickSwitch, control::kMessageList, control::kStatusBar,
        control::kToolbar, control::kStartButton, control::kStopButton, control::kClearButton,
        control::kExitButton}) {
    EXPECT_TRUE(designed(name)) << name;
  }
  for (const char* prefix : {control::kRowPath, control::kRowDate, control::kRowTime,
                             control::kRowOpen, control::kRowClose, control::kRowBrowse}) {
    for (int row = 1; row <= kRowCount; ++row) {
      EXPECT_TRUE(designed(RowControlName(prefix, row))) << prefix << row;
    }
  }
}

TEST_F(LayoutTest, EveryControlHasItsClassPlaceTextAndState) {
  ExpectControlsAt(form->Dpi());
  for (const Expected& e : Design()) {
    SCOPED_TRACE(e.name);
    const HWND w = Find(e.name);
    const auto style = static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE));
    if (ClassOf(w) != L"SysDateTimePick32") {
      EXPECT_EQ(WindowText(w), e.text);
    }
    EXPECT_EQ(::IsWindowEnabled(w) != FALSE, e.enabled);
    EXPECT_TRUE(::IsWindowVisible(w));
    EXPECT_EQ(style & e.style, e.style);
    EXPECT_EQ((style & WS_TABSTOP) != 0, e.tabOrder >= 0);
    if (e.check != kNoCheck) {
      EXPECT_EQ(::SendMessageW(w, BM_GETCHECK, 0, 0), e.check);
    }
  }
}

TEST_F(LayoutTest, FieldsAreOfTheirKind) {
  for (int i = 1; i <= 5; ++i) {
    const auto style = ::GetWindowLongW(Find(control::kRowPath + std::to_string(i)), GWL_STYLE);
    EXPECT_FALSE(style & ES_MULTILINE);
    EXPECT_FALSE(style & ES_READONLY);
  }
  // The message list wraps long lines (no horizontal scrolling) and can be typed into.
  const auto memo = ::GetWindowLongW(Find(control::kMessageList), GWL_STYLE);
  EXPECT_FALSE(memo & (ES_AUTOHSCROLL | WS_HSCROLL | ES_READONLY));
  // A date field shows its value through the short date; a time field is not a date field.
  EXPECT_FALSE(::GetWindowLongW(Find("FSetTime1"), GWL_STYLE) & DTS_SHORTDATEFORMAT);
}

TEST_F(LayoutTest, TabWalksTheControlsInTheirOrder) {
  std::vector<Expected> stops;
  for (const Expected& e : Design()) {
    if (e.tabOrder >= 0) stops.push_back(e);
  }
  std::sort(stops.begin(), stops.end(),
            [](const Expected& a, const Expected& b) { return a.tabOrder < b.tabOrder; });
  // Each Tab moves one step along the order; after the last control it wraps to the first.
  HWND at = Find(stops.front().name);
  for (std::size_t i = 1; i <= stops.size(); ++i) {
    at = ::GetNextDlgTabItem(form->Handle(), at, FALSE);
    EXPECT_EQ(at, Find(stops[i % stops.size()].name)) << "after " << stops[i - 1].name;
  }
  // And with the real key: Tab from the last row's path field goes to row 1's date field,
  // Shift+Tab back.
  ::SetFocus(Find("Edit5"));
  PressKey(VK_TAB);
  EXPECT_EQ(::GetFocus(), Find("FSetDate1"));
  PressKey(VK_TAB, true);
  EXPECT_EQ(::GetFocus(), Find("Edit5"));
  // Out of the message list, where Tab is not typed into the text.
  ::SetFocus(Find(control::kMessageList));
  PressKey(VK_TAB);
  EXPECT_EQ(::GetFocus(), Find("rbtOp1"));
  EXPECT_EQ(Memo(), "");
}

TEST_F(LayoutTest, ToolbarItemsHaveTheirPlaceGlyphCaptionAndState) {
  const HWND toolbar = Find(control::kToolbar);
  const int dpi = form->Dpi();
  for (const ToolItem& t : kToolItems) {
    SCOPED_TRACE(t.name);
    const Control& c = form->ControlByName(t.name);
    EXPECT_EQ(c.window, toolbar);
    const auto index = ::SendMessageW(toolbar, TB_COMMANDTOINDEX, c.design->id, 0);
    ASSERT_GE(index, 0);
    TBBUTTON button{};
    ASSERT_TRUE(::SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, t.separator);
    RECT r{};
    ASSERT_TRUE(::SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
    ::MapWindowPoints(toolbar, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, S(t.left, dpi));
    EXPECT_EQ(r.right - r.left, S(t.width, dpi));
    if (t.separator) continue;
    EXPECT_EQ(r.top, S(2, dpi));
    EXPECT_EQ(button.iBitmap, t.image);
    wchar_t caption[32]{};
    ::SendMessageW(toolbar, TB_GETBUTTONTEXTW, c.design->id, reinterpret_cast<LPARAM>(caption));
    EXPECT_EQ(win::Narrow(caption), t.caption);
    EXPECT_EQ(::SendMessageW(toolbar, TB_ISBUTTONENABLED, c.design->id, 0) != 0, t.enabled);
  }
  // Only the first spacer is a groove: along the middle of each spacer, count the pixels that
  // are not the toolbar's face colour.
  ::UpdateWindow(toolbar);
  const HDC dc = ::GetDC(toolbar);
  for (const ToolItem& t : kToolItems) {
    if (!t.separator) continue;
    SCOPED_TRACE(t.name);
    RECT r{};
    ::SendMessageW(
        toolbar, TB_GETITEMRECT,
        ::SendMessageW(toolbar, TB_COMMANDTOINDEX, form->ControlByName(t.name).design->id, 0),
        reinterpret_cast<LPARAM>(&r));
    int marks = 0;
    for (int x = r.left; x < r.right; ++x) {
      if (::GetPixel(dc, x, (r.top + r.bottom) / 2) != ::GetSysColor(COLOR_BTNFACE)) ++marks;
    }
    if (t.name == "Spacer1") {
      EXPECT_GT(marks, 0);
    } else {
      EXPECT_EQ(marks, 0);
    }
  }
  ::ReleaseDC(toolbar, dc);
  // Captions are shown beside the glyphs, and the glyphs come from ImageList1.
  EXPECT_TRUE(::GetWindowLongW(toolbar, GWL_STYLE) & TBSTYLE_LIST);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)),
            form->ImageList1());
}

TEST_F(LayoutTest, StatusBarHasTwoEmptyPanels) {
  const HWND bar = Find(control::kStatusBar);
  int edges[4]{};
  ASSERT_EQ(::SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], S(200, form->Dpi()));
  // The last panel runs on to the right edge, leaving it more than its 100.
  EXPECT_EQ(edges[1], -1);
  RECT bounds{};
  ::SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&bounds));
  EXPECT_GE(bounds.right - bounds.left, S(100, form->Dpi()));
  EXPECT_FALSE(::GetWindowLongW(bar, GWL_STYLE) & SBARS_SIZEGRIP);
  // Both are empty at start: the pointer readout fills panel 1 from its first tick on, so
  // look at a window that has not yet run its event loop.
  form.reset();
  form = std::make_unique<TForm1>(::GetModuleHandleW(nullptr), win::ReadRegionalPatterns(), clock);
  form->Create();
  EXPECT_EQ(StatusPanelText(Find(control::kStatusBar), kClockPanel), "");
  EXPECT_EQ(StatusPanelText(Find(control::kStatusBar), kPointerPanel), "");
}

TEST_F(LayoutTest, WindowIsAFixedCentredFrameWithItsOwnTaskbarButton) {
  const HWND w = form->Handle();
  EXPECT_EQ(WindowText(w), "Velmora");
  RECT client;
  ::GetClientRect(w, &client);
  EXPECT_EQ(client.right, S(911, form->Dpi()));
  EXPECT_EQ(client.bottom, S(439, form->Dpi()));
  const auto style = static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(::GetWindow(w, GW_OWNER), nullptr);

  RECT frame;
  ::GetWindowRect(w, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(w, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  EXPECT_LE(std::abs((frame.left + frame.right) - (screen.left + screen.right)), 1);
  EXPECT_LE(std::abs((frame.top + frame.bottom) - (screen.top + screen.bottom)), 1);

  EXPECT_EQ(::GetClassLongPtrW(w, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
  EXPECT_TRUE(::SendMessageW(w, WM_GETICON, ICON_BIG, 0));
  EXPECT_TRUE(::SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
}

TEST_F(LayoutTest, WindowCannotBeResizedOrMaximised) {
  const HWND w = form->Handle();
  RECT before;
  ::GetWindowRect(w, &before);
  ::SendMessageW(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  PumpFor(milliseconds(100));
  RECT after;
  ::GetWindowRect(w, &after);
  EXPECT_FALSE(::IsZoomed(w));
  EXPECT_TRUE(::EqualRect(&before, &after));
  // The border does not offer sizing anywhere along it.
  const LRESULT edge =
      ::SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(after.right - 1, after.bottom - 1));
  EXPECT_TRUE(edge != HTBOTTOMRIGHT && edge != HTRIGHT && edge != HTBOTTOM);
}

TEST_F(LayoutTest, EveryControlUsesTahomaEightPoint) {
  for (const Expected& e : Design()) {
    SCOPED_TRACE(e.name);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(Find(e.name), WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    LOGFONTW lf{};
    ASSERT_TRUE(::GetObjectW(font, sizeof(lf), &lf));
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfHeight, -::MulDiv(8, form->Dpi(), 72));
  }
}

TEST_F(LayoutTest, BlueLabelsAreBlueAndTheOthersAreNot) {
  const struct {
    const char* name;
    bool blue;
  } cases[] = {{"Label5", true}, {"Label10", true}, {"Label1", false}, {"Label9", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(Find(c.name)));
    const COLORREF text = ::GetTextColor(dc);
    ::DeleteDC(dc);
    EXPECT_EQ(text == RGB(0, 0, 255), c.blue);
    if (!c.blue) {
      EXPECT_EQ(text, ::GetSysColor(COLOR_WINDOWTEXT));
    }
  }
}

TEST_F(LayoutTest, ANewDensityScalesTheWholeLayout) {
  const int dpis[] = {144, 120, 96};
  for (int dpi : dpis) {
    SCOPED_TRACE(dpi);
    RECT suggested;
    ::GetWindowRect(form->Handle(), &suggested);
    ::SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->Dpi(), dpi);
    ExpectControlsAt(dpi);
    LOGFONTW lf{};
    ::GetObjectW(form->Font(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -::MulDiv(8, dpi, 72));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(form->ImageList1(), &cx, &cy);
    EXPECT_EQ(cx, S(16, dpi));
    const HWND toolbar = Find(control::kToolbar);
    RECT r{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, S(124, dpi));
    EXPECT_EQ(r.right - r.left, S(76, dpi));
  }
}

// The glyphs as drawn: the colour family of each, and that every odd one is the grey twin of
// the one before it, with the same outline.
TEST_F(LayoutTest, ImageListHoldsEightGlyphsInTheirColours) {
  const HIMAGELIST images = form->ImageList1();
  ASSERT_EQ(ImageList_GetImageCount(images), 8);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  ASSERT_EQ(cx, S(16, form->Dpi()));
  ASSERT_EQ(cy, cx);

  // Each glyph drawn alone onto a transparent 32-bit surface.
  const auto pixels = [&](int index) {
    return DrawnPixels(cx, cy,
                       [&](HDC dc) { ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL); });
  };
  struct Tally {
    int blue = 0, green = 0, brown = 0, coloured = 0, opaque = 0, leftHalf = 0;
  };
  const auto tally = [&](const std::vector<std::uint32_t>& px) {
    Tally t;
    for (int i = 0; i < cx * cy; ++i) {
      const std::uint32_t p = px[i];
      if ((p >> 24) < 128) continue;
      const int r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
      ++t.opaque;
      if (i % cx < cx / 2) ++t.leftHalf;
      if (std::max({std::abs(r - g), std::abs(g - b), std::abs(r - b)}) > 24) ++t.coloured;
      if (b > r + 40 && b > g + 20) ++t.blue;
      if (g > r + 40 && g > b + 40) ++t.green;
      if (r > b + 40 && g > b + 10 && r > g) ++t.brown;
    }
    return t;
  };
  const int area = cx * cy;
  const Tally start = tally(pixels(0)), exit = tally(pixels(2)), stop = tally(pixels(4)),
              clear = tally(pixels(6));
  EXPECT_GT(start.blue, area / 5);
  // Right-pointing: the flat side is on the left, so most of the triangle lies there.
  EXPECT_GT(start.leftHalf * 2, start.opaque + start.opaque / 5);
  EXPECT_GT(exit.blue, area / 20);   // the arrow
  EXPECT_GT(exit.brown, area / 20);  // the door leaf
  EXPECT_GT(stop.blue, area / 3);
  EXPECT_EQ(stop.green, 0);
  EXPECT_GT(clear.green, area / 3);
  EXPECT_EQ(clear.blue, 0);
  for (int grey = 1; grey < 8; grey += 2) {
    SCOPED_TRACE(grey);
    const std::vector<std::uint32_t> g = pixels(grey), colour = pixels(grey - 1);
    EXPECT_EQ(tally(g).coloured, 0);
    for (int i = 0; i < area; ++i) ASSERT_EQ(g[i] >> 24, colour[i] >> 24) << "pixel " << i;
  }
}

}  // namespace
}  // namespace velmora::test

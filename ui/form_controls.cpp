#include "ui/form_controls.h"

#include <algorithm>

#include "core/control_names.h"
#include "core/error.h"
#include "res/resource_ids.h"
#include "ui/controls.h"
#include "ui/glyphs.h"
#include "win/system_error.h"

namespace velmora {
namespace {

win::UniqueIcon LoadApplicationIcon(HINSTANCE instance, int metric, int dpi) {
  const int size = ::GetSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
  return win::UniqueIcon(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0)));
}

}  // namespace

FormControls::FormControls(HWND form, HINSTANCE instance)
    : form_(form), instance_(instance), dpi_(static_cast<int>(::GetDpiForWindow(form))) {
  const std::vector<ControlSpec>& layout = Layout();
  // Windows are made in tab order, as the dialog keys follow the order of creation: those
  // outside the tab order come last, and radio buttons right after their group box.
  std::vector<const ControlSpec*> topLevel;
  for (const ControlSpec& s : layout) {
    if (s.parent.empty()) topLevel.push_back(&s);
  }
  std::stable_sort(
      topLevel.begin(), topLevel.end(), [](const ControlSpec* a, const ControlSpec* b) {
        const auto rank = [](const ControlSpec* s) { return s->tabOrder < 0 ? 1000 : s->tabOrder; };
        return rank(a) < rank(b);
      });
  for (const ControlSpec* parent : topLevel) {
    controls_[parent->name] = {parent, CreateControlWindow(*parent, form_, instance_)};
    for (const ControlSpec& s : layout) {
      if (s.parent == parent->name && s.kind == ControlKind::RadioButton) {
        controls_[s.name] = {&s, CreateControlWindow(s, form_, instance_)};
      }
    }
  }
  const HWND toolbar = WindowOf(control::kToolbar);
  const std::vector<const ControlSpec*> items = ToolbarItems();
  AddToolbarItems(toolbar, items);
  for (const ControlSpec* s : items) controls_[s->name] = {s, toolbar};
  ApplyDpi(dpi_);
}

const Control& FormControls::ByName(std::string_view name) const {
  const auto it = controls_.find(name);
  if (it == controls_.end()) throw Error("Component '" + std::string(name) + "' not found");
  return it->second;
}

const Control* FormControls::ByWindow(HWND window) const {
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [window](const auto& c) { return c.second.window == window; });
  return it == controls_.end() ? nullptr : &it->second;
}

std::vector<const ControlSpec*> FormControls::ToolbarItems() {
  std::vector<const ControlSpec*> items;
  for (const ControlSpec& s : Layout()) {
    if (s.kind == ControlKind::ToolButton || s.kind == ControlKind::Spacer) items.push_back(&s);
  }
  return items;
}

void FormControls::ApplyDpi(int dpi) {
  dpi_ = dpi;
  // The new font and glyphs are handed to the controls before the old ones are freed.
  win::UniqueFont font(::CreateFontW(
      -::MulDiv(kFontPoints, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace));
  if (!font) win::RaiseLastOSError();
  const int glyphSize = Scale(16, dpi_);
  win::UniqueImageList images = CreateImageList1(glyphSize);
  win::UniqueImageList disabledImages = CreateDisabledImageList(glyphSize);

  for (const ControlSpec& s : Layout()) {
    if (s.kind == ControlKind::ToolButton || s.kind == ControlKind::Spacer) continue;
    const HWND control = WindowOf(s.name);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font.get())),
                   FALSE);
    // A radio button's place is counted from its group box.
    POINT origin{0, 0};
    if (!s.parent.empty()) {
      const ControlSpec& box = *ByName(s.parent).design;
      origin = {box.left, box.top};
    }
    PlaceControl(control, s, origin, dpi_, font.get());
  }
  ApplyToolbarMetrics(WindowOf(control::kToolbar), ToolbarItems(), dpi_, images.get(),
                      disabledImages.get());
  ApplyStatusBarParts(WindowOf(control::kStatusBar), dpi_);
  font_ = std::move(font);
  imageList1_ = std::move(images);
  disabledImages_ = std::move(disabledImages);

  bigIcon_ = LoadApplicationIcon(instance_, SM_CXICON, dpi_);
  smallIcon_ = LoadApplicationIcon(instance_, SM_CXSMICON, dpi_);
  ::SendMessageW(form_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(static_cast<HICON>(bigIcon_.get())));
  ::SendMessageW(form_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(static_cast<HICON>(smallIcon_.get())));

  RECT frame{0, 0, Scale(kFormClientWidth, dpi_), Scale(kFormClientHeight, dpi_)};
  ::AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, kFormExStyle, static_cast<UINT>(dpi_));
  ::SetWindowPos(form_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(form_, nullptr, TRUE);
}

void ShowCentredOnMonitor(HWND form, int showCommand) {
  RECT frame;
  ::GetWindowRect(form, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(form, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(form, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(form, showCommand);
  ::UpdateWindow(form);
}

}  // namespace velmora

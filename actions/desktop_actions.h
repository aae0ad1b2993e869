// The desktop that the schedules act on, made of the real actions.
#pragma once

#include <windows.h>

#include "core/schedule_context.h"

namespace velmora {

class DesktopActions : public Desktop {
 public:
  explicit DesktopActions(HWND owner) : owner_(owner) {}
  void OpenWithShell(const std::string& path) override;
  void KillProcessByName(const std::string& name) override;
  void ClickAt(std::int32_t x, std::int32_t y) override;

 private:
  HWND owner_;
};

}  // namespace velmora

// The desktop that the schedules act on, made of the real Linux actions.
#pragma once

#include "core/schedule_context.h"

namespace velmora {

class DesktopActions : public Desktop {
 public:
  void OpenWithShell(const std::string& path) override;
  void KillProcessByName(const std::string& name) override;
  void ClickAt(std::int32_t x, std::int32_t y) override;
};

}  // namespace velmora

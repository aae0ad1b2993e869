#include "actions/desktop_actions.h"

#include "actions/launcher.h"
#include "actions/pointer.h"
#include "actions/process_killer.h"

namespace velmora {

void DesktopActions::OpenWithShell(const std::string& path) {
  velmora::OpenWithShell(owner_, path);
}

void DesktopActions::KillProcessByName(const std::string& name) {
  velmora::KillProcessByName(name);
}

void DesktopActions::ClickAt(std::int32_t x, std::int32_t y) {
  velmora::ClickAt(x, y);
}

}  // namespace velmora

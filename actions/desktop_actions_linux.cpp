#include "actions/desktop_actions_linux.h"

#include "actions/launcher_linux.h"
#include "actions/pointer.h"
#include "actions/process_killer_linux.h"

namespace velmora {

void DesktopActions::OpenWithShell(const std::string& path) {
  velmora::OpenWithShell(path);
}

void DesktopActions::KillProcessByName(const std::string& name) {
  velmora::KillProcessByName(name);
}

void DesktopActions::ClickAt(std::int32_t x, std::int32_t y) {
  velmora::ClickAt(x, y);
}

}  // namespace velmora

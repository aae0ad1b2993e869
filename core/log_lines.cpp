#include "core/log_lines.h"

namespace velmora {

std::string OpenedLine(const std::string& path, const std::string& stamp) {
  return "打开程序-" + path + "-执行时间-" + stamp;
}

std::string ClosedLine(const std::string& path, const std::string& stamp) {
  return "关闭程序-" + path + "-执行时间-" + stamp;
}

std::string ClickLine(const std::string& x, const std::string& y, const std::string& stamp) {
  return "鼠标单击坐标-" + x + "," + y + "-执行时间-" + stamp;
}

}  // namespace velmora

#include "core/field_rules.h"

namespace velmora {

bool DateFieldPasses(char32_t c) {
  return (c >= U'0' && c <= U'9') || c == 8;
}

bool NumberFieldPasses(char32_t c) {
  return c >= U'0' && c <= U'9';
}

std::string PointerReadoutText(std::int32_t x, std::int32_t y) {
  return "当前鼠标坐标" + std::to_string(x) + " -- " + std::to_string(y);
}

}  // namespace velmora

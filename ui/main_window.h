#pragma once
#include <windows.h>
namespace velmora {
HWND CreateMainWindow(HINSTANCE instance);
}

# What the scripts share; each sources it first. Strict mode, and the root of the tree as the
# working directory in $root.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# The interface is Chinese: without a chosen locale, run in the Chinese one.
use_default_locale() {
  case "${LANG:-}" in "" | C | C.UTF-8 | POSIX) export LANG=zh_CN.UTF-8 ;; esac
}

# Configures build directory $1 as a Windows cross build, unless it is configured already; the
# windows preset's own directory through the preset.
configure_windows_build() {
  local build=$1
  [ -f "$build/CMakeCache.txt" ] && return
  if [ "$build" = build/windows ] || [ "$build" = "$root/build/windows" ]; then
    cmake --preset windows >/dev/null
  else
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
}

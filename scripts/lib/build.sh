# Configuring the builds. Sourced.
#   varnett_configure_windows DIR [CMAKE OPTIONS]
#     configures the mingw-w64 build in DIR. The toolchain file is named only
#     when DIR is new: CMake reads it on the first run alone, and named again
#     on a rerun it only earns the warning that the variable was not used.
varnett_configure_windows() {
  local dir=$1
  shift
  local toolchain=()
  [ -f "$dir/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
  cmake -S . -B "$dir" -G Ninja "${toolchain[@]}" "$@"
}

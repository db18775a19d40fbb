# Installs the Debian packages the builds and tests need, only those missing.
# Sourced by scripts/test and scripts/run.
varnett_install_deps() {
  local wanted=(g++ cmake ninja-build make python3 libgtest-dev googletest libbenchmark-dev
    zlib1g-dev g++-mingw-w64-x86-64 mingw-w64 libz-mingw-w64-dev binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils fonts-nanum fonts-wine locales imagemagick
    clang libclang-rt-14-dev zip unzip 7zip "$@")
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

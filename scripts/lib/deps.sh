# Installs the Debian packages the builds and tests need, only those missing.
# Sourced by scripts/test, scripts/run, scripts/package and the benchmarks.
varnett_install_deps() {
  local wanted=(g++ cmake ninja-build make python3 libgtest-dev googletest libbenchmark-dev
    zlib1g-dev g++-mingw-w64-x86-64 mingw-w64 libz-mingw-w64-dev binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils fonts-nanum fonts-wine locales imagemagick
    clang libclang-rt-14-dev zip unzip 7zip libdeflate-dev dpkg-dev "$@")
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
  varnett_mingw_libdeflate
}

# libdeflate for the Windows build: Debian packages it only natively, so the
# same version is built from Debian's source package as a static mingw-w64
# library, once, into a cache outside the build folders. Exports
# VARNETT_LIBDEFLATE_MINGW, the folder holding include/ and lib/.
varnett_mingw_libdeflate() {
  local version
  version=$(dpkg-query -W -f='${Version}' libdeflate-dev 2>/dev/null) || return 1
  local cache=${VARNETT_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/varnett}
  local prefix=$cache/libdeflate-$version-mingw-w64
  export VARNETT_LIBDEFLATE_MINGW=$prefix
  [ -s "$prefix/lib/libdeflate.a" ] && [ -s "$prefix/include/libdeflate.h" ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # Source entries beside the binary ones, for `apt-get source`.
  if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
    local list=/etc/apt/sources.list.d/varnett-sources.sources
    if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
      sed -n '/^Types:/s/.*/Types: deb-src/;p' /etc/apt/sources.list.d/*.sources |
        grep -v '^#' | $sudo tee "$list" >/dev/null
    else
      grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        $sudo tee /etc/apt/sources.list.d/varnett-sources.list >/dev/null
    fi
    $sudo apt-get update -qq
  fi
  local work
  work=$(mktemp -d)
  chmod 755 "$work"  # apt fetches as its own user
  (
    set -e
    cd "$work"
    apt-get source -qq --download-only "libdeflate=$version" >/dev/null
    dpkg-source --no-check -x libdeflate_*.dsc src >/dev/null
    mkdir obj
    # No path of this folder may reach the executables; the same sources give
    # the same archive (ar's deterministic mode).
    for c in src/lib/*.c src/lib/*/*.c; do
      x86_64-w64-mingw32-gcc-posix -O2 -DNDEBUG -ffile-prefix-map="$work"/= -Isrc -Isrc/lib \
        -c "$c" -o "obj/$(echo "${c#src/lib/}" | tr / _ | sed 's/\.c$/.o/')"
    done
    mkdir -p "$prefix.tmp/lib" "$prefix.tmp/include"
    x86_64-w64-mingw32-ar rcsD "$prefix.tmp/lib/libdeflate.a" $(ls obj/*.o | LC_ALL=C sort)
    cp src/libdeflate.h "$prefix.tmp/include/"
    rm -rf "$prefix"
    mv "$prefix.tmp" "$prefix"
  )
  local status=$?
  rm -rf "$work"
  [ $status -eq 0 ] || echo "libdeflate for mingw-w64 could not be built" >&2
  return $status
}

# Shared by scripts/test, scripts/demo and scripts/screenshots: set-up on a fresh machine,
# the build, and a display with Wine that is stopped again by the ids of what was started.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ZT_BUILD_DIR:-$ROOT/build}

zt_need_packages() {
    local missing=()
    local pkg
    # 32-bit Wine: the program is 32-bit, as the workstation's engine is.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    for pkg in cmake ninja-build g++-mingw-w64-i686-posix mingw-w64-i686-dev libz-mingw-w64-dev \
        wine wine32:i386 wine64 fonts-wine xvfb imagemagick xauth clang libclang-rt-14-dev python3-pefile \
        zlib1g-dev; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    [ -d /usr/src/googletest ] || { apt-get install -y -qq googletest >/dev/null; }
}

# A prefix made before 32-bit Wine was installed has no syswow64 and cannot start 32-bit programs.
zt_fresh_prefix_if_64bit_only() {
    local prefix=$1
    if [ -d "$prefix/drive_c/windows" ] && [ ! -d "$prefix/drive_c/windows/syswow64" ]; then
        echo "Making a new Wine prefix at $prefix: the old one was made without 32-bit support"
        rm -rf "$prefix"
    fi
}

zt_build() {
    local toolchain="$ROOT/cmake/mingw-w64-i686.cmake"
    # A build folder configured for another toolchain (the former 64-bit build) starts over.
    if [ -f "$BUILD/CMakeCache.txt" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:.*=$toolchain\$" "$BUILD/CMakeCache.txt"; then
        rm -rf "$BUILD/CMakeCache.txt" "$BUILD/CMakeFiles" "$BUILD/build.ninja"
    fi
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$BUILD" -j "$(nproc)"
}

ZT_XVFB_PID=""
ZT_WINESERVER_PID=""

# Starts Xvfb on a free display and a persistent wineserver with the build's own prefix; neither
# keeps a descriptor of ours, so a test runner reading our output is never held open by them.
zt_start_wine() {
    export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
    zt_fresh_prefix_if_64bit_only "$WINEPREFIX"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # A server left over from an interrupted run of this prefix would hold its stale windows.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    ZT_XVFB_PID=$!
    local display
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display"
    wineserver -f -p </dev/null >/dev/null 2>&1 &
    ZT_WINESERVER_PID=$!
    wineboot -i </dev/null >/dev/null 2>&1 || true
    trap zt_stop_wine EXIT
    zt_keep_desktop
}

# Without a process holding it, Wine closes the default desktop between two tests, and the test
# that opens it again hands its output to the new desktop process (see DesktopKeeper.cpp).
zt_keep_desktop() {
    local keeper="$BUILD/bin/ZtDesktopKeeper.exe"
    [ -f "$keeper" ] || return 0
    local ready="$BUILD/desktop-keeper.ready"
    rm -f "$ready"
    wine "$keeper" "$(winepath -w "$ready" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
    local waited=0
    while [ ! -f "$ready" ] && [ "$waited" -lt 300 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    [ -f "$ready" ] || echo "warning: the desktop keeper did not start; tests may wait on Wine's desktop" >&2
}

zt_stop_wine() {
    if [ -n "$ZT_WINESERVER_PID" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
        kill "$ZT_WINESERVER_PID" 2>/dev/null || true
        wait "$ZT_WINESERVER_PID" 2>/dev/null || true
        ZT_WINESERVER_PID=""
    fi
    if [ -n "$ZT_XVFB_PID" ]; then
        kill "$ZT_XVFB_PID" 2>/dev/null || true
        wait "$ZT_XVFB_PID" 2>/dev/null || true
        ZT_XVFB_PID=""
    fi
}

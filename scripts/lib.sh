# Shared by scripts/test, scripts/demo and scripts/screenshots: set-up on a fresh machine,
# the builds, and a display with Wine that is stopped again by the ids of what was started.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The shipped programs are 32-bit (BUILD32), as the workstation's engine is. This machine's kernel
# runs no 32-bit code, so the tests run a 64-bit build of the same sources (BUILD) under 64-bit
# Wine, and the 32-bit files are checked as files (tests/release).
BUILD=${ZT_BUILD_DIR:-$ROOT/build}
BUILD32=${ZT_BUILD32_DIR:-$ROOT/build-i686}

zt_need_packages() {
    local missing=()
    local pkg
    for pkg in cmake ninja-build g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix \
        mingw-w64-x86-64-dev libz-mingw-w64-dev wine wine64 fonts-wine xvfb imagemagick xauth clang \
        libclang-rt-14-dev python3-pefile zlib1g-dev unzip; do
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

# Configures (once) and builds one tree with one toolchain file of cmake/.
zt_build_tree() {
    local tree=$1 toolchain="$ROOT/cmake/$2"
    shift 2
    # A tree configured for another toolchain starts over.
    if [ -f "$tree/CMakeCache.txt" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:.*=$toolchain\$" "$tree/CMakeCache.txt"; then
        rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles" "$tree/build.ninja"
    fi
    if [ ! -f "$tree/build.ninja" ]; then
        cmake -S "$ROOT" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$tree" -j "$(nproc)" "$@"
}

# The build that the tests run on: every target, or the targets named.
zt_build() {
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    zt_build_tree "$BUILD" mingw-w64-x86_64.cmake "${targets[@]}"
}

# What a run of the whole job needs: the utility, the error module, the stand-in engine, the driver.
ZT_RUN_TARGETS=(ZtGnImcon zt_error_display zt_engine ZtDriver)

# The 32-bit build: the shipped programs (the executable, the error module) and both engines of the
# tests, or with "all" every target, tests included, so that every compile-time check (the calling
# conventions above all, which a 64-bit compiler does not tell apart) holds where it matters.
zt_build_release() {
    if [ "${1:-}" = all ]; then
        zt_build_tree "$BUILD32" mingw-w64-i686.cmake
    else
        zt_build_tree "$BUILD32" mingw-w64-i686.cmake --target ZtGnImcon zt_error_display zt_engine zt_published_engine
    fi
}

ZT_XVFB_PID=""
ZT_WINESERVER_PID=""

# Starts Xvfb on a free display and a persistent wineserver with the build's own prefix; neither
# keeps a descriptor of ours, so a test runner reading our output is never held open by them.
zt_start_wine() {
    export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
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
    zt_wine_fonts
    # A program that crashes under a test ends there: Wine's debugger prints its backtrace to the
    # test's output instead of holding it in the crash dialog until the test's timeout.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    trap zt_stop_wine EXIT
    zt_keep_desktop
}

# Wine's own fonts (fonts-wine: Tahoma, MS Sans Serif, ...) in the prefix's Fonts folder, where this
# Wine looks for them: it does not read them where the package puts them, and without them the faces
# that the layouts name fall back to much wider ones. Also puts back fonts that a test left hidden.
zt_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*; do
        [ -e "$fonts/$(basename "$font")" ] || cp "$font" "$fonts/"
    done
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

#!/usr/bin/env bash
# Screenshots of the progress dialog during a run, folded, and finished, under Wine's virtual desktop
# (which draws the title bar): docs/screenshots/progress-{running,folded,finished}.png.
# Uses the build in ZT_BUILD_DIR (default: build); builds progress_shots there first.
source "$(dirname "$0")/../../scripts/lib.sh"
cmake --build "$BUILD" --target progress_shots -j 2
zt_start_wine
out="$ROOT/docs/screenshots"
mkdir -p "$out"
markers=$(mktemp -d)
wine explorer /desktop=shot,800x600 "$BUILD/bin/progress_shots.exe" "$(winepath -w "$markers")" \
    </dev/null >/dev/null 2>&1 &
program=$!

wait_for() { # file, what
    local i
    for ((i = 0; i < 600; i++)); do
        [ -e "$1" ] && return 0
        kill -0 "$program" 2>/dev/null || { echo "the program ended before $2" >&2; return 1; }
        sleep 0.1
    done
    echo "timed out waiting for $2" >&2
    return 1
}

status=0
for stage in running folded finished; do
    wait_for "$markers/$stage.ready" "the $stage stage" || { status=1; break; }
    import -window root -display "$DISPLAY" -crop 800x600+0+0 +repage "$out/progress-$stage.png"
    echo "wrote $out/progress-$stage.png"
    touch "$markers/$stage.go"
done
wait "$program" || true
rm -rf "$markers"
exit "$status"

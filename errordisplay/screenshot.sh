#!/usr/bin/env bash
# Takes docs/screenshots/error-window.png: the real ZtError.dll showing one report over an owner
# window, inside a Wine virtual desktop so that the title bars are drawn.
# Usage: ZT_BUILD_DIR=<build folder> errordisplay/screenshot.sh
source "$(dirname "$0")/../scripts/lib.sh"

OUT=$ROOT/docs/screenshots/error-window.png
SHOT_DIR=$BUILD/bin/errorshot
PROGRAM=$SHOT_DIR/zt_error_window_shot.exe

cmake --build "$BUILD" -j 2 --target zt_error_window_shot zt_error_display
mkdir -p "$(dirname "$OUT")"
rm -f "$SHOT_DIR"/errorshot.{ready,done,result}

zt_start_wine

# Polls for a condition, at most $1 tenths of a second; says what it waited for when it gives up.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local tries=0
    until "$@"; do
        tries=$((tries + 1))
        if [ "$tries" -ge "$limit" ]; then
            echo "gave up waiting for $what" >&2
            return 1
        fi
        sleep 0.1
    done
}

wine explorer /desktop=shot,800x600 "$PROGRAM" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!

wait_for 600 "the report window to be shown" test -f "$SHOT_DIR/errorshot.ready"

desktop_window() { xwininfo -root -tree -display "$DISPLAY" | awk '/"shot - Wine desktop"/ { print $1; exit }'; }
DESKTOP=$(desktop_window)
if [ -n "$DESKTOP" ]; then
    import -window "$DESKTOP" -display "$DISPLAY" "$OUT"
else
    import -window root -display "$DISPLAY" -crop 800x600+0+0 +repage "$OUT"
fi

# The program presses the report's OK button itself once it sees this.
touch "$SHOT_DIR/errorshot.done"
program_running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }
program_ended() { ! program_running; }
wait_for 300 "the program to end after its report was closed" program_ended
wait "$PROGRAM_PID" || { echo "the program failed: exit code $?" >&2; exit 1; }
rm -f "$SHOT_DIR"/errorshot.{ready,done,result}
echo "wrote $OUT"

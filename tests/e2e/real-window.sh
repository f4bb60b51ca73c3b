#!/usr/bin/env bash
# Drives the real divisheet executable in a real X server as a user would: double-click
# the free area, press the update button, toggle the frame lines, change a setting.
# Each action must change the window's image where it should, and the program must
# stay alive throughout. Then the same program under a window manager (openbox): the
# window's outer size is the designed 1036 x 766, the start-up sheet's rows stand where
# later sheets' rows stand, and after a double click the settings panel still takes
# clicks. Starts its own Xvfb when there is no display, and openbox when none runs.
#
# usage: real-window.sh path/to/divisheet
set -uo pipefail

program=${1:?usage: real-window.sh path/to/divisheet}
work=$(mktemp -d)
xvfb_pid=
app_pid=
wm_pid=

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/app.log" ] && sed 's/^/  app: /' "$work/app.log" >&2
    exit 1
}

if [ -z "${DISPLAY:-}" ]; then
    # The server picks a free display number itself and writes it to fd 3: no race with
    # another X server starting at the same time.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
fi
unset QT_QPA_PLATFORM

"$program" >"$work/app.log" 2>&1 &
app_pid=$!

# The program's window: the one of its name that is mapped (Qt's helper windows of the
# same name are not).
find_window() {
    local w
    for _ in $(seq 40); do
        for w in $(xdotool search --name '^Divisheet$' 2>/dev/null); do
            xwininfo -id "$w" 2>/dev/null | grep -q 'IsViewable' && { echo "$w"; return; }
        done
        sleep 0.5
    done
}
window=$(find_window)
[ -n "$window" ] || fail "the window did not appear"
sleep 1

alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program died after: $1"; }

# A region of the screen as a PNG: name x y w h
shot() { import -window root -crop "$4x$5+$2+$3" +repage "$work/$1.png"; }
# Pixels that differ between two shots of the same region.
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }

expect_change() { # what before after
    local n
    n=$(differing "$2" "$3")
    [ "${n%.*}" -gt 50 ] 2>/dev/null || fail "$1: the window did not change where it should ($n pixels)"
    echo "ok: $1 ($n pixels changed)"
}
expect_same() {
    local n
    n=$(differing "$2" "$3")
    [ "${n%.*}" -eq 0 ] 2>/dev/null || fail "$1: the window changed where it should not ($n pixels)"
    echo "ok: $1 (unchanged)"
}

# The figures of the right half of the sheet lie clear of the settings panel.
sheet() { shot "$1" 620 300 416 460; }
# The title line, right of the sheet's code (which changes with every sheet).
header() { shot "$1" 128 0 908 20; }

sheet s0; header h0

# 1. Double-click the free area at the bottom right: a new random sheet, same title.
xdotool mousemove 1020 760 click --repeat 2 --delay 80 1
sleep 1; alive "double click"
sheet s1; header h1
expect_change "double click makes a new sheet" s0 s1
expect_same "double click keeps the title line" h0 h1

# 2. The update button "更新(&N)" in the button panel.
xdotool mousemove 197 38 click 1
sleep 1; alive "update button"
sheet s2
expect_change "update makes a new sheet" s1 s2

# 3. The frame-line check box in the settings panel: frames off, title says so.
xdotool mousemove 253 41 click 1
sleep 1; alive "frame-line check box"
sheet s3; header h3
expect_change "frame lines off" s2 s3
expect_change "title shows frame lines off" h1 h3

# 4. A setting: four-digit divisors; the title changes at once, the sheet does not.
xdotool mousemove 252 236 click 1
sleep 1; alive "four-digit divisor"
sheet s4; header h4
expect_same "a setting leaves the sheet alone" s3 s4
expect_change "a setting changes the title" h3 h4

# 5. Update: a sheet of the new kind.
xdotool mousemove 197 38 click 1
sleep 1; alive "update with the new setting"
sheet s5
expect_change "update makes a sheet of the new kind" s4 s5

# 6. Still running after it all; the window is still there and answers.
alive "the whole session"
xdotool getwindowname "$window" >/dev/null || fail "the window is gone"
echo "ok: the program is still running with its window"

# ---------------------------------------------------------------------------------------
# Under a window manager.
kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; app_pid=
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if ! wm_running; then
    command -v openbox >/dev/null || fail "openbox is not installed"
    # On a loaded machine openbox has been seen to give up on the display at once: it gets
    # three tries.
    for _ in 1 2 3; do
        openbox >"$work/openbox.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 100); do wm_running && break; kill -0 "$wm_pid" 2>/dev/null || break; sleep 0.1; done
        wm_running && break
    done
    wm_running || fail "openbox did not start: $(cat "$work/openbox.log")"
fi

"$program" >"$work/app.log" 2>&1 &
app_pid=$!
window=$(find_window)
[ -n "$window" ] || fail "the window did not appear under the window manager"
sleep 2
alive "start-up under the window manager"

# The client's place and size, and the frame around it.
info=$(xwininfo -id "$window")
cx=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
cy=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
cw=$(awk '/^ *Width/ {print $NF}' <<<"$info")
ch=$(awk '/^ *Height/ {print $NF}' <<<"$info")
read -r fl fr ft fb < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,/ /g')
[ -n "${fb:-}" ] || fail "the window manager reports no frame"
outer="$((cw + fl + fr))x$((ch + ft + fb))"
[ "$outer" = "1036x766" ] || fail "outer size $outer (client ${cw}x${ch}, frame $fl $fr $ft $fb), not 1036x766"
echo "ok: outer size 1036x766 (client ${cw}x${ch} in a frame of $fl, $fr, $ft, $fb)"

# The top of the ink of the sheet's second row, in client pixels, in the rightmost
# column of figures (clear of the panels).
second_row_top() {
    import -window root -crop "180x100+$((cx + 840))+$((cy + 380))" +repage "$work/row.png"
    convert "$work/row.png" -colorspace gray -threshold 50% -negate -scale '1x100!' txt:- \
        | awk -F'[,: ()]+' '/^0,/ && $3 > 0 {print $2 + 380; exit}'
}
start_row=$(second_row_top)
[ -n "$start_row" ] || fail "no figures in the start-up sheet's second row"

# Update: the new sheet's second row stands where the start-up sheet's did.
xdotool mousemove $((cx + 197)) $((cy + 38)) click 1
sleep 1; alive "update under the window manager"
later_row=$(second_row_top)
[ "$start_row" = "$later_row" ] || fail "second row at $start_row at start-up, at $later_row after an update"
echo "ok: the second row stands at $start_row at start-up and after an update"

# Settings panel: a double click on the free area, then a click on the divisors
# 101..909, where the second figure overlaps the panel, must still reach the panel
# (the title changes).
wshot() { import -window root -crop "$4x$5+$((cx + $2))+$((cy + $3))" +repage "$work/$1.png"; }
wshot wh0 128 0 872 20
xdotool mousemove $((cx + 1020)) $((cy + ch - 6)) click --repeat 2 --delay 80 1
sleep 1; alive "double click under the window manager"
xdotool mousemove $((cx + 256)) $((cy + 190)) click 1
sleep 1; alive "a setting after the double click"
wshot wh1 128 0 872 20
expect_change "after a double click the settings panel takes clicks" wh0 wh1

alive "the whole session under the window manager"
echo "ok: the program is still running under the window manager"

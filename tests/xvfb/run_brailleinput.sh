#!/bin/sh
# Starts the program on a virtual X server, opens 点字入力 from the 翻訳 menu
# with the keyboard, types braille with real key presses (XTEST, so the
# program sees the keyboard's own scan codes), copies it and reads the
# clipboard, then closes the program.
#   run_brailleinput.sh MIRABO XCLOSEWINDOW
set -u
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    mirabo=$1
    closer=$2
    waitfor() {
        for _ in $(seq 60); do
            window=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
            [ -n "$window" ] && return 0
            sleep 0.5
        done
        echo "no window $1"
        return 1
    }
    # A chord: all keys down, then all up in the order given.
    chord() {
        down=$1
        up=$2
        for k in $down; do xdotool keydown "$k"; done
        for k in $up; do xdotool keyup "$k"; done
    }
    "$mirabo" &
    pid=$!
    fail() { kill "$pid" 2>/dev/null; wait "$pid"; exit 1; }
    waitfor "^Mirabo  Ver$MIRABO_VERSION" || fail
    xdotool windowfocus --sync "$window"
    xdotool key alt+y i
    waitfor "^点字入力\$" || fail
    xdotool windowfocus --sync "$window"
    sleep 0.5
    chord "f j" "f j"      # dots 1 4: ⠉
    xdotool key space      # a blank cell
    chord "l f k" "k l f"  # dots 1 5 6, released in another order: ⠱
    xdotool key Return
    # Dot 2 held long enough for the keyboard to repeat it: still one ⠂.
    xdotool keydown d
    sleep 1.2
    xdotool keyup d
    xdotool key ctrl+c
    sleep 0.5
    copied=$(xclip -o -selection clipboard)
    expected=$(printf "\342\240\211\342\240\200\342\240\261\n\342\240\202")
    if [ "$copied" != "$expected" ]; then
        echo "copied: $copied"
        echo "expected: $expected"
        fail
    fi
    "$closer" "Mirabo  Ver$MIRABO_VERSION      " 10 || fail
    wait "$pid"
    status=$?
    echo "mirabo ended with status $status"
    exit "$status"
' run_brailleinput "$1" "$2"

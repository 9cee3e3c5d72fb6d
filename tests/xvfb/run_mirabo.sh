#!/bin/sh
# Starts the program on a virtual X server, waits for the main window that
# follows the splash, closes it through its close box and expects the
# program to end with status 0.
#   run_mirabo.sh MIRABO XCLOSEWINDOW
set -u
mirabo=$1
closer=$2
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    "$1" &
    pid=$!
    # The splash stays for three seconds before the main window comes.
    if ! "$2" "Mirabo  Ver2.1      " 30 2.5; then
        kill "$pid" 2>/dev/null
        wait "$pid"
        exit 1
    fi
    wait "$pid"
    status=$?
    echo "mirabo ended with status $status"
    exit "$status"
' run_mirabo "$mirabo" "$closer"

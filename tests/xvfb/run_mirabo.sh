#!/bin/sh
# Starts the program on a virtual X server, waits for the main window that
# follows the splash, with exactly the expected title, closes it through its
# close box and expects the program to end with status 0. Given a file, the
# program opens it and the title is the file's path.
#   run_mirabo.sh MIRABO XCLOSEWINDOW [FILE]
set -u
mirabo=$1
closer=$2
file=${3:-}
# The caption carries the project version, given by CMake.
title="Mirabo  Ver${MIRABO_VERSION}      "
if [ -n "$file" ]; then
    printf 'あ\n' > "$file"
    title=$file
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    if [ -n "$4" ]; then "$1" "$4" & else "$1" & fi
    pid=$!
    # The splash stays for three seconds before the main window comes.
    if ! "$2" "$3" 30 2.5; then
        kill "$pid" 2>/dev/null
        wait "$pid"
        exit 1
    fi
    wait "$pid"
    status=$?
    echo "mirabo ended with status $status"
    exit "$status"
' run_mirabo "$mirabo" "$closer" "$title" "$file"

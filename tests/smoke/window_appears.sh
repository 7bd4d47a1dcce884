#!/usr/bin/env bash
# Starts the real program on a real X server and waits (up to 30 s, for a
# loaded machine) for its main window to be mapped under its title, then
# ends it. Usage: window_appears.sh EXE
set -euo pipefail
exe="$1"
title="Induction motor data  (v. 1.1.1)"

if [[ -z "${IMD_SMOKE_UNDER_XVFB:-}" ]]; then
    # A private server for this test, whatever display the caller has.
    export IMD_SMOKE_UNDER_XVFB=1
    exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "$0" "$@"
fi

unset QT_QPA_PLATFORM # the real xcb platform, not the offscreen one
"$exe" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

for _ in $(seq 1 300); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "smoke: the program ended before its window appeared" >&2
        exit 1
    fi
    if info="$(xwininfo -name "$title" 2>/dev/null)" && grep -q 'Map State: IsViewable' <<<"$info"; then
        echo "smoke: window \"$title\" is shown"
        grep -E 'Width|Height' <<<"$info"
        exit 0
    fi
    sleep 0.1
done
echo "smoke: no window \"$title\" within 30 s" >&2
exit 1

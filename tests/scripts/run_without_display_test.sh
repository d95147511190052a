#!/usr/bin/env bash
# scripts/run on a machine without a display: one line that says so, a
# failing exit status, and no build started.
set -u
ROOT="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cp -r "$ROOT/scripts" "$WORK/scripts"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$WORK/scripts/run" plan.dwg >"$WORK/out" 2>&1
status=$?
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$status" != 0 ] || fail "exit status 0"
[ "$(wc -l <"$WORK/out")" = 1 ] || fail "not one line: $(cat "$WORK/out")"
grep -q "No display" "$WORK/out" || fail "the line does not name the missing display: $(cat "$WORK/out")"
[ -e "$WORK/build" ] && fail "a build was started"
[ "$failures" = 0 ] && echo "run without display: all checks passed"
exit "$failures"

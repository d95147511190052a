#!/usr/bin/env bash
# Runs scripts/install-desktop in a home of its own: the entry names the
# program, a type another application claims stays with it, a second run
# changes nothing, and --remove takes back exactly what was added.
set -u
ROOT="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export HOME="$WORK/home"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_DIRS="$WORK/system"
export XDG_CONFIG_DIRS="$WORK/etc"
mkdir -p "$HOME" "$WORK/system/applications" "$WORK/etc" "$XDG_CONFIG_HOME"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Another program already opens DWG files; the user keeps a default for text.
printf '[Desktop Entry]\nType=Application\nName=Other\nExec=other %%f\nMimeType=image/vnd.dwg;\n' \
  >"$WORK/system/applications/other.desktop"
printf '[Default Applications]\ntext/plain=editor.desktop;\n' >"$XDG_CONFIG_HOME/mimeapps.list"
PROGRAM="$WORK/my \"tools\"/kovra"
mkdir -p "$(dirname "$PROGRAM")"
printf '#!/bin/sh\n' >"$PROGRAM"
chmod +x "$PROGRAM"

"$ROOT/scripts/install-desktop" "$WORK/missing/kovra" >/dev/null 2>&1 && fail "a missing program was installed"
[ -e "$XDG_DATA_HOME/applications/kovra.desktop" ] && fail "a missing program left an entry"

"$ROOT/scripts/install-desktop" "$PROGRAM" >/dev/null || fail "install failed"
"$ROOT/scripts/install-desktop" "$PROGRAM" >/dev/null || fail "second install failed"
ENTRY="$XDG_DATA_HOME/applications/kovra.desktop"
grep -qxF 'Exec="'"$WORK"'/my \"tools\"/kovra" %F' "$ENTRY" || fail "Exec line: $(grep ^Exec= "$ENTRY")"
grep -qx 'MimeType=image/vnd.dwg;image/vnd.dxf;' "$ENTRY" || fail "the entry lists no drawing types"
LIST="$XDG_CONFIG_HOME/mimeapps.list"
[ "$(grep -cx 'image/vnd.dxf=kovra.desktop;' "$LIST")" = 1 ] || fail "DXF default: $(cat "$LIST")"
grep -q '^image/vnd.dwg=' "$LIST" && fail "DWG was taken from the other program"
grep -qx 'text/plain=editor.desktop;' "$LIST" || fail "the user's other default was lost"
if command -v xmllint >/dev/null; then
  xmllint --noout "$XDG_DATA_HOME/mime/packages/kovra.xml" || fail "the MIME file is not well-formed"
fi

"$ROOT/scripts/install-desktop" --remove >/dev/null || fail "remove failed"
[ -e "$ENTRY" ] && fail "the entry stayed"
[ -e "$XDG_DATA_HOME/mime/packages/kovra.xml" ] && fail "the MIME file stayed"
grep -q 'kovra.desktop' "$LIST" && fail "a default stayed: $(cat "$LIST")"
grep -qx 'text/plain=editor.desktop;' "$LIST" || fail "remove lost the user's other default"

[ "$failures" = 0 ] && echo "install-desktop: all checks passed"
exit "$failures"

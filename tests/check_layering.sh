#!/usr/bin/env bash
# Keeps the folders' layering: the drawing side builds and runs without Qt
# and without the shell; core depends on nothing of ours.
set -u
cd "$1" || exit 2
status=0

fail() { echo "$1"; echo "$2" | sed 's/^/  /'; status=1; }

sources() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null; }

drawing_side=(core database display entities annotation files)
qt_in_drawing=$(sources "${drawing_side[@]}" | grep -v '^display/screen_device' \
  | xargs -r grep -lE '#include *[<"]Q' || true)
[ -z "$qt_in_drawing" ] || fail "Qt included on the drawing side:" "$qt_in_drawing"

upward=$(sources "${drawing_side[@]}" platform \
  | xargs -r grep -lE '#include *"(shell|commands|dialogs)/' || true)
[ -z "$upward" ] || fail "The drawing side or platform includes the shell, commands or dialogs:" "$upward"

core_deps=$(sources core | xargs -r grep -lE '#include *"(platform|database|display|entities|annotation|files|shell|commands|dialogs)/' || true)
[ -z "$core_deps" ] || fail "core includes other folders of ours:" "$core_deps"

widgets=$(sources commands platform/*.h platform/*.cpp 2>/dev/null \
  | xargs -r grep -lE '#include *[<"](QtWidgets|QWidget|QApplication|QDialog|QMainWindow)' || true)
[ -z "$widgets" ] || fail "Qt Widgets used outside the shell, dialogs and the GUI half of the platform:" "$widgets"

exit $status

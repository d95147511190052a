#!/usr/bin/env bash
# Keeps the floors: a folder includes only its own headers and those of the
# folders on the floors below it. Folders that share a floor do not include
# each other. The drawing side (up to files/) builds and runs without Qt;
# Qt Widgets live only in the window and dialog folders.
set -u
cd "$1" || exit 2

# Bottom to top; folders on one line share a floor.
floors=(
  "core"
  "platform"
  "filers"
  "imaging fonts"
  "database"
  "entities"
  "display"
  "export"
  "files"
  "shell"
  "commands"
  "dialogs"
  "window"
)

status=0
fail() { echo "$1"; echo "$2" | sed 's/^/  /'; status=1; }
sources() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort; }

all_folders=$(printf '%s\n' "${floors[@]}" | tr ' ' '\n')
for folder in $all_folders; do
  [ -d "$folder" ] || fail "A floor names a folder that does not exist:" "$folder"
done
for folder in $(find . -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort); do
  case "$folder" in .*|build|tests|bench|fuzz|cmake|scripts|Support|Fonts) continue ;; esac
  [ -z "$(sources "$folder")" ] && continue
  echo "$all_folders" | grep -qx "$folder" || fail "A source folder stands on no floor:" "$folder"
done

allowed=""
for floor in "${floors[@]}"; do
  for folder in $floor; do
    pattern="^($(echo "$allowed $folder" | xargs | tr ' ' '|'))/"
    upward=$(sources "$folder" | while read -r file; do
      grep -oE '#include *"[a-z_]+/' "$file" | sed -E 's/#include *"//; s#/$##' | sort -u | while read -r target; do
        echo "$target/" | grep -qE "$pattern" || echo "$file includes $target/"
      done
    done)
    [ -z "$upward" ] || fail "$folder/ reaches above its floor:" "$upward"
  done
  allowed="$allowed $floor"
done

drawing_side=(core platform filers imaging fonts database entities display export files)
qt_in_drawing=$(sources "${drawing_side[@]}" | grep -v '^platform/qt/' \
  | xargs -r grep -lE '#include *[<"]Q' || true)
[ -z "$qt_in_drawing" ] || fail "Qt included on the drawing side:" "$qt_in_drawing"

widgets=$(sources platform shell commands \
  | xargs -r grep -lE '#include *[<"](QtWidgets|QWidget|QApplication|QDialog|QMainWindow|QMdi)' || true)
[ -z "$widgets" ] || fail "Qt Widgets used outside the window folders:" "$widgets"

exit $status

# ./dev shot OUT.png [--lesson N] [--size WxH] [--settings FILE] [--search KEYS] [--open DIALOG]
#                    [--hits KEYS] [--drag X0,Y0,X1,Y1]
# Builds, starts the reader under Xvfb in a fresh Wine prefix with the given settings seeded,
# waits until it is idle, saves its window as PNG and closes it. A settings file holds lines
# `Name=dword:N` (decimal or 0x hex), `Name=string:TEXT` or `Name=binary:HEX` for the values of
# the reader's registry key; '#' starts a comment line. --search types KEYS into the search dialog
# (Latin keys through the Hebrew keyboard map) and presses Enter first; --open index|search|font|about
# saves that dialog instead of the main window; --open date the dialog of Go > Date. --hits types
# KEYS into the search dialog and saves its list of all hits; --drag selects by dragging over the
# view from one client point to another first. QM_GUI_DPI=N takes it at N dots per inch.
# Settings that name no "FontName" get Frank Ruehl CLM (Debian culmus) at 14 points, so the shot
# shows pointed Yiddish instead of the first-start font dialog.
if [ $# -lt 1 ] || [[ $1 == --* ]]; then
  echo "usage: ./dev shot OUT.png [--lesson N] [--size WxH] [--settings FILE] [--search KEYS]" \
    "[--open index|search|font|about|date] [--hits KEYS] [--drag X0,Y0,X1,Y1]" >&2
  exit 2
fi
shot_out=$1
shift
shot_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --lesson | --size | --search | --open | --hits | --drag)
      [ $# -ge 2 ] || { echo "$1 needs a value" >&2; exit 2; }
      shot_args+=("$1" "$2")
      shift 2
      ;;
    --settings)
      [ $# -ge 2 ] && [ -f "$2" ] || { echo "--settings needs a readable file" >&2; exit 2; }
      shot_args+=("$1" "$(realpath "$2")")
      shift 2
      ;;
    *)
      echo "unknown option: $1" >&2
      exit 2
      ;;
  esac
done
build_windows --target quillmere quillmere_gui_driver >/dev/null
shot_abs=$(realpath -m "$shot_out")
mkdir -p "$(dirname "$shot_abs")"
say "screenshot -> $shot_out"
"$ROOT/tests/gui/run-gui-test" shot "$WINDOWS/quillmere_gui_driver.exe" "$WINDOWS/quillmere.exe" \
  shot "$shot_abs" "${shot_args[@]}" 2> >(grep -v 'X connection' >&2)
# The driver writes PNG with stored (uncompressed) blocks; squeeze it when ImageMagick is here.
if [[ $shot_abs == *.png ]] && command -v convert >/dev/null; then
  convert "$shot_abs" -define png:compression-level=9 "$shot_abs.tmp.png" &&
    mv "$shot_abs.tmp.png" "$shot_abs"
fi

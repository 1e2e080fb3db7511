# ./dev screens: the lesson, the index, the search, font and About dialogs, and below them a
# selection in the lesson, the list of all hits and the dialog of Go > Date, at 96, 144 and 192
# dots per inch, each set joined into one picture: docs/screens-96.png, -144.png and -192.png.
# Sourced by ./dev (ROOT, say and run_script come from there).
screens_main() {
  local work settings dpi view
  work=$(mktemp -d)
  settings=$work/settings
  # A Unicode Hebrew face on the default options.
  printf 'FontName=string:Ezra SIL\nFontSize=dword:16\nFontAsciiBase=dword:0x5D0\n' \
    >"$settings"
  for dpi in 96 144 192; do
    say "screens at $dpi dpi"
    QM_GUI_DPI=$dpi run_script shot "$work/lesson.png" --lesson 40 --size 760x560 --settings "$settings"
    for view in index search font about; do
      QM_GUI_DPI=$dpi run_script shot "$work/$view.png" --lesson 40 --size 760x560 \
        --settings "$settings" --open "$view"
    done
    convert "$work/index.png" "$work/search.png" -gravity center -background white -append \
      "$work/left.png"
    convert "$work/font.png" "$work/about.png" -gravity center -background white -append \
      "$work/right.png"
    convert "$work/lesson.png" "$work/left.png" "$work/right.png" -bordercolor white -border 6 \
      -gravity north -background white +append "$work/top.png"
    # A selection dragged over a few lines of the body.
    QM_GUI_DPI=$dpi run_script shot "$work/selection.png" --lesson 40 --size 760x560 \
      --settings "$settings" --drag 600,230,250,330
    QM_GUI_DPI=$dpi run_script shot "$work/hits.png" --lesson 40 --size 760x560 \
      --settings "$settings" --hits ngbya
    QM_GUI_DPI=$dpi run_script shot "$work/date.png" --lesson 40 --size 760x560 \
      --settings "$settings" --open date
    convert "$work/hits.png" "$work/date.png" -gravity center -background white -append \
      "$work/tools.png"
    convert "$work/selection.png" "$work/tools.png" -bordercolor white -border 6 \
      -gravity north -background white +append "$work/bottom.png"
    convert "$work/top.png" "$work/bottom.png" -gravity west -background white -append \
      "$ROOT/docs/screens-$dpi.png"
  done
  rm -rf "$work"
  ls -l "$ROOT"/docs/screens-*.png
}
screens_main "$@"

# ./dev package: the installer and the portable zip into dist/, and a fresh README screenshot.
# Sourced by ./dev (ROOT, say, build_windows are available).
package_main() {
  build_windows
  local exe="$WINDOWS/quillmere.exe" dist="$ROOT/dist" icon
  icon=$(ls "$ROOT"/resources/*.ico 2>/dev/null | head -n 1)
  mkdir -p "$dist"
  say "installer"
  local icon_arg=()
  [ -n "$icon" ] && icon_arg=(-DICON="$icon")
  makensis -V2 -DEXE="$exe" -DREADME="$ROOT/tools/installer/README.txt" "${icon_arg[@]}" \
    -DOUTFILE="$dist/quillmere-1.85a-setup.exe" "$ROOT/tools/installer/quillmere.nsi"
  say "portable zip"
  local stage
  stage=$(mktemp -d)
  mkdir -p "$stage/Quillmere"
  cp "$exe" "$stage/Quillmere/quillmere.exe"
  cp "$ROOT/tools/installer/README.txt" "$stage/Quillmere/README.txt"
  rm -f "$dist/quillmere-1.85a-portable.zip"
  (cd "$stage" && zip -q -r -9 "$dist/quillmere-1.85a-portable.zip" Quillmere)
  rm -rf "$stage"
  if [ -f "$ROOT/tools/dev/shot.sh" ]; then
    say "README screenshot"
    run_script shot "$ROOT/docs/lesson.png" --lesson 136 --size 800x600
  fi
  ls -l "$dist"
}
package_main "$@"

# ./dev bench [RUNS]: the native benchmarks (quillmere-bench), then the Wine measurements (start-up
# against a minimal window program, Search Again to "Not Found!", working set), then one summary
# table with the goals. RUNS: starts of each program under Wine (default 5, median taken).
# Sourced by ./dev (ROOT, NATIVE, WINDOWS, say, build_native and build_windows come from there).

bench_run() {
  local runs=${1:-5}
  case "$runs" in
    *[!0-9]* | 0)
      echo "usage: ./dev bench [RUNS]" >&2
      return 2
      ;;
  esac
  local out=$ROOT/build/bench
  mkdir -p "$out"
  rm -f "$out/native.json" "$out/wine.txt"

  build_native --target quillmere-bench >/dev/null || return 1
  if [ ! -x "$NATIVE/quillmere-bench" ]; then
    echo "bench: quillmere-bench was not built (is libbenchmark-dev installed?)" >&2
    return 1
  fi
  say "native benchmarks"
  "$NATIVE/quillmere-bench" --benchmark_counters_tabular=true \
    --benchmark_out="$out/native.json" --benchmark_out_format=json || return 1

  build_windows --target quillmere quillmere_startup_timer quillmere_minimal_window >/dev/null ||
    return 1
  say "start-up and Search Again under Wine ($runs runs each)"
  "$ROOT/tests/gui/run-gui-test" bench "$WINDOWS/quillmere_startup_timer.exe" \
    "$WINDOWS/quillmere.exe" "$WINDOWS/quillmere_minimal_window.exe" "$runs" \
    >"$out/wine.txt" 2> >(grep -v 'X connection' >&2) || echo "bench: the Wine timing failed" >&2
  grep -v '^qm-bench ' "$out/wine.txt" | tr -d '\r' >&2 || true

  say "summary"
  python3 "$ROOT/tools/dev/bench_table.py" "$out/native.json" "$out/wine.txt" \
    "$(stat -c %s "$WINDOWS/quillmere.exe")"
}

bench_run "$@" || exit $?
unset -f bench_run

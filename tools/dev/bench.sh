# ./dev bench: builds quillmere-bench (native) and prints its table. Sourced by ./dev.

bench_run() {
  build_native --target quillmere-bench >/dev/null || return 1
  if [ ! -x "$NATIVE/quillmere-bench" ]; then
    echo "bench: quillmere-bench was not built (is libbenchmark-dev installed?)" >&2
    return 1
  fi
  say "benchmarks"
  "$NATIVE/quillmere-bench" --benchmark_counters_tabular=true "$@"
}

bench_run "$@" || exit $?
unset -f bench_run

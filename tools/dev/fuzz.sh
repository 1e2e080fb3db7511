# ./dev fuzz [SECONDS | --smoke]: builds the libFuzzer targets and runs each one for SECONDS
# (default 60; --smoke: a few seconds each, about 20 s in all). Any crash, leak or sanitizer
# report fails. Sourced by ./dev (ROOT, JOBS and say come from there).

fuzz_run_all() {
  local seconds=60 smoke=0
  case "${1:-}" in
    --smoke) smoke=1 ;;
    '') ;;
    *[!0-9]* | 0)
      echo "usage: ./dev fuzz [SECONDS | --smoke]" >&2
      return 2
      ;;
    *) seconds=$1 ;;
  esac

  local build=$ROOT/build/fuzz
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake --preset fuzz >/dev/null || return 1
  fi
  say "fuzz build"
  cmake --build "$build" -j "$JOBS" --target fuzz_all >/dev/null || return 1

  local sources=("$ROOT"/fuzz/fuzz_*.cpp)
  if [ "$smoke" -eq 1 ]; then
    seconds=$((20 / ${#sources[@]}))
    [ "$seconds" -ge 2 ] || seconds=2
  fi

  local source name work seeds
  for source in "${sources[@]}"; do
    name=$(basename "$source" .cpp)
    seeds=$ROOT/fuzz/corpus/$name
    # New inputs go to the build tree; the checked-in seeds stay as they are.
    work=$build/corpus/$name
    mkdir -p "$work" "$build/artifacts" "$seeds"
    say "fuzz $name (${seconds} s)"
    if ! "$build/$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" "$work" "$seeds" 2>"$build/$name.log"; then
      tail -n 40 "$build/$name.log" >&2
      echo "fuzz: $name failed; the input is in $build/artifacts/" >&2
      return 1
    fi
    grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$build/$name.log" >&2 || true
  done
}

fuzz_run_all "$@" || exit $?
unset -f fuzz_run_all

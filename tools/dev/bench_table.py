#!/usr/bin/env python3
"""Prints the one summary table of ./dev bench from the native benchmark JSON and the Wine numbers.

usage: bench_table.py NATIVE.json WINE.txt EXE_BYTES
WINE.txt holds the "qm-bench NAME VALUE" lines of the start-up timer (missing: not measured).
"""
import json
import sys

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def load_native(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    found = {}
    for b in data.get("benchmarks", []):
        if b.get("run_type", "iteration") != "iteration" or b.get("error_occurred"):
            continue
        found[b["name"]] = b
    return found, data.get("context", {})


def load_wine(path):
    numbers = {}
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                parts = line.split()
                if len(parts) == 3 and parts[0] == "qm-bench":
                    numbers[parts[1]] = float(parts[2])
    except OSError:
        pass
    return numbers


class Table:
    def __init__(self):
        self.rows = []

    def add(self, what, value, against="", ratio="", goal="", verdict=""):
        self.rows.append((what, value, against, ratio, goal, verdict))

    def print(self):
        head = ("Measure", "Value", "Side by side", "Ratio", "Goal", "Verdict")
        widths = [max(len(r[i]) for r in self.rows + [head]) for i in range(len(head))]

        def line(cells):
            return "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"

        print(line(head))
        print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
        for r in self.rows:
            print(line(r))


def verdict(ok):
    return "met" if ok else "MISSED"


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    native, context = load_native(sys.argv[1])
    wine = load_wine(sys.argv[2])
    exe_bytes = int(sys.argv[3]) if sys.argv[3].isdigit() else None

    def ms(name):
        b = native.get(name)
        return None if b is None else b["cpu_time"] * TO_MS[b["time_unit"]]

    def mbps(name):
        b = native.get(name)
        return None if b is None or "bytes_per_second" not in b else b["bytes_per_second"] / 1e6

    t = Table()
    missing = "not measured"

    decode, copy = mbps("BM_DecodeAllLessons"), mbps("BM_CopyAllLessons")
    if decode is not None and copy is not None:
        t.add("Decode all 247 lessons (native)", f"{decode:,.0f} MB/s",
              f"memcpy of the same bytes {copy:,.0f} MB/s", f"{copy / decode:.1f}x slower",
              ">= 1,000 MB/s", verdict(decode >= 1000))
    else:
        t.add("Decode all 247 lessons (native)", missing)
    hot = mbps("BM_DecodeOneLessonHot/entry:196")
    if hot is not None and decode is not None:
        t.add("  one lesson decoded again and again", f"{hot:,.0f} MB/s",
              f"all lessons {decode:,.0f} MB/s", f"{hot / decode:.1f}x")

    search, load = ms("BM_SearchAgainFindsNothing"), ms("BM_LoadAllLessons")
    plain, matcher = ms("BM_PlainByteSearchDecoded"), ms("BM_FindInTextDecoded")
    if search is not None:
        t.add("Not-found search, all lessons (native)", f"{search:.2f} ms", "", "", "< 5 ms",
              verdict(search < 5))
    else:
        t.add("Not-found search, all lessons (native)", missing)
    if search is not None and load is not None:
        t.add("  against decoding alone", f"{search:.2f} ms", f"decoding {load:.2f} ms",
              f"{search / load:.2f}x", "<= 3x", verdict(search <= 3 * load))
    if search is not None and plain is not None:
        t.add("  against a plain byte search", f"{search:.2f} ms",
              f"byte search of decoded texts {plain:.3f} ms", f"{search / plain:.0f}x")
    if matcher is not None and plain is not None:
        t.add("  its matcher alone, decoded texts", f"{matcher:.3f} ms",
              f"byte search {plain:.3f} ms", f"{matcher / plain:.1f}x")

    listed = ms("BM_ListAllHits")
    lessons = native.get("BM_ListAllHits", {}).get("lessons")
    t.add("List of all hits, whole year (native)",
          f"{listed:.2f} ms" if listed is not None else missing,
          f"{lessons:.0f} lessons listed" if listed is not None and lessons else "", "", "< 50 ms",
          verdict(listed < 50) if listed is not None else "")

    layout, draw = ms("BM_LayoutLesson"), ms("BM_DrawScreen")
    t.add("Layout of the largest lesson (native)",
          f"{layout * 1000:.0f} us" if layout is not None else missing)
    t.add("Drawing one screen (native)", f"{draw * 1000:.0f} us" if draw is not None else missing)

    reader, minimal = wine.get("reader_start_ms"), wine.get("minimal_start_ms")
    runs = int(wine.get("runs", 0))
    if reader is not None and minimal is not None:
        t.add(f"Start-up until the lesson is painted (Wine, median of {runs})", f"{reader:.0f} ms",
              f"minimal window {minimal:.0f} ms", f"{reader / minimal:.2f}x", "<= 1.5x",
              verdict(reader <= 1.5 * minimal))
    else:
        t.add("Start-up until the lesson is painted (Wine)", missing)
    shown, minimal_shown = wine.get("reader_shown_ms"), wine.get("minimal_shown_ms")
    if shown is not None and minimal_shown is not None:
        t.add("  of which until the window is shown", f"{shown:.0f} ms",
              f"minimal window {minimal_shown:.0f} ms", f"{shown / minimal_shown:.2f}x")
    again = wine.get("search_again_ms")
    t.add(f"Search Again to \"Not Found!\" (Wine, median of {runs})",
          f"{again:.0f} ms" if again is not None else missing)

    if exe_bytes is not None:
        t.add("Size of quillmere.exe", f"{exe_bytes / 1024:,.0f} KB", "", "", "< 2 MB",
              verdict(exe_bytes < 2 * 1024 * 1024))
    else:
        t.add("Size of quillmere.exe", missing)
    for key, what in (("working_set_lesson_kb", "Working set, lesson shown (Wine)"),
                      ("working_set_searched_kb", "Working set, after a full search (Wine)"),
                      ("peak_working_set_kb", "Peak working set (Wine)")):
        value = wine.get(key)
        t.add(what, f"{value:,.0f} KB" if value is not None else missing)

    t.print()
    cpus = context.get("num_cpus")
    load_avg = context.get("load_avg")
    if cpus:
        extra = f", load average {', '.join(f'{x:.1f}' for x in load_avg)}" if load_avg else ""
        print(f"\nNative times are CPU times (as the MB/s are), which other work on the machine "
              f"disturbs least; {cpus} CPUs{extra}.")
    return 0


if __name__ == "__main__":
    sys.exit(main())

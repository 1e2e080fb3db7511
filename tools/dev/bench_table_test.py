#!/usr/bin/env python3
"""Checks the summary table of ./dev bench over made-up benchmark and Wine outputs."""
import io
import json
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bench_table.py")


def bench(name, cpu, unit, **extra):
    return {"name": name, "run_type": "iteration", "real_time": cpu * 3, "cpu_time": cpu,
            "time_unit": unit, **extra}


def run_table(benchmarks, wine_lines, exe_bytes="1000000"):
    with tempfile.TemporaryDirectory() as d:
        native = os.path.join(d, "native.json")
        wine = os.path.join(d, "wine.txt")
        with open(native, "w", encoding="utf-8") as f:
            json.dump({"context": {"num_cpus": 2}, "benchmarks": benchmarks}, f)
        if wine_lines is not None:
            with open(wine, "w", encoding="utf-8") as f:
                f.write("\r\n".join(wine_lines) + "\r\n")
        out = subprocess.run([sys.executable, SCRIPT, native, wine, exe_bytes],
                             capture_output=True, text=True, check=True).stdout
    return {line.split("|")[1].strip(): [c.strip() for c in line.split("|")[2:-1]]
            for line in io.StringIO(out) if line.startswith("| ")}


FULL = [
    bench("BM_DecodeAllLessons", 2000, "us", bytes_per_second=8.0e8),
    bench("BM_CopyAllLessons", 50, "us", bytes_per_second=3.2e10),
    bench("BM_SearchAgainFindsNothing", 4.0, "ms"),
    bench("BM_LoadAllLessons", 2000000, "ns"),
    bench("BM_PlainByteSearchDecoded", 0.5, "ms"),
    bench("BM_FindInTextDecoded", 1.5, "ms"),
    bench("BM_ListAllHits", 4500, "us", lessons=212),
    bench("BM_LayoutLesson", 42, "us"),
    bench("BM_DrawScreen", 10000, "ns"),
]
WINE = ["run 1: noise", "qm-bench runs 5.000", "qm-bench minimal_start_ms 200.0",
        "qm-bench reader_start_ms 320.0", "qm-bench reader_shown_ms 150.0",
        "qm-bench minimal_shown_ms 100.0", "qm-bench search_again_ms 30.0",
        "qm-bench working_set_lesson_kb 2048.0"]


class TableTest(unittest.TestCase):
    def test_goals_and_ratios_from_cpu_times_in_any_unit(self):
        rows = run_table(FULL, WINE)
        decode = rows["Decode all 247 lessons (native)"]
        self.assertEqual(decode[0], "800 MB/s")
        self.assertEqual(decode[2], "40.0x slower")
        self.assertEqual(decode[4], "MISSED")
        self.assertEqual(rows["Not-found search, all lessons (native)"][0], "4.00 ms")
        self.assertEqual(rows["Not-found search, all lessons (native)"][4], "met")
        against = rows["against decoding alone"]
        self.assertEqual(against[1], "decoding 2.00 ms")  # ns converted, CPU time taken
        self.assertEqual(against[2], "2.00x")
        self.assertEqual(rows["against a plain byte search"][2], "8x")
        listed = rows["List of all hits, whole year (native)"]
        self.assertEqual(listed[0], "4.50 ms")
        self.assertEqual(listed[1], "212 lessons listed")
        self.assertEqual(listed[4], "met")
        self.assertEqual(rows["Layout of the largest lesson (native)"][0], "42 us")
        self.assertEqual(rows["Drawing one screen (native)"][0], "10 us")

    def test_start_up_ratio_and_size(self):
        rows = run_table(FULL, WINE, exe_bytes=str(3 * 1024 * 1024))
        start = rows["Start-up until the lesson is painted (Wine, median of 5)"]
        self.assertEqual(start[2], "1.60x")
        self.assertEqual(start[4], "MISSED")
        self.assertEqual(rows["of which until the window is shown"][2], "1.50x")
        self.assertEqual(rows["Size of quillmere.exe"][4], "MISSED")
        self.assertEqual(rows["Working set, lesson shown (Wine)"][0], "2,048 KB")
        self.assertEqual(rows["Peak working set (Wine)"][0], "not measured")

    def test_missing_and_failed_measurements_are_not_invented(self):
        failed = dict(FULL[0], error_occurred=True)
        rows = run_table([failed] + FULL[1:], None, exe_bytes="")
        self.assertEqual(rows["Decode all 247 lessons (native)"][0], "not measured")
        self.assertEqual(rows["Start-up until the lesson is painted (Wine)"][0], "not measured")
        self.assertEqual(rows["Size of quillmere.exe"][0], "not measured")


if __name__ == "__main__":
    unittest.main()

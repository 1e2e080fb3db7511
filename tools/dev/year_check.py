#!/usr/bin/env python3
"""Checks the year of lesson sources as a reader and the search would meet them.

    tools/dev/year_check.py [--cli build/native/quillmere-cli] [--root .]

Prints the year's figures and fails (exit 1) when one of them misses its mark:
  - every lesson compiles and its stored text is 2789 to 11642 bytes;
  - no sentence stands in two lessons, apart from the fixed formulas (the date lines and the
    labels of sayings and notes);
  - at least 10,000 distinct words (points ignored) and at least 3,000 that one lesson alone has;
  - every code of the reader's letter table appears in the year;
  - for every lesson, the key word named in its "# key:" line is found by `quillmere-cli search`
    in that lesson first, searching from lesson 1.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import unicodedata
from collections import defaultdict

LESSONS = 247
MIN_TEXT, MAX_TEXT = 2789, 11642
MIN_WORDS, MIN_SINGLE = 10000, 3000
LABELS = re.compile(r"^(אַ ווערטל|אַ הערה|אַ רעטעניש|אַ רעצעפּט)[^:]{0,20}:\s*")


def bare(text):
    """Letters only: points, dots and dagesh dropped, as the search compares them."""
    return "".join(c for c in unicodedata.normalize("NFD", text) if not 0x0591 <= ord(c) <= 0x05C7)


def read_lesson(path):
    key, paragraphs = None, []
    for raw in open(path, encoding="utf-8"):
        line = raw.rstrip("\r\n")
        if line.startswith("# key:"):
            key = line.split(":", 1)[1].strip()
        if not line.strip() or line.startswith("#") or line.startswith("lesson "):
            continue
        tag, _, text = line.partition(" ")
        paragraphs.append((tag, text))
    return key, paragraphs


def stored_text(cli, path):
    """The compiled lesson's text bytes (ReaderCode, visual order), or None with the error."""
    with tempfile.TemporaryDirectory() as d:
        out = os.path.join(d, "r.rec")
        r = subprocess.run([cli, "record", "encode", path, out], capture_output=True, text=True)
        if r.returncode != 0:
            return None, (r.stderr or r.stdout).strip()
        record = open(out, "rb").read()
        length = record[8] * 256 + record[9]
        d2 = subprocess.run([cli, "record", "decode", out], capture_output=True)
        return d2.stdout[:length], None


def first_hit(cli, word):
    r = subprocess.run([cli, "search", word, "--first"], capture_output=True, text=True)
    if r.returncode != 0 or not r.stdout.strip():
        return None
    return int(r.stdout.split()[0])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", default=os.path.dirname(os.path.dirname(here)))
    ap.add_argument("--cli", default=None)
    args = ap.parse_args()
    cli = args.cli or os.path.join(args.root, "build", "native", "quillmere-cli")
    failures = []

    sentences = defaultdict(set)
    lessons_of = defaultdict(set)
    total_words = 0
    codes = set()
    sizes = []
    keys = {}
    for n in range(1, LESSONS + 1):
        path = os.path.join(args.root, "resources", "lessons", "lesson-%03d.txt" % n)
        keys[n], paragraphs = read_lesson(path)
        text, error = stored_text(cli, path)
        if error:
            failures.append("lesson %d does not compile: %s" % (n, error))
            continue
        sizes.append((len(text), n))
        if not MIN_TEXT <= len(text) <= MAX_TEXT:
            failures.append("lesson %d stores %d bytes" % (n, len(text)))
        i = 0
        while i + 1 < len(text) and text[i] != 0:
            end = text.index(0, i + 2)
            if text[i] & 0x10:
                codes.update(text[i + 2:end])
            i = end + 1
        for index, (tag, body) in enumerate(paragraphs):
            if tag in ("ascii", "rule") or index == 1:  # the date line is a formula
                continue
            for s in re.split(r"(?<=[.!?:;])\s+", LABELS.sub("", body)):
                if len(bare(s)) > 15:
                    sentences[bare(s)].add(n)
            words = re.findall(r"[\u05D0-\u05EA]+", bare(body))
            total_words += len(words)
            for w in words:
                lessons_of[w].add(n)

    repeated = {s: ns for s, ns in sentences.items() if len(ns) > 1}
    single = sum(1 for ns in lessons_of.values() if len(ns) == 1)
    missing = [c for c in range(0x10, 0x7C)
               if not (0x20 <= c <= 0x40 or 0x5B <= c <= 0x60) and c not in codes]
    for s, ns in sorted(repeated.items(), key=lambda kv: sorted(kv[1])):
        failures.append("sentence in lessons %s: %s" % (sorted(ns), s[:60]))
    if len(lessons_of) < MIN_WORDS:
        failures.append("only %d distinct words" % len(lessons_of))
    if single < MIN_SINGLE:
        failures.append("only %d words of one lesson alone" % single)
    if missing:
        failures.append("codes never used: %s" % " ".join("%02X" % c for c in missing))

    found = 0
    for n in range(1, LESSONS + 1):
        if not keys[n]:
            failures.append("lesson %d names no key word" % n)
            continue
        hit = first_hit(cli, keys[n])
        if hit == n:
            found += 1
        else:
            failures.append("key %s of lesson %d: first hit in lesson %s" % (keys[n], n, hit))

    sizes.sort()
    print("lessons: %d, stored text %d to %d bytes (lessons %d and %d), %d in all"
          % (len(sizes), sizes[0][0], sizes[-1][0], sizes[0][1], sizes[-1][1],
             sum(s for s, _ in sizes)))
    print("words: %d, distinct %d, of one lesson alone %d" % (total_words, len(lessons_of), single))
    print("sentences: %d distinct, %d in more than one lesson" % (len(sentences), len(repeated)))
    print("codes of the letter table used: %d of %d" % (
        len([c for c in codes if 0x10 <= c <= 0x7B and not (0x20 <= c <= 0x40 or 0x5B <= c <= 0x60)]),
        len([c for c in range(0x10, 0x7C) if not (0x20 <= c <= 0x40 or 0x5B <= c <= 0x60)])))
    print("key words found first in their own lesson: %d of %d" % (found, LESSONS))
    for f in failures:
        print("FAIL " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Deterministic generator of the sample lesson sources and the index source.

Composes the 247 lessons from the phrase banks in banks/ with a fixed seed per lesson, and takes
the days of each lesson from the reader's own calendar and schedule through
`quillmere-cli hebdate --range` (lines "YYYY-MM-DD DAYNUMBER M/D/Y LESSON"). Writes
resources/lessons/lesson-NNN.txt and resources/index.txt, which are checked in; the build reads
only those files.

    tools/lessongen/lessongen.py [--cli build/native/quillmere-cli] [--out ROOT]
"""

import argparse
import os
import random
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
BANKS = os.path.join(HERE, "banks")

LESSONS = 247
FIRST_DAY = "2009-09-19"  # 1 Tishri 5770
LAST_DAY = "2010-09-08"  # 29 Elul 5770
MIN_TEXT, MAX_TEXT = 3000, 11300  # aimed encoded text sizes (the records allow 2800..11600)

# Month numbers of the calendar (1 = Nisan .. 7 = Tishri .. 13 = Adar II).
MONTH_POINTED = {7: "תּשרי", 8: "חשוון", 9: "כּיסלו", 10: "טבת", 11: "שבט", 12: "אַדר",
                 13: "אַדר ב'", 1: "ניסן", 2: "אייר", 3: "סיוון", 4: "תּמוז", 5: "אָב", 6: "אלול"}
# The index uses letters only, and every text has 6 to 15 bytes.
MONTH_PLAIN = {7: "תשרי", 8: "חשוון", 9: "כיסלו", 10: "טבת", 11: "שבט", 12: "אדר",
               1: "ניסן", 2: "אייר", 3: "סיוון", 4: "תמוז", 5: 'מנ"א', 6: "אלול"}
HEADING_NAME = {7: "תשרי", 8: "חשוון", 9: "כיסלו", 10: "טבת", 11: "שבט", 12: "אדר",
                1: "ניסן", 2: "אייר", 3: "סיוון", 4: "תמוז", 5: "מנחם-אב", 6: "אלול"}
YEAR_ORDER = [7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6]
WEEKDAYS = ["זונטיק", "מאָנטיק", "דינסטיק", "מיטוואָך", "דאָנערשטיק", "פֿרײַטיק", "שַׁבָּת"]
YEAR = 'תש"ע'
LESSON_WORD = "לעקציע"


def normalize(text):
    """Drops rafe (the reader has no code for it), spells out the Yiddish ligatures and writes
    maqaf as an ASCII hyphen."""
    return (text.replace("\u05BF", "").replace("\u05BE", "-").replace("\u05F0", "וו").replace("\u05F1", "וי")
            .replace("\u05F2", "יי"))


def hebrew_numeral(n):
    """1..999 in Hebrew letters with geresh or gershayim as ASCII ' and "."""
    letters = ""
    for value, letter in ((400, "ת"), (300, "ש"), (200, "ר"), (100, "ק")):
        while n >= value:
            letters += letter
            n -= value
    if n in (15, 16):
        letters += "ט" + "אבגדהוזחט"[n - 9 - 1]
        n = 0
    tens = "יכלמנסעפצ"
    if n >= 10:
        letters += tens[n // 10 - 1]
        n %= 10
    if n:
        letters += "אבגדהוזחט"[n - 1]
    if len(letters) == 1:
        return letters + "'"
    return letters[:-1] + '"' + letters[-1]


def read_lines(name):
    with open(os.path.join(BANKS, name), encoding="utf-8") as f:
        return [normalize(l.rstrip("\n")) for l in f if l.strip() and not l.startswith("#")]


def read_sections(name):
    sections, current = {}, None
    for line in read_lines(name):
        if line.startswith("== "):
            current = line[3:].strip()
            sections[current] = []
        else:
            sections[current].append(line)
    return sections


class Banks:
    def __init__(self):
        self.topics = {}
        for tid, lines in read_sections("topics.txt").items():
            t = {"titles": [], "subs": [], "sentences": []}
            for l in lines:
                if l.startswith("title: "):
                    t["titles"].append(l[7:])
                elif l.startswith("sub: "):
                    t["subs"].append(l[5:])
                else:
                    t["sentences"].append(l)
            self.topics[tid] = t
        self.months = {int(k): v for k, v in read_sections("months.txt").items()}
        self.common = {"open": [], "close": [], "link": [], "s": []}
        for l in read_lines("common.txt"):
            kind, text = l.split(" ", 1)
            self.common[kind].append(text)
        self.sayings = [tuple(p.strip() for p in l.split("|")) for l in read_lines("sayings.txt")]
        self.notes = read_lines("notes.txt")
        self.people = [tuple(l.split("|")) if "|" in l else (l, l) for l in read_lines("names.txt")]
        self.actions = [tuple(l.split("|")) for l in read_lines("actions.txt")]
        self.times = read_lines("times.txt")
        self.things = read_lines("things.txt")
        patterns = read_lines("patterns.txt")
        self.patterns = [p for p in patterns if "{N}" not in p]
        self.thing_patterns = [p for p in patterns if "{N}" in p]


def encoded_size(text):
    """Estimate of the ReaderCode bytes of a text: marks that merge into their letter cost 0."""
    size, prev = 0, ""
    for ch in text:
        o = ord(ch)
        if o in (0x05BC, 0x05C1, 0x05C2):
            continue
        if 0x05B0 <= o <= 0x05BB and (prev == "ך" or (o == 0x05B9 and prev in "ול")):
            continue
        size += 1
        if not (0x05B0 <= o <= 0x05C7):
            prev = ch
    return size


def read_calendar(cli, listing=None):
    if listing:
        with open(listing, encoding="ascii") as f:
            out = f.read()
    else:
        out = subprocess.run([cli, "hebdate", "--range", FIRST_DAY, LAST_DAY], check=True,
                             capture_output=True, text=True).stdout
    days = []
    for line in out.splitlines():
        civil, daynumber, hebrew, lesson = line.split()
        month, day, year = (int(x) for x in hebrew.split("/"))
        days.append({"civil": civil, "weekday": int(daynumber) % 7, "month": month, "day": day,
                     "year": year, "lesson": int(lesson)})
    if len(days) != 355:
        sys.exit("lessongen: expected the 355 days of 5770, got %d" % len(days))
    return days


def lesson_days(days):
    by_lesson = {}
    for d in days:
        by_lesson.setdefault(d["lesson"], []).append(d)
    if sorted(by_lesson) != list(range(1, LESSONS + 1)):
        sys.exit("lessongen: the schedule does not give every lesson")
    return by_lesson


def dates_line(days):
    """The weekday and day of every day of the lesson; the month after the last day in it."""
    items = []
    for i, d in enumerate(days):
        item = WEEKDAYS[d["weekday"]] + " " + hebrew_numeral(d["day"])
        if i + 1 == len(days) or days[i + 1]["month"] != d["month"]:
            item += " " + MONTH_POINTED[d["month"]]
        items.append(item)
    return normalize(", ".join(items) + " " + YEAR)


def index_span(days):
    first, last = days[0], days[-1]
    a, b = hebrew_numeral(first["day"]), hebrew_numeral(last["day"])
    if len(days) == 1:
        return a + " " + MONTH_PLAIN[first["month"]]
    if first["month"] == last["month"]:
        return a + "-" + b + " " + MONTH_PLAIN[last["month"]]
    full = a + " " + MONTH_PLAIN[first["month"]] + "-" + b + " " + MONTH_PLAIN[last["month"]]
    return full if len(full) <= 15 else a + "-" + b + " " + MONTH_PLAIN[last["month"]]


class Composer:
    """One lesson's text, drawn from the banks with the lesson's own random sequence."""

    def __init__(self, banks, n, rng):
        self.b, self.n, self.rng, self.used = banks, n, rng, set()
        self.patterns_used = []

    def pick(self, pool):
        fresh = [s for s in pool if s not in self.used]
        s = self.rng.choice(fresh or pool)
        self.used.add(s)
        return s

    def person(self):
        return self.rng.choice(self.b.people)

    def composed(self, thing=None):
        if thing:
            pattern = self.rng.choice(self.b.thing_patterns)
        else:
            # Each pattern at most twice a lesson, so the composed sentences do not drone.
            fresh = [p for p in self.b.patterns if self.patterns_used.count(p) < 2]
            pattern = self.rng.choice(fresh or self.b.patterns)
            self.patterns_used.append(pattern)
        s, s2 = self.person(), self.person()
        while s2 == s:
            s2 = self.person()
        verb, rest = self.rng.choice(self.b.actions)
        verb2, rest2 = self.rng.choice(self.b.actions)
        while verb2 == verb:
            verb2, rest2 = self.rng.choice(self.b.actions)
        # A separable particle ("שרײַבט אָן") goes after the subject when the verb comes first.
        v, _, particle = verb.partition(" ")
        v2, _, particle2 = verb2.partition(" ")
        p = (particle + " " + rest).strip()
        p2 = (particle2 + " " + rest2).strip()
        text = (pattern.replace("{SD}", s[1]).replace("{S2}", s2[0]).replace("{S}", s[0])
                .replace("{V2}", v2).replace("{V}", v).replace("{P2}", p2).replace("{P}", p)
                .replace("{T}", self.rng.choice(self.b.times)).replace("{N}", thing or ""))
        return text

    def paragraph(self, pools, count):
        sentences = []
        for _ in range(count):
            pool = self.rng.choice(pools)
            sentences.append(pool() if callable(pool) else self.pick(pool))
        return " ".join(sentences)


# Town names of the lessons' letters: each lesson has a town of its own (prefix and ending).
TOWN_STARTS = ["קאַמ", "בעל", "ראָז", "זעל", "טאָר", "מיל", "שאַפּ", "גאָל", "ווערב", "לאַנ",
               "פּאָד", "קרעמ", "דוב", "סאָק", "יאַר", "ברעז", "ניש"]
TOWN_ENDS = ["ינקע", "עוויץ", "אָווקע", "ניק", "יטשעוו", "אַנע", "עליש", "אָוויץ", "ישטש",
             "ערין", "אָליע", "וטשין", "עמבאָרג", "אַרקע", "יץ"]
TOWN_PATTERNS = [
    "{S} האָט אַ קרוב אין {W}, און פֿון דאָרטן קומען בריוו יעדן חודש.",
    "דער וועג קיין {W} גייט דורך אַ וואַלד, און דער בעל־עגלה קען אים ווי זײַן האַנט.",
    "אין {W} איז דער מאַרק גרעסער ווי בײַ אונדז, דערציילט {S}.",
    "אַ מאָל האָט {S} געוווינט אין {W}, אין אַ הײַזל לעבן דער מיל.",
]


def town(n):
    return TOWN_STARTS[n % len(TOWN_STARTS)] + TOWN_ENDS[(n // len(TOWN_STARTS)) % len(TOWN_ENDS)]


def compose_lesson(banks, n, days, things):
    rng = random.Random("quillmere lesson %d" % n)
    c = Composer(banks, n, rng)
    topic_ids = sorted(banks.topics)
    main = banks.topics[topic_ids[(n * 5 + rng.randrange(3)) % len(topic_ids)]]
    second = banks.topics[topic_ids[(n * 3 + 7 + rng.randrange(5)) % len(topic_ids)]]
    if second is main:
        second = banks.topics[topic_ids[(n + 1) % len(topic_ids)]]
    month = days[-1]["month"]
    target = rng.randint(MIN_TEXT, MAX_TEXT)
    if n == 1:
        target = MIN_TEXT  # the first lesson is a short one
    saying, translit = banks.sayings[(n * 7) % len(banks.sayings)]

    title = LESSON_WORD + " " + str(n) + " - " + rng.choice(main["titles"])
    subtitle = rng.choice(main["subs"])
    lines = []
    if rng.random() < 0.5:
        lines += [("center", title), ("center", dates_line(days)), ("center-small", subtitle)]
    else:
        lines += [("center", title), ("center-small", dates_line(days)), ("center", subtitle)]

    def size():
        return sum(encoded_size(t) + 3 for _, t in lines)

    composed = lambda: c.composed()
    opening = c.pick(banks.common["open"]) + " " + c.paragraph([main["sentences"]], rng.randint(2, 4))
    lines.append(("body", opening))
    lines.append(("body", c.paragraph([main["sentences"], composed], rng.randint(3, 5))))
    thing_sentences = [c.composed(thing) for thing in things]
    thing_sentences.append(normalize(rng.choice(TOWN_PATTERNS).replace("{W}", town(n))
                                     .replace("{S}", c.person()[0])))
    lines.append(("body", c.paragraph([banks.months[month]], 2) + " " + thing_sentences[0]))
    lines.append(("small", "אַ ווערטל: " + saying))
    if n % 3 == 0:
        lines.append(("ascii", translit))
    lines.append(("rule", ""))
    closing = c.pick(banks.common["close"])
    pools = [main["sentences"], second["sentences"], banks.common["s"], composed, composed]
    rules = 1
    while size() + encoded_size(closing) + 300 < target:
        text = c.pick(banks.common["link"]) + " " if rng.random() < 0.3 else ""
        text += c.paragraph(pools, rng.randint(3, 6))
        if len(thing_sentences) > 1 and rng.random() < 0.3:
            text += " " + thing_sentences.pop()
        lines.append(("body", text))
        if rules < 3 and rng.random() < 0.12:
            lines.append(("rule", ""))
            rules += 1
    for extra in thing_sentences[1:]:
        lines.append(("body", extra))
    note = banks.notes[(n // 4) % len(banks.notes)] if n % 4 == 1 else None
    if note:
        lines.append(("small", note))
    lines.append(("body", c.paragraph([banks.common["s"], second["sentences"]], 1) + " " + closing))
    return lines


def write_lesson(path, n, lines):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("# Generated by tools/lessongen/lessongen.py from its phrase banks.\n")
        f.write("lesson %d\n" % n)
        for tag, text in lines:
            f.write(tag + (" " + text if text else "") + "\n")


def write_index(path, by_lesson):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("# Generated by tools/lessongen/lessongen.py: the table of contents.\n")
        f.write("# A lesson whose days run over a month's end is filed under the later month.\n")
        f.write("index\n")
        total = 0
        for month in YEAR_ORDER:
            heading = "חודש " + HEADING_NAME[month]
            f.write("heading " + heading + "\n")
            total += len(heading) + 5
            for n in range(1, LESSONS + 1):
                if by_lesson[n][-1]["month"] == month:
                    span = index_span(by_lesson[n])
                    if not 6 <= len(span) <= 15:
                        sys.exit("lessongen: index text of lesson %d has %d bytes" % (n, len(span)))
                    f.write("lesson %d %s\n" % (n, span))
                    total += len(span) + 5
    return total + 5


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cli", default=os.path.join(ROOT, "build", "native", "quillmere-cli"))
    ap.add_argument("--calendar", help="read the hebdate listing from this file instead")
    ap.add_argument("--out", default=ROOT)
    args = ap.parse_args()
    banks = Banks()
    by_lesson = lesson_days(read_calendar(args.cli, args.calendar))
    things = list(banks.things)
    random.Random("quillmere things").shuffle(things)
    lesson_dir = os.path.join(args.out, "resources", "lessons")
    os.makedirs(lesson_dir, exist_ok=True)
    for n in range(1, LESSONS + 1):
        mine = [things[(2 * n) % len(things)], things[(2 * n + 1) % len(things)]]
        lines = compose_lesson(banks, n, by_lesson[n], mine)
        write_lesson(os.path.join(lesson_dir, "lesson-%03d.txt" % n), n, lines)
    total = write_index(os.path.join(args.out, "resources", "index.txt"), by_lesson)
    print("lessongen: wrote %d lessons and the index (%d bytes of index text)" % (LESSONS, total))


if __name__ == "__main__":
    main()

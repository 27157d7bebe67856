#!/usr/bin/env python3
"""Writes drawings for the cross-build differential into a folder.

Usage: generate_drawings.py FOLDER COUNT

Each drawing is a transfer file (Shift-JIS, CR LF) of texts in every
direction -- 0, 90, 180 and 270 degrees written as the host writes them
(exact, or with the cosine's rounding error in 15 digits) and arbitrary
angles -- at coordinates exactly zero, near zero and large, with every base
point, text type and free size, one- and two-byte strings; and lines,
circles and points whose numbers take every route of the number reading and
the real form (long digit runs, far exponents, subnormals). The same seed
gives the same bytes.
"""
import math
import random
import sys

RIGHT_ANGLE_DIRECTIONS = [
    ("1", "0"), ("0", "1"), ("-1", "0"), ("0", "-1"),
    ("6.12323399573677E-17", "1"), ("-1", "1.22464679914735E-16"),
    ("-1.83697019872103E-16", "-1"), ("1", "-2.44929359829471E-16"),
    ("0", "2.5"), ("-0.5", "0"), ("0", "-1000"),
]
WORDS = ["ABC", "A", "1/50", "W-3", "文字", "基点の反転", "ｱｲｳ", "図面 A-01", "", "  ", "寸法 1200"]
ODD_NUMBERS = [
    "0.1000000000000000055511151231257827021181583404541015625",
    "123456789012345678901234567890", "1e-7", "-2.5E+17", "4.9e-324", "2.2250738585072011e-308",
    "1.7976931348623157e308", "0.000099999999999999995", "999999999999999.5", "1e15", "-0.0001",
    "3.14159265358979323846264338327950288", "9007199254740993", "1.00000000000000011102230246251565",
    # The edges of the standard library's conversions: subnormal results, the halfway point below
    # the least double and its neighbours, overflow and underflow (which read as 0), forms that
    # only the library would take, long texts, and values whose 18 digits carry into a new decade.
    "1e-320", "-2.2250738585072011e-308", "2.4703282292062328e-324", "2.4703282292062327e-324",
    "1e-400", "1e400", "1.7976931348623159e308", "1e99999999999999999999", "-0", "+5", ".5", "5.",
    "1e", "e5", "inf", "nan", "0x1p3", "1" + "0" * 2000 + "e-1997", "0." + "0" * 1500 + "25e1501",
    "9.99999999999999999e22", "0.00099999999999999999", "999999999999999.94", "99999.999999999999",
    "1.000000000000000500000000000000001", "1.0000000000000004999",
]


def number(rng):
    """A coordinate: zero, near zero, ordinary, large, or written oddly."""
    kind = rng.randrange(8)
    if kind == 0:
        return rng.choice(["0", "-0", "0.0"])
    if kind == 1:
        return "%.15g" % (rng.uniform(-1, 1) * 10 ** rng.randint(-15, -4))
    if kind == 2:
        return "%.15g" % (rng.uniform(-1, 1) * 10 ** rng.randint(6, 16))
    if kind == 3:
        return rng.choice(ODD_NUMBERS)
    return "%.*g" % (rng.randint(1, 15), rng.uniform(-500, 500))


def direction(rng):
    if rng.random() < 0.6:
        return rng.choice(RIGHT_ANGLE_DIRECTIONS)
    angle = rng.uniform(0, 2 * math.pi)
    scale = rng.choice([1, 1, 0.5, 3.25, 1e-6])
    return "%.15g" % (scale * math.cos(angle)), "%.15g" % (scale * math.sin(angle))


def drawing(rng):
    lines = [
        "hq", "hcw 2 2.5 3 3.5 4 5 6 7 8 10", "hch 2 2.5 3 3.5 4 5 6 7 8 10",
        "hcd 0 0 0.5 0 0.25 0 1 0 0 0", "hcc 1 2 3 4 5 6 7 8 9 10", "lg0", "ly1",
    ]
    for _ in range(rng.randint(30, 80)):
        pick = rng.randrange(10)
        if pick < 6:
            if rng.random() < 0.3:
                lines.append("cn0 %s %s %s 2" % (rng.choice(["3", "0.5", "2.75", "1e-3"]),
                                                 rng.choice(["3", "4.5", "0"]),
                                                 rng.choice(["0", "0.5", "-0.25"])))
            else:
                lines.append("cn%d" % rng.randint(1, 10))
            lines.append("cc%d" % rng.randint(0, 8))
            dx, dy = direction(rng)
            keyword = rng.choice(["ch"] * 6 + ["cv", "cs", "cr", "co", "c2"])
            lines.append('%s %s %s %s %s "%s' % (keyword, number(rng), number(rng), dx, dy,
                                                 rng.choice(WORDS)))
        elif pick < 8:
            lines.append(" ".join(number(rng) for _ in range(4)))
        elif pick == 8:
            lines.append("ci %s %s %s" % (number(rng), number(rng), rng.choice(["1", "2.5", "1e-9"])))
        else:
            lines.append("pt %s %s" % (number(rng), number(rng)))
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    for i in range(count):
        rng = random.Random(1000 + i)
        with open("%s/drawing%02d.txt" % (folder, i), "wb") as f:
            f.write(drawing(rng))


if __name__ == "__main__":
    main()

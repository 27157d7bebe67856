#!/usr/bin/env python3
"""Writes sample.txt: a ground-floor plan sheet selected whole, as the host
writes its transfer file (Shift-JIS, CR LF, first line "hq").

Run from anywhere: python3 samples/make-sample.py
"""
import math
import os

lines = []


def num(v):
    """A number as the host prints it: shortest general form."""
    text = "%.15g" % v
    return "0" if text == "-0" else text


def out(*fields):
    lines.append(" ".join(num(f) if isinstance(f, (int, float)) else f for f in fields))


def line(x1, y1, x2, y2):
    out(x1, y1, x2, y2)


def text(keyword, x, y, degrees, s):
    a = math.radians(degrees)
    dx, dy = math.cos(a), math.sin(a)
    # The host writes exact unit vectors for the right angles.
    dx, dy = (round(dx, 15), round(dy, 15))
    out(keyword, x, y, dx, dy, '"' + s)


def rect(x1, y1, x2, y2):
    line(x1, y1, x2, y1)
    line(x2, y1, x2, y2)
    line(x2, y2, x1, y2)
    line(x1, y2, x1, y1)


# --- Header: drawing settings --------------------------------------------------
out("hq")
out("file=C:\\jww\\作図\\k305_平面図.jww")
out("hk", 0)
out("hs", *([1] * 16))
out("hzs", 420, 297)
out("hcw", 2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10)
out("hch", 2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10)
out("hcd", 0, 0, 0.5, 0.5, 0.5, 0.5, 1, 1, 1, 1)
out("hcc", 1, 1, 2, 2, 3, 3, 4, 4, 5, 5)
out("hn", 10, 10, 410, 287)

# --- Group 0: sheet frame and title block ----------------------------------------
out("lg0")
out("ly0")
out("lc2")
out("lt1")
out("lw3")
rect(10, 10, 410, 287)
out("lw0")
out("lc1")
rect(290, 10, 410, 60)
for y in (22.5, 35, 47.5):
    line(290, y, 410, y)
line(315, 10, 315, 60)
line(380, 22.5, 380, 35)

out("ly1")
out('cn"$<ＭＳ ゴシック>')
out("cn2")
out("cc4")
for label, y in (("工事名称", 53.75), ("図面名称", 41.25), ("縮尺", 28.75), ("設計", 16.25)):
    text("ch", 302.5, y, 0, label)
out('cn"$<ＭＳ 明朝>')
out("cn4")
out("cc3")
text("ch", 318, 53.75, 0, "○○邸新築工事")
text("ch", 318, 41.25, 0, "１階平面図")
out("cn3")
text("ch", 318, 28.75, 0, "1/50 (A3)")
out("cc5")
out("cn2")
text("ch", 407, 28.75, 0, "A-01")
out("cn5")
out("cc3")
text("ch", 318, 16.25, 0, "山田建築設計事務所")
# Free-size text: the date, small and wide-spaced.
out("cn0", 1.8, 2.2, 0.4, 1)
out("cc2")
text("ch", 408, 11.5, 0, "2024.04.01")

# --- Group 1: the plan ------------------------------------------------------------
out("lg1")
# Grid lines (chain line).
out("ly0")
out("lc6")
out("lt5")
for x in (40, 140, 240):
    line(x, 70, x, 250)
for y in (80, 160, 240):
    line(30, y, 250, y)
out('cn"$<ＭＳ ゴシック>')
out("cn3")
out("cc4")
out("pn2")
for i, x in enumerate((40, 140, 240)):
    out("ci", x, 262, 4)
    text("ch", x, 262, 0, "X%d" % (i + 1))
for i, y in enumerate((80, 160, 240)):
    out("ci", 22, y, 4)
    text("ch", 22, y, 0, "Y%d" % (i + 1))
for x in (40, 140, 240):
    for y in (80, 160, 240):
        out("pt", x, y)

# Walls.
out("ly1")
out("lc3")
out("lt1")
out("lw2")
rect(40, 80, 240, 240)
line(140, 80, 140, 240)
line(40, 160, 140, 160)
line(140, 190, 240, 190)
# Columns: square solids at the grid crossings, in a solid colour of their own.
out("lc10", 8421504)
for x in (40, 140, 240):
    for y in (80, 160, 240):
        out("sl", x - 3, y - 3, x + 3, y - 3, x + 3, y + 3, x - 3, y + 3)
out("lc3")

# Doors and windows.
out("ly2")
out("lc4")
out("lw0")
out("z4")
out("ci", 140, 120, 18, 90, 180, 1, 0)
out("z4")
out("ci", 100, 160, 18, 270, 360, 1, 0)
out("z4")
out("ci", 190, 190, 16, 180, 270, 1, 0)
out("lt2")
line(60, 240, 120, 240)
line(60, 242, 120, 242)
out("lt1")
# Fittings placed as blocks: the host writes only their insertion point and name.
out("BL", 215, 100, '"流し台')
out("BL", 60, 215, '"クローゼット')

# A curve: the garden path as a polyline run.
out("ly5")
out("lc5")
out("pl")
previous = None
for k in range(9):
    p = (60 + k * 20, 40 + 8 * math.sin(k * math.pi / 4))
    if previous:
        line(previous[0], previous[1], p[0], p[1])
    previous = p
out("#")
# Trees and a well: circles, an ellipse and a filled triangle for north.
for x, y, r in ((45, 270, 6), (65, 272, 4.5), (230, 45, 7)):
    out("ci", x, y, r)
out("ci", 205, 48, 6, 0, 360, 0.5, 30)
out("lc9")
out("sl", 375, 250, 385, 250, 380, 270)
out("sl", 380, 235, 380, 248)
out("pt", 380, 260, 1, 0, 3)

# Room names: typed text, centred, two fonts.
out("ly4")
out("cn4")
out("cc4")
for name, x, y in (("リビング", 190, 215), ("寝室", 90, 200), ("ダイニング・キッチン", 190, 135),
                   ("玄関", 90, 120)):
    text("ch", x, y, 0, name)
out('cn"$<ＭＳ 明朝>')
out("cn2")
out("cc1")
text("ch", 190, 204, 0, "(16.0畳)")
text("ch", 90, 189, 0, "(10.0畳)")
# Stair label written downwards as a vertical text, and a note in half-width kana.
out("cc6")
text("cv", 60, 108, 270, "階段")
out("cc0")
out("cn1")
text("ch", 150, 82, 0, "ｶﾞﾗｽ戸 W=1800")
# Free-size notes with blanks kept inside the string.
out('cn"$<ＭＳ ゴシック>')
out("cn0", 2.2, 2.2, 0.3, 3)
out("cc0")
text("ch", 40, 32, 0, "※寸法は芯々寸法とする。")
text("ch", 40, 27, 0, "FL+ 50  (床高さ)")
out("cn0", 7, 7, 1, 2)
out("cc1")
text("ch", 140, 14, 0, "１階平面図  S=1/50")

# Dimensions: figures as lines and values, with the dimension attribute.
out("ly3")
out("lc1")
out("cn2")
out("cc1")
for x1, x2 in ((40, 140), (140, 240)):
    out("z3")
    line(x1, 250, x2, 250)
    out("z3")
    text("cs", (x1 + x2) / 2, 250.5, 0, "5000")
for y1, y2 in ((80, 160), (160, 240)):
    out("z3")
    line(30, y1, 30, y2)
    out("z3")
    text("cs", 29.5, (y1 + y2) / 2, 90, "4000")
# The overall width as one line-and-text unit.
out("msg")
line(40, 256, 240, 256)
out("cs", 140, 256.5, 1, 0, '"10000')
# Radius, diameter and angle values.
out("cc0")
text("cr", 124, 128, 45, "R900")
text("co", 236, 54, 0, "φ700")
text("cp", 176, 178, 225, "90°")
text("ct", 41, 251, 0, "0")

# --- Group 2: base point legend, every base point in five directions --------------
out("lg2")
names = ["左下", "中下", "右下", "左中", "中中", "右中", "左上", "中上", "右上"]
directions = (0, 90, 30, 180, 225)
for row, degrees in enumerate(directions):
    y = 270 - row * 38
    out("ly%X" % row)
    out("cn3")
    out("cc5")
    text("ch", 268, y, 0, "%d°" % degrees)
    out("cn4")
    for code in range(9):
        out("cc%d" % code)
        text("ch", 280 + code * 14.5, y, degrees, names[code])

# --- Layer state ------------------------------------------------------------------
out("lg0")
out("lgn図枠")
out("ly0")
out("lyn枠線")
out("ly1")
out("lyn表題欄")
out("lg1")
out("lgn１階平面図")
for layer, name in enumerate(("通り芯", "壁", "建具", "寸法", "室名", "外構")):
    out("ly%X" % layer)
    out("lyn" + name)
out("lg2")
out("lgn凡例")
out("ly0")
out("lyn基点")

path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample.txt")
with open(path, "wb") as f:
    f.write("".join(l + "\r\n" for l in lines).encode("cp932"))
print("wrote %s: %d lines" % (path, len(lines)))

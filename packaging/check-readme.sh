#!/usr/bin/env bash
# Checks the readme as it ships in the release package: Shift-JIS with CR LF
# line ends, the version filled in, every section a CAD user looks for in
# order, the newest entry of the version history equal to the project
# version, and the figures lined up as Notepad shows them with a fixed-width
# font. In Shift-JIS a character's byte count is its display width: 2 columns
# for a full-width character, 1 for a half-width one.
#
# The troubleshooting section answers what trips a first user (nothing
# selected, a blocked download, SmartScreen, a folder without write access and
# the message it brings, the status texts of a transfer file in use or not
# readable as a file, the message of a transfer file not read to its end,
# a text that moved, a double click on the program or a batch file, the black
# console window, file names garbled by unpacking),
# the section on how the tool was checked names the host's rules, the
# substitute host and Wine and gives no version number (no Jw_cad version was
# run), and the list of files names the package's six, the window's batch
# file among the 文字基点_ ones.
#
# The same checks are then run on broken copies of the readme (LF line ends,
# UTF-8, a section missing, the troubleshooting section without SmartScreen
# or without the garbled names, the checks claiming a Jw_cad version, the
# window's batch file by its old name, a line of the base-point figure or of
# the table of flip types out of line), each of which must fail.
#
# Usage: packaging/check-readme.sh [PATH/TO/readme.txt]
# Without an argument the readme is taken from the zip that
# packaging/make-package.sh builds.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project([^)]*VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
if [ $# -ge 1 ]; then
  readme=$1
else
  zip_path=$(bash packaging/make-package.sh)
  LC_ALL=C.UTF-8 unzip -q "$zip_path" readme.txt -d "$unpacked"
  readme=$unpacked/readme.txt
fi

python3 - "$readme" "$version" <<'PY'
import re
import sys

SECTIONS = ["概要", "動作環境", "インストール", "使い方", "画面を出さずに反転する",
            "変更しないもの", "制限事項", "動作の確かめ方", "元に戻すには",
            "うまくいかないとき（よくある質問）", "設定ファイル", "アンインストール", "更新履歴",
            "著作権・免責"]
# The package's files, each named where the readme lists them.
FILES = ["JwwTextFlip.exe", "文字基点_反転.bat", "文字基点_左右反転.bat", "文字基点_上下反転.bat",
         "文字基点_上下左右反転.bat", "readme.txt"]
# What the troubleshooting section answers: a range ended with a left click
# (nothing selected, nothing happens), a blocked download, SmartScreen, a
# folder without write access and the program's message about it, the status
# texts of a transfer file in use or not readable as a file, the message of a
# transfer file not read to its end, a text that moved, a double click
# outside Jw_cad, the console window, garbled names.
TROUBLES = ["右クリック", "許可する", "SmartScreen", "書き込みのできないフォルダ",
            "JWC_TEMP.TXT に結果を書き込めませんでした", "JWC_TEMP.TXTは使用中です",
            "JWC_TEMP.TXTを読めません",
            "JWC_TEMP.TXT を最後まで読み込めませんでした", "文字の位置が動いた", "ダブルクリック",
            "黒い画面", "文字化け"]
# What the section on how the tool was checked names: the host's rules, the
# substitute host, the program under Wine.
CHECKS = ["公開している外部変形の決まり", "jwhost", "Wine"]
FLIP_TYPES = ["左右反転", "上下反転", "上下左右反転"]
BOX_DRAWING = "─│"
MAX_WIDTH = 78  # columns of a Notepad window of ordinary size


def width(text):
    return len(text.encode("cp932"))


def cells(line):
    """(first column, character) for every character of the line."""
    column, out = 0, []
    for ch in line:
        out.append((column, ch))
        column += width(ch)
    return out


def ink(line, column):
    """Whether the line shows something other than blank at the column."""
    for start, ch in cells(line):
        if start <= column < start + width(ch):
            return not ch.isspace()
    return False


def figures(lines):
    """The paragraphs (runs of lines between blank lines) that hold
    box-drawing characters, as lists of (line number, line)."""
    paragraphs, paragraph = [], []
    for number, line in enumerate(lines + [""], 1):
        if line.strip():
            paragraph.append((number, line))
        elif paragraph:
            paragraphs.append(paragraph)
            paragraph = []
    return [p for p in paragraphs if any(ch in BOX_DRAWING for _, line in p for ch in line)]


def figure_faults(lines):
    """Each figure's lines start in the same column and are equally wide, and
    every vertical bar has something above and below it in both of its
    columns."""
    faults = []
    for block in figures(lines):
        where = "figure at lines %d-%d" % (block[0][0], block[-1][0])
        starts = {len(line) - len(line.lstrip(" ")) for _, line in block}
        widths = {width(line) for _, line in block}
        if len(starts) != 1 or len(widths) != 1:
            faults.append("%s: starts %s, widths %s" % (where, starts, widths))
        texts = [""] + [line for _, line in block] + [""]
        for i, (number, line) in enumerate(block, 1):
            for column, ch in cells(line):
                if ch == "│" and not all(ink(texts[j], c) for j in (i - 1, i + 1)
                                         for c in (column, column + 1)):
                    faults.append("line %d: the bar at column %d connects to nothing"
                                  % (number, column))
    return faults


def table_faults(lines):
    """The table of flip types: every type on a line of its own, its
    description starting in the same column on every line."""
    columns = {}
    for line in lines:
        for name in FLIP_TYPES:
            if line.startswith("  " + name + " "):
                rest = line[2 + len(name):]
                columns[name] = width(line) - width(rest.lstrip(" "))
    if sorted(columns) != sorted(FLIP_TYPES):
        return ["table of flip types lacks %s" % sorted(set(FLIP_TYPES) - set(columns))]
    if len(set(columns.values())) != 1:
        return ["table of flip types: descriptions start at columns %s" % columns]
    return []


def section_of(lines, start):
    """The section whose heading is lines[start], up to the next heading."""
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("■ ")),
               len(lines))
    return "\n".join(lines[start:end])


def faults_of(data, version):
    """Every fault of the readme's bytes; an empty list when it is right."""
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError as error:
        return ["not Shift-JIS: %s" % error]
    faults = []
    if not data.endswith(b"\r\n") or data.count(b"\r") != data.count(b"\r\n") \
            or data.count(b"\n") != data.count(b"\r\n"):
        faults.append("line ends are not CR LF throughout")
    lines = text.replace("\r\n", "\n").split("\n")[:-1]
    if not lines:
        return faults + ["empty"]
    if "@VERSION@" in text or version not in lines[0]:
        faults.append("first line does not carry version %s" % version)
    headings = [line[2:] for line in lines if line.startswith("■ ")]
    if headings != SECTIONS:
        faults.append("sections %s, expected %s" % (headings, SECTIONS))
    else:
        if not (lines + [""] * 2)[lines.index("■ 更新履歴") + 2].startswith(version + " "):
            faults.append("the newest version in the history is not %s" % version)
        start = lines.index("■ うまくいかないとき（よくある質問）")
        faults += ["the troubleshooting section does not mention %s" % t
                   for t in TROUBLES if t not in section_of(lines, start)]
        checks = section_of(lines, lines.index("■ 動作の確かめ方"))
        faults += ["the section on checking does not mention %s" % c
                   for c in CHECKS if c not in checks]
        if re.search(r"\d\.\d", checks):
            faults.append("the section on checking names a version")
    listed = {line.split()[0] for line in lines if line.startswith("     ") and line.split()}
    faults += ["the file list lacks %s" % f for f in FILES if f not in listed]
    for number, line in enumerate(lines, 1):
        if width(line) > MAX_WIDTH:
            faults.append("line %d is %d columns wide" % (number, width(line)))
    return faults + figure_faults(lines) + table_faults(lines)


def shift_line(data, marker, columns):
    """A copy with `columns` blanks put before the first line holding marker
    (an unchanged copy when no line does)."""
    lines = data.split(b"\r\n")
    i = next((i for i, line in enumerate(lines) if marker.encode("cp932") in line), None)
    if i is not None:
        lines[i] = b" " * columns + lines[i]
    return b"\r\n".join(lines)


def main():
    path, version = sys.argv[1], sys.argv[2]
    data = open(path, "rb").read()
    passed = failed = 0

    def report(ok, what):
        nonlocal passed, failed
        print(("PASS" if ok else "FAIL") + " readme: " + what)
        passed, failed = passed + ok, failed + (not ok)

    faults = faults_of(data, version)
    for fault in faults:
        print("  " + fault)
    report(not faults, "Shift-JIS, CR LF, version %s, %d sections, figures lined up"
           % (version, len(SECTIONS)))

    text = data.decode("cp932", errors="replace")
    broken = {
        "LF line ends": data.replace(b"\r\n", b"\n"),
        "UTF-8": text.encode("utf-8"),
        "a section missing": data.replace("■ 元に戻すには".encode("cp932"), b"", 1),
        "the troubleshooting section without SmartScreen":
            data.replace("（SmartScreen）".encode("cp932"), b"", 1),
        "the troubleshooting section without the garbled names":
            data.replace("文字化け".encode("cp932"), "変".encode("cp932")),
        "the checks claiming a Jw_cad version":
            data.replace("Jw_cad そのものを使った確認ではありません。".encode("cp932"),
                         "Jw_cad 8.10a で確認しました。".encode("cp932"), 1),
        "the window's batch file by its old name":
            data.replace("文字基点_反転.bat  ".encode("cp932"), b"JwwTextFlip.bat    ", 1),
        "a figure line shifted": shift_line(data, "    左中", 1),
        "a figure line shifted by a full-width column": shift_line(data, "│", 2),
        "a flip type out of line": shift_line(data, "  上下反転 ", 1),
    }
    for what, copy in broken.items():
        report(bool(faults_of(copy, version)), "fails with " + what)

    print("readme: %d passed, %d failed" % (passed, failed))
    sys.exit(1 if failed else 0)


main()
PY

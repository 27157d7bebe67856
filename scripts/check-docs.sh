#!/usr/bin/env bash
# The files and names that README.md and the notes in docs/ mention exist.
# Every span in backquotes is read, the code blocks' too:
# - a path (a word with a "/", or a file name with a source extension) must
#   name a file or folder of the tree, in full from the repository's root or
#   as the end of such a path (`seams/JwwSeams.h`); paths under build/ and
#   out/, and patterns (`<version>`, `*`), are made by the build and skipped;
# - a name of the code (letters, digits and "_" with both cases, such as
#   `JwwReadFile` or `TForm1::FormShow`, or one that begins with "jww") must
#   stand as a whole word in some source file, script or build file.
# Host commands, options and Japanese file names that the package build
# makes are not judged.
#
#   bash scripts/check-docs.sh             checks README.md and docs/*.md
#   bash scripts/check-docs.sh --self-test  checks a planted note that names a
#                                          missing file, a missing folder and a
#                                          missing name beside existing ones, and
#                                          expects exactly the missing ones named
# Exit code 0 when everything mentioned exists; otherwise each missing one is
# printed as DOC: NAME and the exit code is 1.
set -euo pipefail
cd "$(dirname "$0")/.."

exec python3 - "$@" <<'PY'
import os
import re
import sys
import tempfile

SKIPPED_DIRS = {".git", "build", "out"}
SOURCE_EXTENSIONS = (".cpp", ".h", ".sh", ".py", ".cmake", ".md", ".png", ".rc")
CODE_FILES = (".cpp", ".h", ".sh", ".py", ".cmake", ".txt", ".rc")

paths = []
for folder, dirs, files in os.walk("."):
    dirs[:] = [d for d in dirs if d not in SKIPPED_DIRS]
    for name in files:
        paths.append(os.path.join(folder, name)[2:])
folders = {os.path.dirname(p) for p in paths}
folders |= {f[: i] for f in folders for i in range(len(f)) if f[i] == "/"}
words = set()
for p in paths:
    # Not this script: its self-test names what is missing.
    if p.endswith(CODE_FILES) and p != "scripts/check-docs.sh" and \
            not p.startswith(("fuzz/corpus/", "tests/e2e/cases/")):
        with open(p, encoding="utf-8", errors="replace") as f:
            words.update(re.findall(r"[A-Za-z_][A-Za-z0-9_]*", f.read()))


def exists(path):
    """A file or folder of the tree, whole or as the end of a path."""
    path = path.rstrip("/")
    if path in folders or path in paths:
        return True
    tail = "/" + path
    return any(p.endswith(tail) for p in paths) or any(f.endswith(tail) for f in folders)


def missing_in(text):
    """The paths and names of the code in `text` that name nothing."""
    spans = re.findall(r"```[^\n]*\n(.*?)```", text, re.S)
    spans += re.findall(r"`([^`\n]+)`", re.sub(r"```.*?```", "", text, flags=re.S))
    missing = []
    for span in spans:
        for word in span.split():
            word = word.strip(",;()\"'")
            if not word or any(c in word for c in "<>*$()[]+"):
                continue
            if "/" in word:
                if word.startswith(("/", "-", "build/", "out/", "http")) or "=" in word:
                    continue
                if not exists(word):
                    missing.append(word)
            elif word.endswith(SOURCE_EXTENSIONS):
                if not exists(word):
                    missing.append(word)
            elif re.fullmatch(r"[A-Za-z_][A-Za-z0-9_]*(::[A-Za-z_][A-Za-z0-9_]*)*", word):
                for part in word.split("::"):
                    named = part.startswith("jww") or (
                        re.search(r"[a-z]", part) and re.search(r"[A-Z]", part))
                    if named and part not in words:
                        missing.append(part)
    return missing


def check(docs):
    wrong = []
    for doc in docs:
        with open(doc, encoding="utf-8") as f:
            wrong += [f"{doc}: {name}" for name in missing_in(f.read())]
    return wrong


def self_test():
    planted = ("The door `transfer/JwwGaibu.h` and `JwwInit`, `TForm1::FormShow`,\n"
               "`seams/JwwSeams.h`, `platform/posix/`; but `transfer/NoSuch.h`,\n"
               "`transfer/gone/`, `NoSuchFile.cpp` and `TForm1::NoSuchHandler`.\n"
               "```sh\nbash scripts/test.sh && bash scripts/no-such.sh\n```\n")
    expected = ["transfer/NoSuch.h", "transfer/gone/", "NoSuchFile.cpp", "NoSuchHandler",
                "scripts/no-such.sh"]
    with tempfile.NamedTemporaryFile("w", suffix=".md", encoding="utf-8") as doc:
        doc.write(planted)
        doc.flush()
        found = [line.split(": ", 1)[1] for line in check([doc.name])]
    if sorted(found) != sorted(expected):
        print(f"self-test: expected {sorted(expected)}, named {sorted(found)}")
        return 1
    print("self-test: every missing file, folder and name caught, every existing one passed")
    return 0


if sys.argv[1:] == ["--self-test"]:
    sys.exit(self_test())
docs = ["README.md"] + sorted(os.path.join("docs", d) for d in os.listdir("docs") if d.endswith(".md"))
wrong = check(docs)
for line in wrong:
    print(line)
if not wrong:
    print(f"docs: every file and name that {', '.join(docs)} mention exists")
sys.exit(1 if wrong else 0)
PY

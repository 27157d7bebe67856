#!/usr/bin/env python3
"""Writes the release zip: make-zip.py ZIP FILE...

Each file is stored under its own name (no folder). A name that is not ASCII
is stored in Shift-JIS, as Japanese Windows reads the names of a zip, and in
UTF-8 in the Info-ZIP Unicode Path extra field too, which 7-Zip, Info-ZIP's
unzip and most other archivers read instead; so the batch files' Japanese
names come out right with Windows' own Explorer as with any archiver.
"""
import os
import struct
import sys
import time
import zipfile
import zlib

UNICODE_PATH_FIELD = 0x7075


class ShiftJisNameInfo(zipfile.ZipInfo):
    """A zip entry whose non-ASCII name is written in Shift-JIS."""

    def _encodeFilenameFlags(self):
        try:
            return self.filename.encode("ascii"), self.flag_bits
        except UnicodeEncodeError:
            return self.filename.encode("cp932"), self.flag_bits


def entry(path):
    name = os.path.basename(path)
    stamp = time.localtime(os.path.getmtime(path))[:6]
    info = ShiftJisNameInfo(name, date_time=max(stamp, (1980, 1, 1, 0, 0, 0)))
    info.compress_type = zipfile.ZIP_DEFLATED
    info.external_attr = 0o644 << 16
    if not name.isascii():
        local, utf8 = name.encode("cp932"), name.encode("utf-8")
        info.extra = struct.pack("<HHBI", UNICODE_PATH_FIELD, 5 + len(utf8), 1,
                                 zlib.crc32(local)) + utf8
    return info


def main(zip_path, paths):
    with zipfile.ZipFile(zip_path, "w") as archive:
        for path in paths:
            with open(path, "rb") as f:
                archive.writestr(entry(path), f.read())


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])

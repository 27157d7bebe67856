#!/usr/bin/env python3
"""Prints the sizes of the images of a Windows program's first icon, one per
line in pixels (256 for the large one), as Explorer finds them: the program's
first group icon resource (RT_GROUP_ICON) lists them.

Usage: icon-sizes.py PROGRAM.exe
Exits 1 with a message when the file is no PE program or holds no icon.
"""
import struct
import sys

RT_GROUP_ICON = 14


def sections(data, pe):
    """(virtual address, virtual size, file offset) of every section."""
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional_size
    out = []
    for i in range(count):
        size, address, _, offset = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        out.append((address, size, offset))
    return out


def file_offset(rva, table):
    for address, size, offset in table:
        if address <= rva < address + size:
            return offset + rva - address
    raise ValueError("address %#x lies in no section" % rva)


def first_entry(data, base, directory, type_id=None):
    """The first entry of a resource directory (the one of `type_id` when
    given): (is a directory, offset from `base`)."""
    named, numbered = struct.unpack_from("<HH", data, directory + 12)
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
        if type_id is None or name == type_id:
            return bool(target & 0x80000000), target & 0x7FFFFFFF
    raise ValueError("no icon resource")


def icon_sizes(data):
    if data[:2] != b"MZ":
        raise ValueError("not a Windows program")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a Windows program")
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (112 if magic == 0x20B else 96)
    resource_rva = struct.unpack_from("<I", data, directories + 8 * 2)[0]
    table = sections(data, pe)
    base = file_offset(resource_rva, table)
    is_directory, offset = first_entry(data, base, base, RT_GROUP_ICON)
    while is_directory:  # name, then language
        is_directory, offset = first_entry(data, base, base + offset)
    rva, size = struct.unpack_from("<II", data, base + offset)
    group = file_offset(rva, table)
    count = struct.unpack_from("<H", data, group + 4)[0]
    return [data[group + 6 + 14 * i] or 256 for i in range(count)]


def main():
    try:
        sizes = icon_sizes(open(sys.argv[1], "rb").read())
    except (OSError, ValueError, struct.error, IndexError) as error:
        sys.exit("icon-sizes: %s: %s" % (sys.argv[1], error))
    print("\n".join(str(s) for s in sizes))


if __name__ == "__main__":
    main()

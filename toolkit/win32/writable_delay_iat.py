#!/usr/bin/env python3
"""Makes the import section of a Windows program writable.

A delay-loaded function's first call goes through the delay-load helper,
which writes the function's address into the program's delay-load address
table. dlltool's delay libraries put that table in the import section
(.idata$5, linked into .idata), and the image loader maps each section with
the protection its header asks for. binutils 2.40 marked .idata writable;
binutils 2.44 marks it read-only, and the helper's first write is then an
access violation before the window opens. The build does not leave it to the
linker: this step, run on every program after it is linked, asks for .idata
to be writable, as it was before.

  writable_delay_iat.py PROGRAM.exe           # make .idata writable
  writable_delay_iat.py --check PROGRAM.exe   # fail unless it is
"""
import struct
import sys

IMAGE_SCN_MEM_WRITE = 0x80000000
SECTION = b".idata"


def characteristics_offset(image):
    """Where in the file the import section's Characteristics field lies."""
    if image[:2] != b"MZ":
        raise ValueError("not a Windows program")
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE header")
    count, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    for index in range(count):
        header = pe + 24 + optional_size + 40 * index
        if image[header:header + 8].rstrip(b"\0") == SECTION:
            return header + 36
    raise ValueError("no import section .idata")


def main(argv):
    check = argv[1:2] == ["--check"]
    paths = argv[2:] if check else argv[1:]
    if len(paths) != 1:
        print(f"usage: {argv[0]} [--check] PROGRAM.exe", file=sys.stderr)
        return 2
    path = paths[0]
    with open(path, "rb") as stream:
        image = bytearray(stream.read())
    try:
        field = characteristics_offset(image)
    except (ValueError, struct.error) as error:
        print(f"{path}: {error}", file=sys.stderr)
        return 1
    flags = struct.unpack_from("<I", image, field)[0]
    if flags & IMAGE_SCN_MEM_WRITE:
        return 0
    if check:
        print(f"{path}: its import section is read-only; the first call of a delay-loaded "
              "function would fault", file=sys.stderr)
        return 1
    struct.pack_into("<I", image, field, flags | IMAGE_SCN_MEM_WRITE)
    with open(path, "r+b") as stream:
        stream.write(image)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Packs PNG images into one Windows icon (.ico), each stored as PNG.

Windows (Vista and later) reads PNG-compressed icon images at every size, so
the committed PNGs go in as they are, without being decoded.

    png_to_ico.py OUTPUT.ico IMAGE.png...
"""

import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(data, name):
    """Width and height from the PNG's header chunk."""
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        raise ValueError(f"{name} is not a PNG image")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        raise ValueError(f"{name} is {width}x{height}; an icon image is at most 256x256")
    return width, height


def pack_icon(images):
    """The .ico bytes for [(name, png bytes)], smallest image first."""
    entries = sorted(((png_size(data, name), data) for name, data in images),
                     key=lambda entry: entry[0])
    header = struct.pack("<HHH", 0, 1, len(entries))
    directory = b""
    offset = len(header) + 16 * len(entries)
    for (width, height), data in entries:
        # 256 is written as 0; 32 bits per pixel, one plane.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                                 len(data), offset)
        offset += len(data)
    return header + directory + b"".join(data for _, data in entries)


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    images = []
    for name in argv[2:]:
        with open(name, "rb") as image:
            images.append((name, image.read()))
    try:
        icon = pack_icon(images)
    except ValueError as error:
        print(f"png_to_ico.py: {error}", file=sys.stderr)
        return 1
    with open(argv[1], "wb") as output:
        output.write(icon)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

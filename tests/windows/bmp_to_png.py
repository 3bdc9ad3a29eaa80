"""Writes a 24-bit bottom-up BMP as a PNG (the standard library only)."""
import struct
import sys
import zlib

data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height = struct.unpack_from("<ii", data, 18)
stride = (width * 3 + 3) & ~3
rows = []
for y in range(height - 1, -1, -1):  # bottom-up
    row = data[offset + y * stride: offset + y * stride + width * 3]
    rgb = bytearray(row)
    rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # BGR to RGB
    rows.append(b"\0" + bytes(rgb))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)

"""Exit 0 when two JPEG files show the same picture: the same size, and every
sample within codec rounding (djpeg decodes both)."""
import subprocess
import sys


def decode(path):
    ppm = subprocess.run(["djpeg", "-pnm", path], check=True, capture_output=True).stdout
    parts = ppm.split(maxsplit=4)  # magic, width, height, maxval, samples
    return parts[0], int(parts[1]), int(parts[2]), parts[4]


a, b = decode(sys.argv[1]), decode(sys.argv[2])
if a[:3] != b[:3]:
    print(f"different sizes: {a[:3]} and {b[:3]}")
    sys.exit(1)
worst = max((abs(x - y) for x, y in zip(a[3], b[3])), default=0)
if worst > 2:
    print(f"{sys.argv[2]}: a sample differs by {worst}")
    sys.exit(1)

#!/bin/sh
# Regenerates the decoder's JPEG fixtures with libjpeg-turbo's cjpeg from a
# synthetic picture (colour ramps, hard edges, saturated patches, seeded noise).
# The fixtures are committed; run this only to change them.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# picture W H OUT.ppm
picture() {
  python3 - "$1" "$2" "$3" <<'PY'
import random, sys
w, h, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
rnd = random.Random(6)
px = bytearray()
for y in range(h):
    for x in range(w):
        r = 255 * x // max(w - 1, 1)
        g = 255 * y // max(h - 1, 1)
        b = 255 - (r + g) // 2
        if (x // 6 + y // 6) % 2 == 0 and x < w // 2:
            r, g, b = 255 - r, g // 2, 255            # a checkerboard of hard edges
        if x > 3 * w // 4 and y < h // 3:
            r, g, b = 250, 10, 10                     # a saturated red patch
        if x > 3 * w // 4 and y > 2 * h // 3:
            r, g, b = 5, 5, 240                       # a saturated blue patch
        n = rnd.randint(-12, 12)
        px += bytes(max(0, min(255, v + n)) for v in (r, g, b))
open(out, "wb").write(b"P6\n%d %d\n255\n" % (w, h) + px)
PY
}

# fixture NAME W H CJPEG-OPTIONS...
fixture() {
  name=$1 w=$2 h=$3
  shift 3
  picture "$w" "$h" "$tmp/in.ppm"
  cjpeg "$@" -outfile "$name.jpg" "$tmp/in.ppm"
}

# Decoded and compared with djpeg.
fixture s444_64x48 64 48 -quality 90 -sample 1x1
fixture s422_37x23 37 23 -quality 85 -sample 2x1
fixture s440_30x41 30 41 -quality 85 -sample 1x2
fixture s420_160x120 160 120 -quality 75 -sample 2x2
fixture s420_restart1_50x34 50 34 -quality 80 -sample 2x2 -restart 1B
fixture s420_restart3_161x121 161 121 -quality 80 -sample 2x2 -restart 3B
fixture s444_restart1_17x9 17 9 -quality 95 -sample 1x1 -restart 1B
fixture s420_optimized_45x31 45 31 -quality 70 -sample 2x2 -optimize
fixture s420_1x1 1 1 -quality 75 -sample 2x2
fixture s311_40x20 40 20 -quality 80 -sample 3x1
fixture s_mixed_24x20 24 20 -quality 80 -sample 2x2,2x1,1x1
fixture grey_33x17 33 17 -quality 85 -grayscale
fixture grey_restart1_20x12 20 12 -quality 85 -grayscale -restart 1B
fixture grey_restart2rows_24x40 24 40 -quality 60 -grayscale -restart 2

# Refused by the decoder.
fixture progressive_32x32 32 32 -progressive
fixture arithmetic_32x32 32 32 -arithmetic
fixture h4_h2_32x16 32 16 -sample 4x1,2x1,1x1

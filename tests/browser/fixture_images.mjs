// Draws small landscape pictures for the fixture photos: a sky, a sun and
// hills whose hues change from photo to photo, so that every photo of the
// test gallery looks different. Written as PPM and turned into JPEG by cjpeg.
import { execFileSync } from 'node:child_process';
import { writeFileSync, unlinkSync } from 'node:fs';

function hsl(h, s, l) {
  const c = (1 - Math.abs(2 * l - 1)) * s;
  const x = c * (1 - Math.abs(((h / 60) % 2) - 1));
  const m = l - c / 2;
  const [r, g, b] =
    h < 60 ? [c, x, 0] : h < 120 ? [x, c, 0] : h < 180 ? [0, c, x] :
    h < 240 ? [0, x, c] : h < 300 ? [x, 0, c] : [c, 0, x];
  return [r + m, g + m, b + m].map((v) => Math.round(v * 255));
}

function mix(a, b, t) {
  return a.map((v, i) => Math.round(v + (b[i] - v) * t));
}

// The picture of photo `index` (from 1) at the given size, as PPM bytes.
// With grain, every pixel is brightened or darkened by up to that much, the
// same way every time: fine detail that costs as many bytes as a real photo's.
export function drawPicture(index, width, height, grain = 0) {
  const hue = (index * 47) % 360;
  const skyTop = hsl((hue + 200) % 360, 0.55, 0.28);
  const skyLow = hsl((hue + 20) % 360, 0.75, 0.72);
  const hillFar = hsl((hue + 120) % 360, 0.35, 0.38);
  const hillNear = hsl((hue + 90) % 360, 0.45, 0.22);
  const sun = hsl((hue + 40) % 360, 0.9, 0.85);
  const sunX = width * (0.2 + 0.6 * ((index * 0.37) % 1));
  const sunY = height * 0.33;
  const sunR = height * 0.11;
  const header = Buffer.from(`P6\n${width} ${height}\n255\n`, 'ascii');
  const pixels = Buffer.alloc(width * height * 3);
  const far = new Float64Array(width);
  const near = new Float64Array(width);
  for (let x = 0; x < width; x++) {
    const u = x / width;
    far[x] = height * (0.58 + 0.08 * Math.sin(u * 7 + index) + 0.04 * Math.sin(u * 17));
    near[x] = height * (0.74 + 0.07 * Math.sin(u * 4.3 + index * 1.7) + 0.02 * Math.sin(u * 29));
  }
  let seed = index * 2654435761 >>> 0;
  const p = [0, 0, 0];
  const blend = (a, b, t) => {
    for (let c = 0; c < 3; c++) p[c] = Math.round(a[c] + (b[c] - a[c]) * t);
  };
  for (let y = 0; y < height; y++) {
    const sky = mix(skyTop, skyLow, y / height);
    for (let x = 0; x < width; x++) {
      p[0] = sky[0];
      p[1] = sky[1];
      p[2] = sky[2];
      const dx = x - sunX;
      const dy = y - sunY;
      if (Math.abs(dx) < sunR * 1.8 && Math.abs(dy) < sunR * 1.8) {
        const d = Math.hypot(dx, dy);
        if (d < sunR) blend(sun, sun, 0);
        else if (d < sunR * 1.8) blend(sun, sky, (d - sunR) / (sunR * 0.8));
      }
      if (y > near[x]) blend(hillNear, [0, 0, 0], (y - near[x]) / height);
      else if (y > far[x]) blend(hillFar, hillFar, 0);
      let n = 0;
      if (grain > 0) {
        seed = (seed * 1664525 + 1013904223) >>> 0;
        n = ((seed >>> 24) / 255 * 2 - 1) * grain;
      }
      const o = (y * width + x) * 3;
      pixels[o] = Math.max(0, Math.min(255, p[0] + n));
      pixels[o + 1] = Math.max(0, Math.min(255, p[1] + n));
      pixels[o + 2] = Math.max(0, Math.min(255, p[2] + n));
    }
  }
  return Buffer.concat([header, pixels]);
}

// Writes the picture of photo `index` as a JPEG file.
export function writePictureJpeg(path, index, width, height, quality = 85, grain = 0) {
  const ppm = `${path}.ppm`;
  writeFileSync(ppm, drawPicture(index, width, height, grain));
  try {
    execFileSync('cjpeg', ['-quality', String(quality), '-outfile', path, ppm]);
  } finally {
    unlinkSync(ppm);
  }
}

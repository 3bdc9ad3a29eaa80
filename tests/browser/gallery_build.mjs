// Builds a finished gallery in a folder the way a user does: lays out the
// gallery as delivered, copies camera photos into "Pelvora", runs the batch
// steps and types the theme, titles, memos, top photo and colours into the
// editor, all through vornami-batch.
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync, statSync, truncateSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { writePictureJpeg } from './fixture_images.mjs';

export const PHOTO_COUNT = 20;
// This photo's camera wrote no embedded thumbnail: ② makes one from the picture,
// which the fixture then empties, as ② leaves it for a picture it cannot decode.
export const NO_THUMBNAIL = 7;
export const TOP_PHOTO = 3;
export const PANORAMA = 2;  // a 4608×1976 panorama
export const ODD_MODEL = 4;  // a camera whose model name is in angle brackets
export const SMALL_THUMBNAIL = 6;  // an older camera's 80×60 thumbnail
export const WIDE_TITLE = 8;  // a title of 40 full-width characters
export const LONGEST_TITLE = 9;  // a title as long as the editor takes (182 bytes)
export const MODEL = 'Vornami Test Camera';
export const BRACKETED_MODEL = '<Digimax i50 MP3, Samsung #1 MP3>';
export const THEME = '北海道の夏休み';
export const SCREEN_TITLES = ['夏の朝', '海辺の散歩', '山の上から', '夕焼けの丘', '湖のほとり'];

// Photo i (from 1) is shot 7 h 13 min 11 s after photo i - 1; photo 1 at 2003-08-03 09:05:00.
export function shotAt(i) {
  const t = new Date(Date.UTC(2003, 7, 3, 9, 5, 0) + (i - 1) * (7 * 3600 + 13 * 60 + 11) * 1000);
  const p = (v) => String(v).padStart(2, '0');
  return {
    exif: `${t.getUTCFullYear()}:${p(t.getUTCMonth() + 1)}:${p(t.getUTCDate())} ` +
          `${p(t.getUTCHours())}:${p(t.getUTCMinutes())}:${p(t.getUTCSeconds())}`,
    name: `${t.getUTCFullYear()}_${p(t.getUTCMonth() + 1)}_${p(t.getUTCDate())}_` +
          `${p(t.getUTCHours())}_${p(t.getUTCMinutes())}_${p(t.getUTCSeconds())}.jpg`,
    day: `${t.getUTCFullYear()}.${p(t.getUTCMonth() + 1)}.${p(t.getUTCDate())}`,
    text: `${t.getUTCFullYear()}年${t.getUTCMonth() + 1}月${t.getUTCDate()}日` +
          `${t.getUTCHours()}時${t.getUTCMinutes()}分`,
  };
}

export function titleOf(i) {
  const words = '港町の朝市で見つけた新鮮な魚と笑顔の漁師さんたち';
  if (i === WIDE_TITLE) return words.repeat(2).slice(0, 40);
  if (i === LONGEST_TITLE) return words.repeat(4).slice(0, 91);
  return `${SCREEN_TITLES[(i - 1) % SCREEN_TITLES.length]}${i}`;
}

export function memoOf(i) {
  return `写真${i}のメモ\n二行目`;
}

export function toolsMissing() {
  const r = spawnSync('cjpeg', ['-version']);
  if (r.error) return 'cjpeg (libjpeg-turbo-progs) is not installed';
  return null;
}

function batch(bin, dir, args) {
  const r = spawnSync(join(bin, 'vornami-batch'), args, { cwd: dir, encoding: 'utf8' });
  if (r.error) throw r.error;
  if (r.status !== 0) {
    throw new Error(`vornami-batch ${args.join(' ')} ended with ${r.status}:\n${r.stdout}${r.stderr}`);
  }
  return r.stdout;
}

// Builds the gallery in `dir` (an empty folder). `bin` holds vornami-batch and
// the gallery template; `fixturePhoto` is the vornami_fixture_photo program.
export function buildGallery({ bin, fixturePhoto, dir, colours = {} }) {
  batch(bin, dir, ['init']);

  // The camera's photos, named as the camera names them.
  const work = mkdtempSync(join(tmpdir(), 'vornami-pictures-'));
  try {
    for (let i = 1; i <= PHOTO_COUNT; i++) {
      const picture = join(work, `p${i}.jpg`);
      const thumbnail = join(work, `t${i}.jpg`);
      if (i === PANORAMA) writePictureJpeg(picture, i, 4608, 1976);
      else writePictureJpeg(picture, i, 640, 480);
      if (i === SMALL_THUMBNAIL) writePictureJpeg(thumbnail, i, 80, 60, 75);
      else writePictureJpeg(thumbnail, i, 160, 120, 75);
      execFileSync(fixturePhoto, [join(dir, 'Pelvora', `DSC${String(1000 + i).padStart(5, '0')}.JPG`),
        picture, i === NO_THUMBNAIL ? 'none' : thumbnail, shotAt(i).exif,
        i === ODD_MODEL ? BRACKETED_MODEL : MODEL]);
    }
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  batch(bin, dir, ['rename', 'thumbnails', 'data']);
  const names = Array.from({ length: PHOTO_COUNT }, (_, i) => shotAt(i + 1).name);
  const made = join(dir, 'gallery', 'thumbnail', `Tn_${names[NO_THUMBNAIL - 1]}`);
  if (statSync(made).size === 0) throw new Error('② made no thumbnail from the picture');
  truncateSync(made, 0);

  // The theme, every photo's title and memo, the top photo and the colours,
  // typed into the editor.
  const args = [`theme=${THEME}`];
  for (let i = 1; i <= PHOTO_COUNT; i++) {
    args.push(`title=${titleOf(i)}`, `memo=${memoOf(i)}`, 'register');
    if (i < PHOTO_COUNT) args.push('next');
  }
  args.push('save', 'first');
  for (let i = 1; i < TOP_PHOTO; i++) args.push('next');
  args.push('top-photo', ...Object.entries(colours).map(([k, v]) => `${k}=${v}`));
  batch(bin, dir, args);

  batch(bin, dir, ['info', 'pages']);
  return { names };
}

// A gallery of `count` 12-megapixel phone photos (4032×3024, about 3.7 MB
// each, detail down to the pixel), made as buildGallery makes its own: ⑤
// makes their tiles and screen copies. One picture serves every photo.
export function buildPhoneGallery({ bin, fixturePhoto, dir, count = 4 }) {
  batch(bin, dir, ['init']);
  const work = mkdtempSync(join(tmpdir(), 'vornami-pictures-'));
  try {
    const picture = join(work, 'p.jpg');
    const thumbnail = join(work, 't.jpg');
    writePictureJpeg(picture, 1, 4032, 3024, 92, 10);
    writePictureJpeg(thumbnail, 1, 160, 120, 75);
    for (let i = 1; i <= count; i++) {
      execFileSync(fixturePhoto, [join(dir, 'Pelvora', `IMG_${1000 + i}.JPG`), picture, thumbnail,
        shotAt(i).exif, MODEL]);
    }
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  batch(bin, dir, ['rename', 'thumbnails', 'data', 'info', 'pages']);
  return { names: Array.from({ length: count }, (_, i) => shotAt(i + 1).name) };
}

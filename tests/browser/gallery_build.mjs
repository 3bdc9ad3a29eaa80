// Builds a finished gallery in a folder the way a user does: lays out the
// gallery as delivered, copies camera photos into "Pelvora" and runs the
// batch steps and the editor through vornami-batch.
//
// When this build of vornami-batch has no editor actions yet, what the editor
// would save (theme, titles, memos, top photo, colours) is written directly in
// the data files' documented format, announced on stderr; the batch steps
// themselves are never stood in for.
import { execFileSync, spawnSync } from 'node:child_process';
import { writeFileSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { writePictureJpeg } from './fixture_images.mjs';

export const PHOTO_COUNT = 20;
export const NO_THUMBNAIL = 7;  // this photo's camera wrote no embedded thumbnail
export const TOP_PHOTO = 3;
export const MODEL = 'Vornami Test Camera';
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

// The actions this build of vornami-batch offers, from its usage text.
function offeredActions(bin) {
  const r = spawnSync(join(bin, 'vornami-batch'), ['--usage'], { encoding: 'utf8' });
  const words = new Set();
  for (const line of (r.stderr || '').split('\n')) {
    if (!line.startsWith('  ')) continue;
    for (const w of line.trim().split(/\s+/)) words.add(w.replace(/=.*$/, '='));
  }
  return words;
}

function note(text) {
  process.stderr.write(`gallery_build: ${text}\n`);
}

// A data script in Shift-JIS with CR LF line ends, as the editor writes them.
function writeSjis(path, lines) {
  const tmp = mkdtempSync(join(tmpdir(), 'vornami-sjis-'));
  try {
    const utf8 = join(tmp, 'utf8.txt');
    writeFileSync(utf8, lines.map((l) => `${l}\r\n`).join(''));
    writeFileSync(path, execFileSync('iconv', ['-f', 'UTF-8', '-t', 'CP932', utf8]));
  } finally {
    rmSync(tmp, { recursive: true, force: true });
  }
}

// Builds the gallery in `dir` (an empty folder). `bin` holds vornami-batch and
// the gallery template; `fixturePhoto` is the vornami_fixture_photo program.
export function buildGallery({ bin, fixturePhoto, dir, colours = {} }) {
  const offered = offeredActions(bin);
  const has = (...names) => names.every((n) => offered.has(n));
  for (const step of ['rename', 'thumbnails', 'data', 'pages']) {
    if (!has(step)) throw new Error(`vornami-batch offers no "${step}" step`);
  }
  batch(bin, dir, ['init']);

  // The camera's photos, named as the camera names them.
  const work = mkdtempSync(join(tmpdir(), 'vornami-pictures-'));
  try {
    for (let i = 1; i <= PHOTO_COUNT; i++) {
      const picture = join(work, `p${i}.jpg`);
      const thumbnail = join(work, `t${i}.jpg`);
      writePictureJpeg(picture, i, 640, 480);
      writePictureJpeg(thumbnail, i, 160, 120, 75);
      execFileSync(fixturePhoto, [join(dir, 'Pelvora', `DSC${String(1000 + i).padStart(5, '0')}.JPG`),
        picture, i === NO_THUMBNAIL ? 'none' : thumbnail, shotAt(i).exif, MODEL]);
    }
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  batch(bin, dir, ['rename', 'thumbnails', 'data']);
  const names = Array.from({ length: PHOTO_COUNT }, (_, i) => shotAt(i + 1).name);

  // The theme, every photo's title and memo, the top photo and the colours,
  // typed into the editor.
  const colourArgs = Object.entries(colours).map(([k, v]) => `${k}=${v}`);
  if (has('theme=', 'title=', 'memo=', 'register', 'next', 'first', 'save', 'top-photo') &&
      colourArgs.every((a) => offered.has(a.replace(/=.*$/, '=')))) {
    const args = [`theme=${THEME}`];
    for (let i = 1; i <= PHOTO_COUNT; i++) {
      args.push(`title=${titleOf(i)}`, `memo=${memoOf(i)}`, 'register');
      if (i < PHOTO_COUNT) args.push('next');
    }
    args.push('save', 'first');
    for (let i = 1; i < TOP_PHOTO; i++) args.push('next');
    args.push('top-photo', ...colourArgs);
    batch(bin, dir, args);
  } else {
    note('stand-in for the editor: subject.js, title.js, note.js, gallerytoppic.js and ' +
         'colordata.js written directly');
    writeSjis(join(dir, 'gallery/data/subject.js'), [
      '/* ファイル「subject.js」 */', '/* グループタイトル */', `var subjectName="${THEME}";`]);
    writeSjis(join(dir, 'gallery/data/title.js'), [
      '/* ファイル「title.js」 */', '/* タイトル */', 'titleName = new Array();',
      ...names.map((n, i) => `titleName[${i + 1}]="${titleOf(i + 1)}";`)]);
    writeSjis(join(dir, 'gallery/data/note.js'), [
      '/* ファイル「note.js」 */', '/* メモ */', 'note = new Array();',
      ...names.map((n, i) => `note[${i + 1}]="${memoOf(i + 1).replace('\n', '<br>')}";`)]);
    writeSjis(join(dir, 'gallery/data/gallerytoppic.js'), [
      '/* ファイル「gallerytoppic.js」 */', '/* galleryトップ写真ファイルナンバー */',
      `var k = ${TOP_PHOTO};`]);
    const c = {
      'bg-color': '#000040', 'title-color': '#ff0000', 'item-color': '#ffff00',
      'data-color': '#ffffff', ...colours,
    };
    writeSjis(join(dir, 'gallery/data/colordata.js'), [
      '/* ファイル「colordata.js」 */', '/* 背景色 */', `var bgColor="${c['bg-color']}";`,
      '/* トップ画面「Tavisque」の文字色 */', `var vrntitleColor="${c['title-color']}";`,
      '/* 項目名「サブジェクト・タイトル・撮影年月日」の文字色 */',
      `var itemColor="${c['item-color']}";`, '/* データの文字色 */',
      `var dataColor="${c['data-color']}";`]);
  }

  if (has('info')) batch(bin, dir, ['info']);
  batch(bin, dir, ['pages']);
  return { names };
}

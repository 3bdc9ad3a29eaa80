// Walks a generated gallery in Debian's chromium over file://: the section
// pages with their title, memo and navigation frames, the menu, the slide show
// (its timer driven by a test clock) and the top page.
//
//   node gallery_walk.mjs --bin BUILD/bin --fixture-photo BUILD/tests/vornami_fixture_photo
//
// Exits 77 (skipped) when chromium, playwright-core (npm ci here) or cjpeg is missing.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, unlinkSync, existsSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { parseArgs } from 'node:util';
import { chromiumMissing, loadPlaywright, startBrowser, fileUrl } from './browser.mjs';
import {
  buildGallery, toolsMissing, shotAt, titleOf, PHOTO_COUNT, NO_THUMBNAIL, TOP_PHOTO, MODEL, THEME,
} from './gallery_build.mjs';

const { values: opts } = parseArgs({
  options: { bin: { type: 'string' }, 'fixture-photo': { type: 'string' } },
});
const playwright = await loadPlaywright();
const skip = chromiumMissing() || toolsMissing() ||
  (playwright ? null : 'playwright-core is not installed: run "npm ci" in tests/browser');
if (skip) {
  console.log(`SKIP: ${skip}`);
  process.exit(77);
}
if (!opts.bin || !opts['fixture-photo']) {
  console.error('usage: node gallery_walk.mjs --bin DIR --fixture-photo PROGRAM');
  process.exit(64);
}

const ITEM_COLOUR = '#00ff80';
const NAV_LABELS = ['最初へ', '前にジャンプ', '前へ戻る', '次へ進む', '次へジャンプ', '最後へ',
  'メニューへ', 'スライドショー'];

let dir;
let names;
let browser;
const requests = [];
const pageErrors = [];

function rgb(hex) {
  const n = parseInt(hex.slice(1), 16);
  return `rgb(${n >> 16}, ${(n >> 8) & 255}, ${n & 255})`;
}

function url(path) {
  return fileUrl(join(dir, path));
}

async function newPage() {
  const page = await browser.context.newPage();
  return page;
}

// The photo number of the section page a page shows.
function sectionOf(page) {
  const m = /\/gallery\/section\/sec(\d+)top\.html$/.exec(page.url());
  return m ? Number(m[1]) : null;
}

async function frameText(page, name) {
  return page.frame({ name }).locator('body').innerText();
}

// Clicks a navigation button of the section page and waits for the page it opens.
async function navigate(page, label) {
  const loaded = page.waitForEvent('load');
  await page.frame({ name: 'action' }).locator(`input[value="${label}"]`).click();
  await loaded;
}

before(async () => {
  dir = mkdtempSync(join(tmpdir(), 'vornami-gallery-'));
  ({ names } = buildGallery({
    bin: resolve(opts.bin), fixturePhoto: resolve(opts['fixture-photo']), dir,
    colours: { 'item-color': ITEM_COLOUR },
  }));
  browser = await startBrowser(playwright);
  browser.context.on('request', (r) => requests.push(r.url()));
  browser.context.on('page', (p) => {
    p.on('pageerror', (e) => pageErrors.push(`${p.url()}: ${e.message}`));
  });
});

after(async () => {
  if (browser) await browser.close();
  if (dir) rmSync(dir, { recursive: true, force: true });
});

test('the gallery has the files the walk needs', () => {
  assert.equal(names.length, PHOTO_COUNT);
  for (let i = 1; i <= PHOTO_COUNT; i++) {
    assert.ok(existsSync(join(dir, 'Pelvora', names[i - 1])), `photo ${i}`);
    assert.ok(existsSync(join(dir, `gallery/section/sec${i}top.html`)), `section page ${i}`);
  }
});

test('a section page shows the title, shooting time, memo and headings of its photo', async () => {
  const page = await newPage();
  await page.goto(url('gallery/section/sec1top.html'));
  const title = await frameText(page, 'title');
  assert.match(title, /2003年8月3日9時5分/);
  assert.ok(title.includes(titleOf(1)), title);
  const memo = await frameText(page, 'notes');
  assert.match(memo, /写真1のメモ\s*\n\s*二行目/);
  assert.equal((await frameText(page, 'notestitle')).trim(), 'メモ');
  assert.equal((await frameText(page, 'inftitle')).trim(), '撮影情報');
  for (const name of ['notestitle', 'inftitle', 'space']) {
    const frame = page.frame({ name });
    assert.equal(await frame.evaluate(() => document.characterSet), 'Shift_JIS', name);
    assert.equal(await frame.evaluate(() => getComputedStyle(document.body).backgroundColor),
      rgb('#000040'), name);
  }
  assert.equal(await page.frame({ name: 'notestitle' }).locator('#heading')
    .evaluate((e) => getComputedStyle(e).color), rgb(ITEM_COLOUR));
  const picture = page.frame({ name: 'pic' }).locator('img');
  assert.ok((await picture.getAttribute('src')).endsWith(`Pelvora/${names[0]}`));
  assert.ok(await picture.evaluate((img) => img.complete && img.naturalWidth > 0));
  await page.close();
});

test('the navigation buttons show their labels as text', async () => {
  const page = await newPage();
  await page.goto(url('gallery/section/sec1top.html'));
  const frame = page.frame({ name: 'action' });
  assert.equal(await frame.evaluate(() => document.characterSet), 'Shift_JIS');
  const labels = await frame.locator('input[type=button]').evaluateAll(
    (inputs) => inputs.map((i) => i.value));
  assert.deepEqual(labels, NAV_LABELS);
  await page.close();
});

test('the navigation buttons land on the right section pages and stop at maisu', async () => {
  const page = await newPage();
  await page.goto(url('gallery/section/sec1top.html'));
  const walk = [
    ['次へ進む', 2], ['次へジャンプ', 17], ['次へジャンプ', 20], ['次へ進む', 20],
    ['前にジャンプ', 5], ['前へ戻る', 4], ['最後へ', 20], ['最初へ', 1], ['前へ戻る', 1],
    ['前にジャンプ', 1], ['次へジャンプ', 16],
  ];
  for (const [label, expected] of walk) {
    await navigate(page, label);
    assert.equal(sectionOf(page), expected, `after ${label}`);
    assert.ok((await frameText(page, 'title')).includes(shotAt(expected).text), `title of ${expected}`);
  }
  await navigate(page, 'メニューへ');
  assert.ok(page.url().endsWith('/gallery/menu/menu.html'), page.url());
  await page.close();
});

test('the menu links every photo with its thumbnail and title', async () => {
  const page = await newPage();
  await page.goto(url('gallery/menu/menu.html'));
  assert.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS');
  assert.equal(await page.locator('#theme').innerText(), THEME);
  const links = page.locator('a.photo');
  assert.equal(await links.count(), PHOTO_COUNT);
  await page.waitForFunction(() => document.querySelectorAll('.vrn-noimage').length === 1 &&
    [...document.querySelectorAll('img.thumb')].every((img) => img.complete));
  for (let i = 1; i <= PHOTO_COUNT; i++) {
    const link = links.nth(i - 1);
    assert.ok((await link.getAttribute('href')).endsWith(`../section/sec${i}top.html`));
    const text = await link.innerText();
    assert.ok(text.includes(titleOf(i)) && text.includes(shotAt(i).text), text);
    if (i === NO_THUMBNAIL) {
      assert.equal(await link.locator('img').count(), 0);
      assert.ok(text.includes('画像なし'), text);
    } else {
      const img = link.locator('img.thumb');
      assert.ok((await img.getAttribute('src')).endsWith(`../thumbnail/Tn_${names[i - 1]}`));
      assert.ok(await img.evaluate((e) => e.naturalWidth > 0), `thumbnail ${i}`);
    }
  }
  const loaded = page.waitForEvent('load');
  await links.nth(11).click();
  await loaded;
  assert.equal(sectionOf(page), 12);
  assert.ok((await frameText(page, 'title')).includes(shotAt(12).text));
  await page.close();
});

test('the top page shows the theme, the top photo and the gallery facts', async () => {
  const page = await newPage();
  await page.goto(url('vornami/vornamitop.html'));
  assert.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS');
  assert.equal(await page.locator('#name').innerText(), 'Tavisque');
  assert.equal(await page.locator('#name').evaluate((e) => getComputedStyle(e).color),
    rgb('#ff0000'));
  assert.equal(await page.locator('#theme').innerText(), THEME);
  const photo = page.locator('#topphoto img');
  assert.ok((await photo.getAttribute('src')).endsWith(`Pelvora/${names[TOP_PHOTO - 1]}`));
  await page.waitForFunction(() => document.querySelector('#topphoto img').complete);
  assert.ok(await photo.evaluate((img) => img.naturalWidth > 0));
  const facts = await page.locator('#facts').innerText();
  assert.ok(facts.includes('2003年8月3日 ～ ' + (() => {
    const [y, m, d] = shotAt(PHOTO_COUNT).day.split('.').map(Number);
    return `${y}年${m}月${d}日`;
  })()), facts);
  assert.ok(facts.includes(MODEL), facts);
  assert.ok(facts.includes(`${PHOTO_COUNT}枚`), facts);
  assert.equal(await page.locator('#facts .vrn-label').first()
    .evaluate((e) => getComputedStyle(e).color), rgb(ITEM_COLOUR));

  const popupOpened = page.waitForEvent('popup');
  await page.locator('#slideshow').click();
  const popup = await popupOpened;
  await popup.waitForLoadState('load');
  assert.equal(await popup.evaluate(() => window.name), 'slideshow');
  await popup.close();

  let loaded = page.waitForEvent('load');
  await photo.click();
  await loaded;
  assert.equal(sectionOf(page), TOP_PHOTO);
  await page.goBack();
  loaded = page.waitForEvent('load');
  await page.locator('#enter').click();
  await loaded;
  assert.equal(sectionOf(page), 1);
  await page.goBack();
  loaded = page.waitForEvent('load');
  await page.locator('#menu').click();
  await loaded;
  assert.ok(page.url().endsWith('/gallery/menu/menu.html'));
  await page.close();
});

// Last of the walks: the clock it installs rules every page opened after it.
test('the slide show advances by itself and answers its buttons and keys', async () => {
  // A clock that stands still until the test moves it.
  await browser.context.clock.install({ time: new Date('2024-01-01T00:00:00Z') });
  await browser.context.clock.pauseAt(new Date('2024-01-01T00:00:10Z'));
  const page = await newPage();
  await page.goto(url('gallery/section/sec5top.html'));
  const popupOpened = page.waitForEvent('popup');
  await page.frame({ name: 'action' }).locator('input[value="スライドショー"]').click();
  const show = await popupOpened;
  await show.waitForLoadState('load');
  assert.equal(await show.evaluate(() => window.name), 'slideshow');
  assert.equal(await show.evaluate(() => document.characterSet), 'Shift_JIS');

  const current = async () => Number(await show.locator('body').getAttribute('data-photo'));
  const playing = async () => (await show.locator('body').getAttribute('data-playing')) === 'yes';
  const expectPhoto = async (n, why) => {
    assert.equal(await current(), n, why);
    assert.equal(await show.locator('#counter').innerText(), `${n} / ${PHOTO_COUNT}`, why);
    assert.ok((await show.locator('#stage img').getAttribute('src'))
      .endsWith(`Pelvora/${names[n - 1]}`), why);
    const caption = await show.locator('#caption').innerText();
    assert.ok(caption.includes(titleOf(n)) && caption.includes(shotAt(n).text), caption);
  };

  await expectPhoto(1, 'at the start');
  assert.ok(await playing());
  await show.waitForFunction(() => document.querySelector('#stage img').complete);
  assert.ok(await show.locator('#stage img').evaluate((img) => img.naturalWidth > 0));
  await browser.context.clock.runFor(4900);
  await expectPhoto(1, 'before the interval is over');
  await browser.context.clock.runFor(200);
  await expectPhoto(2, 'after one interval');
  await browser.context.clock.runFor(5000);
  await expectPhoto(3, 'after two intervals');

  await show.keyboard.press('ArrowRight');
  await expectPhoto(4, '→');
  await show.keyboard.press('ArrowLeft');
  await show.keyboard.press('ArrowLeft');
  await expectPhoto(2, '← twice');
  await show.keyboard.press(' ');
  assert.equal(await playing(), false);
  assert.equal(await show.locator('#playpause').innerText(), '再生');
  await browser.context.clock.runFor(30000);
  await expectPhoto(2, 'paused');
  await show.keyboard.press(' ');
  assert.equal(await playing(), true);
  assert.equal(await show.locator('#playpause').innerText(), '一時停止');
  await browser.context.clock.runFor(5000);
  await expectPhoto(3, 'playing again');

  await show.locator('#next').click();
  await expectPhoto(4, 'button next');
  await show.locator('#prev').click();
  await show.locator('#prev').click();
  await show.locator('#prev').click();
  await show.locator('#prev').click();
  await expectPhoto(PHOTO_COUNT, 'back from the first photo');
  await browser.context.clock.runFor(5000);
  await expectPhoto(1, 'on from the last photo');
  await show.locator('#playpause').click();
  assert.equal(await playing(), false);
  await show.keyboard.press('ArrowRight');
  await expectPhoto(2, '→ while paused');
  await browser.context.clock.runFor(30000);
  await expectPhoto(2, 'still paused');
  await show.locator('#next').focus();
  await show.keyboard.press(' ');
  await expectPhoto(3, 'space on a focused button presses it');
  assert.equal(await playing(), false, 'space on a focused button leaves play and pause alone');
  await show.keyboard.press('Alt+ArrowLeft').catch(() => {});
  await expectPhoto(3, 'the browser keeps its own shortcuts');

  // The window closes while the key is still being delivered.
  const closed = show.waitForEvent('close');
  await show.keyboard.press('Escape').catch(() => {});
  await closed;
  assert.ok(show.isClosed());
  await page.close();
});

test('the fixed pages cope with missing data files', async () => {
  const page = await newPage();
  writeFileSync(join(dir, 'gallery/data/gallerytoppic.js'), `var k = ${PHOTO_COUNT + 1};\r\n`);
  await page.goto(url('vornami/vornamitop.html'));
  assert.ok((await page.locator('#topphoto img').getAttribute('src'))
    .endsWith(`Pelvora/${names[0]}`), 'photo 1 for a top photo that is gone');

  unlinkSync(join(dir, 'gallery/data/gallerytoppic.js'));
  unlinkSync(join(dir, 'gallery/data/colordata.js'));
  await page.goto(url('vornami/vornamitop.html'));
  assert.ok((await page.locator('#topphoto img').getAttribute('src'))
    .endsWith(`Pelvora/${names[0]}`), 'photo 1 without gallerytoppic.js');
  assert.equal(await page.evaluate(() => getComputedStyle(document.body).backgroundColor),
    rgb('#000040'));

  unlinkSync(join(dir, 'gallery/data/filename.js'));
  await page.goto(url('vornami/vornamitop.html'));
  assert.equal(await page.locator('#topphoto').count(), 0);
  assert.ok((await page.locator('#empty').innerText()).includes('写真がまだありません'));
  await page.goto(url('gallery/menu/menu.html'));
  assert.equal(await page.locator('a.photo').count(), 0);
  assert.ok((await page.locator('#empty').innerText()).includes('写真がまだありません'));
  await page.goto(url('gallery/slideshow/slideshow.html'));
  assert.ok((await page.locator('#empty').innerText()).includes('写真がまだありません'));
  await page.close();
});

test('nothing but files was requested and no script failed', () => {
  assert.ok(requests.length > 0);
  assert.deepEqual(requests.filter((u) => !u.startsWith('file://')), []);
  assert.deepEqual(pageErrors, []);
});

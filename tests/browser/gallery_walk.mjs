// Walks a generated gallery in Debian's chromium over file://: the section
// pages with their title, memo and navigation frames, the menu, the slide show
// (its timer driven by a test clock) and the top page; the title strip and the
// photo inside their frames, the keys on the photo pages, texts from the photos
// shown literally; and on an emulated touch-screen phone the pages' controls,
// the photo view, swipes and the thumbnails loaded as they come into view.
// Every page family is checked with axe-core and walked with the Tab key; a
// tablet gets the photo view; a gallery of 12-megapixel photos shows its
// screen copies, and the bytes a phone loads for its first photo are counted.
//
//   node gallery_walk.mjs --bin BUILD/bin --fixture-photo BUILD/tests/vornami_fixture_photo
//
// Exits 77 (skipped) when chromium, playwright-core (npm ci here) or cjpeg is missing.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, unlinkSync, existsSync, writeFileSync, readFileSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';
import { chromiumMissing, loadPlaywright, startBrowser, fileUrl } from './browser.mjs';
import {
  buildGallery, buildPhoneGallery, toolsMissing, shotAt, titleOf, memoOf, PHOTO_COUNT, NO_THUMBNAIL, TOP_PHOTO, MODEL,
  THEME, PANORAMA, ODD_MODEL, BRACKETED_MODEL, SMALL_THUMBNAIL, WIDE_TITLE, LONGEST_TITLE,
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

// The desktop windows are smaller than their screen, as most windows are.
const SCREEN = { width: 1920, height: 1080 };
const PHONE = { width: 390, height: 844 };  // at 3 device pixels per CSS pixel
const TABLET = { width: 768, height: 1024 };
// What a phone may load to show the top page and then the first photo of a
// gallery of 12-megapixel photos, the photo fetched ahead included.
const FIRST_PHOTO_BUDGET = 2.0e6;
const MIN_TAP = 44;  // px, the smallest comfortable tap target

let dir;
let names;
let browser;
let phone;
let tablet;
let axeSource;
const requests = [];
const phoneRequests = [];
const pageErrors = [];
const failedImages = [];

function rgb(hex) {
  const n = parseInt(hex.slice(1), 16);
  return `rgb(${n >> 16}, ${(n >> 8) & 255}, ${n & 255})`;
}

// The address of a gallery file, "?photo=N" and the like kept as a query.
function url(path) {
  const [file, query] = path.split('?');
  return fileUrl(join(dir, file)) + (query ? `?${query}` : '');
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

// The box of an element, or of a frame's element, in the page's coordinates.
async function frameBox(page, name) {
  return (await page.frame({ name }).frameElement()).boundingBox();
}

function inside(inner, outer) {
  const slack = 0.5;  // sub-pixel rounding
  return inner.x >= outer.x - slack && inner.y >= outer.y - slack &&
    inner.x + inner.width <= outer.x + outer.width + slack &&
    inner.y + inner.height <= outer.y + outer.height + slack;
}

// The photo files a page asked for (the photos or their screen copies), as
// photo numbers, in the order asked.
function photosAsked(list, from) {
  return list.slice(from).filter((u) => u.includes('/Pelvora/') || u.includes('/gallery/screen/'))
    .map((u) => names.indexOf(decodeURIComponent(u.slice(u.lastIndexOf('/') + 1))) + 1);
}

// A finger moving across the page from [x, y] to [x, y], as touch events.
async function swipe(page, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const at = (k) => [{ x: from[0] + ((to[0] - from[0]) * k) / 5, y: from[1] + ((to[1] - from[1]) * k) / 5 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
  for (let k = 1; k <= 5; k++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(k) });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await cdp.detach();
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
  browser = await startBrowser(playwright, { screen: SCREEN });
  phone = await startBrowser(playwright, { ...PHONE, phone: true });
  tablet = await startBrowser(playwright, { ...TABLET, phone: true, scale: 2 });
  axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
  browser.context.on('request', (r) => requests.push(r.url()));
  phone.context.on('request', (r) => phoneRequests.push(r.url()));
  for (const b of [browser, phone, tablet]) {
    b.context.on('page', (p) => {
      p.on('pageerror', (e) => pageErrors.push(`${p.url()}: ${e.message}`));
      // A picture still loading when its page closes is aborted, not missing.
      p.on('requestfailed', (r) => {
        if (r.resourceType() === 'image' && r.failure()?.errorText !== 'net::ERR_ABORTED') {
          failedImages.push(`${r.url()}: ${r.failure()?.errorText}`);
        }
      });
    });
  }
});

after(async () => {
  if (browser) await browser.close();
  if (phone) await phone.close();
  if (tablet) await tablet.close();
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
  // Photo NO_THUMBNAIL's thumbnail file is empty: its tile stands in.
  await page.waitForFunction(() => [...document.querySelectorAll('img.thumb')]
    .every((img) => img.complete && img.naturalWidth > 0));
  assert.equal(await page.locator('.vrn-noimage').count(), 0);
  for (let i = 1; i <= PHOTO_COUNT; i++) {
    const link = links.nth(i - 1);
    assert.ok((await link.getAttribute('href')).endsWith(`../section/sec${i}top.html`));
    const text = await link.innerText();
    assert.ok(text.includes(titleOf(i)) && text.includes(shotAt(i).text), text);
    const img = link.locator('img.thumb');
    assert.equal(await img.getAttribute('alt'), titleOf(i));
    if (i === NO_THUMBNAIL) {
      assert.ok((await img.getAttribute('src')).endsWith(`../tile/${names[i - 1]}`));
    } else {
      assert.ok((await img.getAttribute('src')).endsWith(`../thumbnail/Tn_${names[i - 1]}`));
      assert.equal(await img.getAttribute('srcset'),
        `../thumbnail/Tn_${names[i - 1]} 1x, ../tile/${names[i - 1]} 2x`);
    }
    assert.ok(await img.evaluate((e) => e.naturalWidth > 0), `thumbnail ${i}`);
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

test('the title strip shows label, title and date on one line inside its frame at 1366×768', async () => {
  const page = await newPage();
  await page.setViewportSize({ width: 1366, height: 768 });
  // [photo, whether its title is too long for the strip and cut with an ellipsis]
  for (const [n, cut] of [[1, false], [WIDE_TITLE, false], [LONGEST_TITLE, true]]) {
    await page.goto(url(`gallery/section/sec${n}top.html`));
    const frame = page.frame({ name: 'title' });
    const strip = await frameBox(page, 'title');
    const parts = frame.locator('body font');
    assert.equal(await parts.count(), 4, `photo ${n}`);
    for (let k = 0; k < 4; k++) {
      const box = await parts.nth(k).boundingBox();
      assert.ok(inside(box, strip), `photo ${n}, part ${k}: ${JSON.stringify(box)} in ${JSON.stringify(strip)}`);
      const lines = await parts.nth(k).evaluate((e) => {
        const range = document.createRange();
        range.selectNodeContents(e);
        return new Set([...range.getClientRects()].map((r) => Math.round(r.bottom))).size;
      });
      assert.equal(lines, 1, `photo ${n}, part ${k} on one line`);
    }
    assert.deepEqual(await parts.evaluateAll((e) => e.map((f) => f.textContent)),
      ['タイトル：', titleOf(n), '撮影年月日：', shotAt(n).text]);
    const title = parts.nth(1);
    assert.equal(await title.evaluate((e) => e.scrollWidth > e.clientWidth), cut, `photo ${n} cut`);
    assert.equal(await title.evaluate((e) => getComputedStyle(e).textOverflow), 'ellipsis');
  }
  await page.close();
});

test('the photo fits its frame in a window smaller than the screen, never enlarged', async () => {
  const page = await newPage();
  // [photo, window width, window height]: a 640×480 photo and a 4608×1976 panorama.
  const cases = [[1, 1280, 720], [PANORAMA, 1280, 720], [PANORAMA, 1920, 1080], [1, 800, 500],
    [PANORAMA, 800, 500]];
  for (const [n, width, height] of cases) {
    await page.setViewportSize({ width, height });
    await page.goto(url(`gallery/section/sec${n}top.html`));
    const img = page.frame({ name: 'pic' }).locator('img');
    await img.evaluate((e) => e.decode());
    const frame = await frameBox(page, 'pic');
    const box = await img.boundingBox();
    const why = `photo ${n} at ${width}×${height}: ${JSON.stringify(box)} in ${JSON.stringify(frame)}`;
    assert.ok(inside(box, frame), why);
    const [natural, naturalHeight] = await img.evaluate((e) => [e.naturalWidth, e.naturalHeight]);
    assert.ok(box.width <= natural + 0.5, why);
    // As large as the frame allows: its own size, or touching the frame's sides.
    const fills = Math.abs(box.width - natural) < 1 || Math.abs(box.width - frame.width) < 1 ||
      Math.abs(box.height - frame.height) < 1;
    assert.ok(fills, why);
    assert.ok(Math.abs(box.width / box.height - natural / naturalHeight) < 0.01, `${why}: proportions`);
  }
  await page.close();
});

test('texts from the photos show literally, markup and all', async () => {
  const page = await newPage();
  await page.goto(url(`gallery/section/sec${ODD_MODEL}top.html`));
  const info = page.frame({ name: 'information' });
  assert.ok((await info.locator('body').innerText()).includes(BRACKETED_MODEL));
  assert.equal(await info.locator('body b, body digimax').count(), 0);
  await page.close();
});

test('← → Home End step through the photos whichever frame has the focus', async () => {
  const page = await newPage();
  // [frame given the focus (none: the page just opened), key, photo before, photo after]
  const walk = [
    [null, 'ArrowRight', 5, 6],
    ['pic', 'ArrowRight', 5, 6],
    ['title', 'ArrowLeft', 5, 4],
    ['notes', 'End', 5, PHOTO_COUNT],
    ['information', 'Home', 5, 1],
    ['action', 'ArrowRight', 5, 6],
    ['notestitle', 'ArrowLeft', 5, 4],
    ['inftitle', 'ArrowRight', 5, 6],
    ['space', 'ArrowLeft', 5, 4],
    ['action', 'ArrowLeft', 1, 1],
    ['pic', 'ArrowRight', PHOTO_COUNT, PHOTO_COUNT],
  ];
  for (const [frame, key, from, to] of walk) {
    await page.goto(url(`gallery/section/sec${from}top.html`));
    if (frame) {
      const box = await frameBox(page, frame);
      await page.mouse.click(box.x + 2, box.y + box.height - 2);
    }
    const loaded = page.waitForEvent('load');
    await page.keyboard.press(key);
    await loaded;
    assert.equal(sectionOf(page), to, `${key} in ${frame} on photo ${from}`);
  }
  await page.close();
});

test('on a phone every control of the fixed pages fits the screen and is big enough to tap', async () => {
  const page = await phone.context.newPage();
  const pages = ['vornami/vornamitop.html', 'gallery/menu/menu.html',
    'gallery/slideshow/slideshow.html', 'gallery/photoview/photoview.html?photo=3',
    `gallery/photoview/photoview.html?photo=${PANORAMA}`];
  for (const path of pages) {
    await page.goto(url(path));
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth),
      `${path} scrolls sideways`);
    const controls = await page.locator('a, button, iframe, img').evaluateAll((all) => all.map((e) => {
      const r = e.getBoundingClientRect();
      return { what: `${e.tagName} ${e.id || e.className || e.textContent}`, tag: e.tagName,
        left: r.left, right: r.right, width: r.width, height: r.height };
    }));
    assert.ok(controls.length > 0, path);
    for (const c of controls) {
      assert.ok(c.left >= 0 && c.right <= PHONE.width + 0.5, `${path}: ${c.what} fits the width`);
      if (c.tag === 'A' || c.tag === 'BUTTON') {
        assert.ok(c.width >= MIN_TAP && c.height >= MIN_TAP,
          `${path}: ${c.what} is ${c.width}×${c.height}`);
      }
    }
  }
  // The slide show's buttons stand wholly on the screen.
  await page.goto(url('gallery/slideshow/slideshow.html'));
  for (const id of ['prev', 'playpause', 'next', 'close']) {
    const box = await page.locator(`#${id}`).boundingBox();
    assert.ok(inside(box, { x: 0, y: 0, ...PHONE }), id);
  }
  await page.close();
});

test('on a phone the menu loads thumbnails as they come into view and opens the photo view', async () => {
  const page = await phone.context.newPage();
  const from = phoneRequests.length;
  await page.goto(url('gallery/menu/menu.html'));
  // A 3× screen takes the tiles (photo NO_THUMBNAIL's too, made from its picture).
  const thumbnails = () => phoneRequests.slice(from).filter((u) => u.includes('/gallery/tile/')).length;
  const shown = await page.locator('img.thumb').count();
  assert.equal(shown, PHOTO_COUNT);
  await page.waitForFunction(() => [...document.querySelectorAll('img.thumb[src]')]
    .every((img) => img.complete));
  const first = thumbnails();
  assert.ok(first > 0 && first <= shown * 0.7, `${first} of ${shown} thumbnails at once`);
  // Every tile as large as the others, the 80×60 thumbnail too.
  const sizes = await page.locator('.thumbbox').evaluateAll((all) =>
    all.map((b) => `${b.firstChild.offsetWidth}×${b.firstChild.offsetHeight}`));
  assert.equal(new Set(sizes).size, 1, `tile sizes, photo ${SMALL_THUMBNAIL} included: ${sizes}`);

  // Scrolled down tile by tile, every thumbnail is asked for once.
  for (let i = 0; i < PHOTO_COUNT; i++) await page.locator('a.photo').nth(i).scrollIntoViewIfNeeded();
  await page.waitForFunction(() => [...document.querySelectorAll('img.thumb')]
    .every((img) => img.getAttribute('src') && img.complete));
  assert.equal(thumbnails(), shown, 'each thumbnail once, when it came into view');

  const loaded = page.waitForEvent('load');
  await page.locator('a.photo').nth(2).scrollIntoViewIfNeeded();
  await page.locator('a.photo').nth(2).tap();
  await loaded;
  assert.ok(page.url().endsWith('/gallery/photoview/photoview.html?photo=3'), page.url());
  await page.close();
});

test('on a phone the photo view shows one photo with its texts; swipe and buttons step', async () => {
  const page = await phone.context.newPage();
  const from = phoneRequests.length;
  await page.goto(url('gallery/photoview/photoview.html?photo=3'));
  const photo = page.locator('#stage img');
  await photo.evaluate((e) => e.decode());
  assert.deepEqual(photosAsked(phoneRequests, from), [3, 4], 'the photo shown and the next');
  const box = await photo.boundingBox();
  assert.ok(inside(box, { x: 0, y: 0, ...PHONE }), JSON.stringify(box));
  const caption = await page.locator('#caption').innerText();
  assert.ok(caption.includes(titleOf(3)) && caption.includes(shotAt(3).text), caption);
  assert.equal(await page.locator('#memo').innerText(), memoOf(3));
  const info = page.frameLocator('#information');
  await info.locator('body').scrollIntoViewIfNeeded();
  assert.ok((await info.locator('body').innerText()).includes(MODEL));
  await page.evaluate(() => window.scrollTo(0, 0));  // swipes on the photo, not in the information

  // [how, photo after]
  const steps = [
    [() => swipe(page, [320, 300], [60, 300]), 4],
    [() => swipe(page, [60, 300], [320, 300]), 3],
    [() => page.locator('#next').tap(), 4],
    [() => page.locator('#prev').tap(), 3],
    [() => page.keyboard.press('ArrowLeft'), 2],
  ];
  for (const [how, expected] of steps) {
    const loaded = page.waitForEvent('load');
    await how();
    await loaded;
    assert.equal(await page.locator('body').getAttribute('data-photo'), String(expected), String(how));
  }
  // A finger moving up and down does not step.
  const asked = phoneRequests.length;
  await swipe(page, [200, 500], [200, 200]);
  assert.equal(await page.evaluate(() => document.body.getAttribute('data-photo')), '2');
  assert.deepEqual(phoneRequests.slice(asked).filter((u) => u.includes('photoview.html')), []);

  const loaded = page.waitForEvent('load');
  await page.locator('#menu').tap();
  await loaded;
  assert.ok(page.url().endsWith('/gallery/menu/menu.html?photo=2'), page.url());
  await page.close();
});

// Every page family, fixed and generated, in the browser it is made for.
const FAMILIES = [
  ['vornami/vornamitop.html', 'browser'],
  ['gallery/menu/menu.html', 'browser'],
  ['gallery/menu/menu.html', 'phone'],
  ['gallery/slideshow/slideshow.html', 'browser'],
  ['gallery/photoview/photoview.html?photo=3', 'phone'],
  ['gallery/section/sec1top.html', 'browser'],
  ['gallery/section/pic/pic1.html', 'browser'],
  ['gallery/section/title/tit1.html', 'browser'],
  ['gallery/notes/no1.html', 'browser'],
  ['gallery/section/action/action1.html', 'browser'],
  ['gallery/section/information/inf1.html', 'browser'],
  ['gallery/section/space/space.html', 'browser'],
  ['gallery/section/notestitle/notestitle.html', 'browser'],
  ['gallery/section/inftitle/inftitle.html', 'browser'],
];

function contextOf(on) {
  return { browser, phone, tablet }[on].context;
}

test('axe-core finds no critical or serious violation on any page family', async () => {
  for (const [path, on] of FAMILIES) {
    const page = await contextOf(on).newPage();
    await page.goto(url(path));
    await page.addScriptTag({ content: axeSource });
    const found = await page.evaluate(async () => {
      const result = await window.axe.run(document, { iframes: false, resultTypes: ['violations'] });
      return result.violations.filter((v) => v.impact === 'critical' || v.impact === 'serious')
        .map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
    });
    assert.deepEqual(found, [], `${path} on the ${on}`);
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'ja', path);
    await page.close();
  }
});

test('the Tab key reaches every control of the fixed pages, each with a visible focus', async () => {
  const pages = [['vornami/vornamitop.html', 'browser'], ['gallery/menu/menu.html', 'browser'],
    ['gallery/photoview/photoview.html?photo=3', 'phone'], ['gallery/slideshow/slideshow.html', 'browser']];
  for (const [path, on] of pages) {
    const page = await contextOf(on).newPage();
    await page.goto(url(path));
    const controls = 'a[href], button:not([disabled])';
    const count = await page.locator(controls).count();
    const reached = new Set();
    for (let k = 0; k < 2 * count + 4 && reached.size < count; k++) {
      await page.keyboard.press('Tab');
      const focus = await page.evaluate((selector) => {
        const e = document.activeElement;
        const index = [...document.querySelectorAll(selector)].indexOf(e);
        if (index < 0) return null;
        const s = getComputedStyle(e);
        return { index, what: `${e.tagName} ${e.id || e.textContent}`,
          visible: s.outlineStyle !== 'none' && parseFloat(s.outlineWidth) >= 2 };
      }, controls);
      if (!focus) continue;
      assert.ok(focus.visible, `${path}: the focus on ${focus.what} shows`);
      reached.add(focus.index);
    }
    assert.equal(reached.size, count, `${path}: controls the Tab key reached`);
    await page.close();
  }
});

test('on a 3× phone the menu shows even tiles drawn from the tile files, two columns or more', async () => {
  const page = await phone.context.newPage();
  // [window width, columns]
  for (const [width, columns] of [[360, 2], [390, 2], [430, 2], [600, 3]]) {
    await page.setViewportSize({ width, height: PHONE.height });
    await page.goto(url('gallery/menu/menu.html'));
    const lefts = await page.locator('a.photo').evaluateAll((all) =>
      all.map((a) => Math.round(a.getBoundingClientRect().left)));
    assert.equal(new Set(lefts).size, columns, `${width} px: ${lefts}`);
  }
  await page.setViewportSize(PHONE);
  await page.goto(url('gallery/menu/menu.html'));
  const tile = page.locator('img.thumb').first();
  await page.waitForFunction(() => document.querySelector('img.thumb').naturalWidth > 0);
  assert.ok((await tile.evaluate((e) => e.currentSrc)).endsWith(`/gallery/tile/${names[0]}`));
  // The 320 px tile as the 2x picture: 160 CSS pixels, drawn at full sharpness.
  assert.equal(await tile.evaluate((e) => e.naturalWidth), 160);
  await page.close();
});

test('a swipe to the right in the slide show steps back and stays in the slide show', async () => {
  const page = await phone.context.newPage();
  await page.goto(url('gallery/menu/menu.html'));  // a page to go back to
  await page.goto(url('gallery/slideshow/slideshow.html?photo=3'));
  await page.evaluate(() => window.slideShow.setPlaying(false));
  const address = page.url();
  for (const selector of ['html', 'body']) {
    assert.equal(await page.locator(selector).evaluate((e) => getComputedStyle(e).overscrollBehaviorX),
      'none', selector);
  }
  assert.equal(await page.locator('body').evaluate((e) => getComputedStyle(e).touchAction),
    'pan-y pinch-zoom');
  await swipe(page, [4, 300], [330, 300]);
  assert.equal(await page.locator('body').getAttribute('data-photo'), '2');
  assert.equal(page.url(), address);
  await page.close();
});

test('a touch tablet of 768×1024 gets the photo view, not the frames', async () => {
  const page = await tablet.context.newPage();
  await page.goto(url('vornami/vornamitop.html'));
  assert.ok((await page.locator('#enter').getAttribute('href')).endsWith('photoview/photoview.html?photo=1'));
  await page.goto(url('gallery/menu/menu.html'));
  const loaded = page.waitForEvent('load');
  await page.locator('a.photo').nth(4).tap();
  await loaded;
  assert.ok(page.url().endsWith('/gallery/photoview/photoview.html?photo=5'), page.url());
  await page.close();
});

test('photos larger than the screen are shown from their screen copies, never enlarged', async () => {
  // [page, where, the folder its photo comes from]: a 4608×1976 panorama has a
  // copy, a 640×480 photo none; the desktop photo pages keep the original.
  const cases = [
    [`gallery/photoview/photoview.html?photo=${PANORAMA}`, 'phone', '#stage img', 'gallery/screen'],
    ['gallery/photoview/photoview.html?photo=1', 'phone', '#stage img', 'Pelvora'],
    [`gallery/slideshow/slideshow.html?photo=${PANORAMA}`, 'browser', '#stage img', 'gallery/screen'],
    ['gallery/slideshow/slideshow.html?photo=1', 'browser', '#stage img', 'Pelvora'],
    [`gallery/section/pic/pic${PANORAMA}.html`, 'browser', 'img', 'Pelvora'],
  ];
  for (const [path, on, selector, folder] of cases) {
    const page = await contextOf(on).newPage();
    await page.goto(url(path));
    if (path.includes('slideshow')) await page.evaluate(() => window.slideShow.setPlaying(false));
    const img = page.locator(selector);
    await img.evaluate((e) => e.decode());
    const n = Number(/(\d+)(\.html)?$/.exec(path)[1]);
    assert.ok((await img.evaluate((e) => e.currentSrc)).endsWith(`${folder}/${names[n - 1]}`), path);
    const [shown, natural] = await img.evaluate((e) => [e.getBoundingClientRect().width, e.naturalWidth]);
    assert.ok(shown <= natural + 0.5, `${path}: ${shown} px wide, ${natural} px in the file`);
    await page.close();
  }
});

test('a phone loads at most 2.0 MB to show the top page and the first of 12-megapixel photos', async () => {
  const big = mkdtempSync(join(tmpdir(), 'vornami-phone-gallery-'));
  try {
    const { names: phoneNames } = buildPhoneGallery({
      bin: resolve(opts.bin), fixturePhoto: resolve(opts['fixture-photo']), dir: big,
    });
    const page = await phone.context.newPage();
    const asked = [];
    page.on('request', (r) => asked.push(r.url()));
    await page.goto(fileUrl(join(big, 'vornami/vornamitop.html')));
    await page.locator('#topphoto img').evaluate((e) => e.decode());
    const loaded = page.waitForEvent('load');
    await page.locator('#enter').tap();
    await loaded;
    await page.locator('#stage img').evaluate((e) => e.decode());
    const ahead = `/gallery/screen/${phoneNames[1]}`;
    if (!asked.some((u) => u.endsWith(ahead))) {
      await page.waitForEvent('requestfinished', (r) => r.url().endsWith(ahead));
    }
    // A data file the gallery does not have (no theme saved) costs nothing.
    const size = (u) => (existsSync(fileURLToPath(u)) ? statSync(fileURLToPath(u)).size : 0);
    const bytes = asked.reduce((sum, u) => sum + size(u), 0);
    const photos = asked.filter((u) => /\/(Pelvora|screen)\//.test(u));
    console.log(`# bytes to the first photo on a phone: ${bytes} in ${asked.length} requests ` +
      `(${photos.length} photos: ${photos.map(size).join(', ')}; ` +
      `an original: ${statSync(join(big, 'Pelvora', phoneNames[0])).size})`);
    assert.deepEqual(photos.filter((u) => u.includes('/Pelvora/')), [], 'no original');
    assert.ok(photos.length >= 2, photos.join(' '));
    assert.ok(bytes <= FIRST_PHOTO_BUDGET, `${bytes} bytes`);
    await page.close();
  } finally {
    rmSync(big, { recursive: true, force: true });
  }
});

test('on a phone the slide show starts at the photo view\'s photo, loads only it and the next, and swipes', async () => {
  // The slide show stands still while it is swiped: a clock that only the test moves.
  await phone.context.clock.install({ time: new Date('2024-01-01T00:00:00Z') });
  await phone.context.clock.pauseAt(new Date('2024-01-01T00:00:10Z'));
  const page = await phone.context.newPage();
  await page.goto(url('gallery/photoview/photoview.html?photo=6'));
  const from = phoneRequests.length;
  const opened = page.waitForEvent('popup');
  await page.locator('#slideshow').tap();
  const show = await opened;
  await show.waitForLoadState('load');
  assert.equal(await show.locator('body').getAttribute('data-photo'), '6');
  await show.locator('#stage img').evaluate((e) => e.decode());
  assert.deepEqual(photosAsked(phoneRequests, from), [6, 7]);
  await swipe(show, [320, 300], [60, 300]);
  assert.equal(await show.locator('body').getAttribute('data-photo'), '7');
  await swipe(show, [60, 300], [320, 300]);
  await swipe(show, [60, 300], [320, 300]);
  assert.equal(await show.locator('body').getAttribute('data-photo'), '5');
  await show.close();
  await page.close();
});

// Last of the walks: the clock it installs rules every page opened after it.
test('the slide show advances by itself and answers its buttons and keys', async () => {
  // A clock that stands still until the test moves it.
  await browser.context.clock.install({ time: new Date('2024-01-01T00:00:00Z') });
  await browser.context.clock.pauseAt(new Date('2024-01-01T00:00:10Z'));
  const page = await newPage();
  // [page it is opened from, its button, the photo it starts at]
  const starts = [
    ['gallery/section/sec5top.html',
      () => page.frame({ name: 'action' }).locator('input[value="スライドショー"]').click(), 5],
    ['gallery/menu/menu.html?photo=7', () => page.locator('#slideshow').click(), 7],
    ['gallery/menu/menu.html', () => page.locator('#slideshow').click(), 1],
    ['vornami/vornamitop.html', () => page.locator('#slideshow').click(), 1],
  ];
  for (const [from, click, expected] of starts) {
    await page.goto(url(from));
    const asked = requests.length;
    const opened = page.waitForEvent('popup');
    await click();
    const started = await opened;
    await started.waitForLoadState('load');
    assert.equal(await started.locator('body').getAttribute('data-photo'), String(expected), from);
    await started.locator('#stage img').evaluate((e) => e.decode());
    assert.deepEqual(photosAsked(requests, asked), [expected, expected + 1], `${from}: photos loaded`);
    await started.close();
  }

  await page.goto(url('gallery/section/sec1top.html'));
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
    assert.ok((await show.locator('#stage img').evaluate((e) => e.src))
      .endsWith(`${n === PANORAMA ? 'gallery/screen' : 'Pelvora'}/${names[n - 1]}`), why);
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
  assert.deepEqual(failedImages, [], 'every picture asked for is there: screen.js names the copies');
});

// Makes the screenshots of a generated gallery that docs/ shows: on a desktop
// window the top page, a section page, the menu and the slide show; the menu
// on a 1920×1080 window; on a 3× touch-screen phone the top page, the menu,
// the photo view and the slide show. Run by docs/make-screenshots.sh, never by the tests.
//
//   node make_screenshots.mjs --bin BUILD/bin --fixture-photo PROGRAM --out DIR [--desktop 1366x768]
import { mkdtempSync, rmSync, mkdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { parseArgs } from 'node:util';
import { chromiumMissing, loadPlaywright, startBrowser, fileUrl } from './browser.mjs';
import { buildGallery, toolsMissing } from './gallery_build.mjs';

const { values: opts } = parseArgs({
  options: {
    bin: { type: 'string' }, 'fixture-photo': { type: 'string' }, out: { type: 'string' },
    desktop: { type: 'string', default: '1366x768' },
  },
});
const playwright = await loadPlaywright();
const missing = chromiumMissing() || toolsMissing() ||
  (playwright ? null : 'playwright-core is not installed: run "npm ci" in tests/browser');
if (missing) {
  console.error(missing);
  process.exit(1);
}
const [width, height] = opts.desktop.split('x').map(Number);
const devices = [
  ['desktop', { width, height }, [
    ['vornami/vornamitop.html', 'screenshot-top.png', false],
    ['gallery/section/sec3top.html', 'screenshot-section.png', false],
    ['gallery/menu/menu.html', 'screenshot-menu.png', true],
    ['gallery/slideshow/slideshow.html?photo=3', 'screenshot-slideshow.png', false],
  ]],
  ['desktop-1920', { width: 1920, height: 1080 }, [
    ['gallery/menu/menu.html', 'screenshot-menu-1920.png', false],
  ]],
  ['phone', { width: 390, height: 844, phone: true, scale: 3 }, [
    ['vornami/vornamitop.html', 'screenshot-phone-top.png', false],
    ['gallery/menu/menu.html', 'screenshot-phone-menu.png', false],
    ['gallery/photoview/photoview.html?photo=3', 'screenshot-phone-photo.png', false],
    ['gallery/slideshow/slideshow.html?photo=3', 'screenshot-phone-slideshow.png', false],
  ]],
];

const out = resolve(opts.out);
mkdirSync(out, { recursive: true });
const dir = mkdtempSync(join(tmpdir(), 'vornami-screens-'));
try {
  buildGallery({ bin: resolve(opts.bin), fixturePhoto: resolve(opts['fixture-photo']), dir });
  for (const [, options, shots] of devices) {
    const browser = await startBrowser(playwright, options);
    try {
      // The slide show stays on its first photo while it is photographed.
      await browser.context.clock.install({ time: new Date('2024-01-01T00:00:00Z') });
      await browser.context.clock.pauseAt(new Date('2024-01-01T00:00:10Z'));
      const page = await browser.context.newPage();
      for (const [path, file, fullPage] of shots) {
        const [name, query] = path.split('?');
        await page.goto(fileUrl(join(dir, name)) + (query ? `?${query}` : ''));
        // Every image shown, the thumbnails the menu loads lazily too.
        await page.evaluate(() => document.querySelectorAll('img[data-src]').forEach((img) => {
          if (img.getAttribute('src')) return;
          if (img.getAttribute('data-srcset')) img.srcset = img.getAttribute('data-srcset');
          img.src = img.getAttribute('data-src');
        }));
        await page.evaluate(() => Promise.all([...document.images].map((img) =>
          img.complete ? null : new Promise((done) => { img.onload = img.onerror = done; }))));
        await page.screenshot({ path: join(out, file), fullPage });
        console.log(join(out, file));
      }
    } finally {
      await browser.close();
    }
  }
} finally {
  rmSync(dir, { recursive: true, force: true });
}

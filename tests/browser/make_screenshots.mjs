// Makes the screenshots of a generated gallery that docs/ shows: the top page,
// a section page, the menu and the slide show. Run by docs/make-screenshots.sh,
// never by the tests.
//
//   node make_screenshots.mjs --bin BUILD/bin --fixture-photo PROGRAM --out DIR
import { mkdtempSync, rmSync, mkdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { parseArgs } from 'node:util';
import { chromiumMissing, loadPlaywright, startBrowser, fileUrl } from './browser.mjs';
import { buildGallery, toolsMissing } from './gallery_build.mjs';

const { values: opts } = parseArgs({
  options: {
    bin: { type: 'string' }, 'fixture-photo': { type: 'string' }, out: { type: 'string' },
  },
});
const playwright = await loadPlaywright();
const missing = chromiumMissing() || toolsMissing() ||
  (playwright ? null : 'playwright-core is not installed: run "npm ci" in tests/browser');
if (missing) {
  console.error(missing);
  process.exit(1);
}
const out = resolve(opts.out);
mkdirSync(out, { recursive: true });
const dir = mkdtempSync(join(tmpdir(), 'vornami-screens-'));
const browser = await startBrowser(playwright, { width: 1280, height: 800 });
try {
  buildGallery({ bin: resolve(opts.bin), fixturePhoto: resolve(opts['fixture-photo']), dir });
  // The slide show stays on its first photo while it is photographed.
  await browser.context.clock.install({ time: new Date('2024-01-01T00:00:00Z') });
  await browser.context.clock.pauseAt(new Date('2024-01-01T00:00:10Z'));
  const page = await browser.context.newPage();
  const shots = [
    ['vornami/vornamitop.html', 'screenshot-top.png', false],
    ['gallery/section/sec3top.html', 'screenshot-section.png', false],
    ['gallery/menu/menu.html', 'screenshot-menu.png', true],
    ['gallery/slideshow/slideshow.html', 'screenshot-slideshow.png', false],
  ];
  for (const [path, file, fullPage] of shots) {
    await page.goto(fileUrl(join(dir, path)));
    await page.evaluate(() => Promise.all([...document.images].map((img) =>
      img.complete ? null : new Promise((done) => { img.onload = img.onerror = done; }))));
    await page.screenshot({ path: join(out, file), fullPage });
    console.log(join(out, file));
  }
} finally {
  await browser.close();
  rmSync(dir, { recursive: true, force: true });
}

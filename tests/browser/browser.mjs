// Starts Debian's chromium through playwright-core: headless, offline, with a
// fresh profile that is removed again on close. Never a downloaded browser.
import { mkdtempSync, rmSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const CHROMIUM = process.env.VORNAMI_CHROMIUM || '/usr/bin/chromium';

export const CHROMIUM_FLAGS = [
  '--headless',
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--no-first-run',
  '--disable-quic',
  '--disable-sync',
];

export function chromiumMissing() {
  return existsSync(CHROMIUM) ? null : `${CHROMIUM} is not installed`;
}

export async function loadPlaywright() {
  try {
    return await import('playwright-core');
  } catch {
    return null;
  }
}

// A browser context with its own profile folder; close() removes the folder.
// The screen is the window's size unless given; `phone` emulates a touch
// screen phone or tablet (touch events, mobile viewport) of `scale` device
// pixels per CSS pixel.
export async function startBrowser(playwright, {
  width = 1280, height = 800, screen = { width, height }, phone = false, scale = 3,
} = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'vornami-chromium-'));
  const context = await playwright.chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    args: CHROMIUM_FLAGS,
    viewport: { width, height },
    screen,
    offline: true,
    ...(phone ? { hasTouch: true, isMobile: true, deviceScaleFactor: scale } : {}),
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

export function fileUrl(path) {
  return pathToFileURL(path).href;
}

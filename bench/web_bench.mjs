// The web page's figures in headless Chromium: ticks per second at both speeds, the CPU of
// the page's renderer at the fast speed, the time from navigation to the first frame and
// the site's size gzip-compressed. Prints the same table as the window's driver.
//
//   node bench/web_bench.mjs SITE_DIR [SECONDS]
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

import { Browser } from '../tests/web/cdp.mjs';
import { serve } from '../tests/web/static_server.mjs';

const siteDir = process.argv[2];
const seconds = Number(process.argv[3] ?? 10);
const kSettleMs = 1000;

function siteKb() {
  let bytes = 0;
  for (const name of readdirSync(siteDir)) bytes += gzipSync(readFileSync(join(siteDir, name)), { level: 9 }).length;
  return bytes / 1024;
}

// Counted from tick to tick, in the page: the first and the last animation frame in the
// window that ran a tick, so the window's edges cannot miscount by one.
function rateIn(page, ms) {
  return page.evaluate(`new Promise((resolve) => {
    const end = performance.now() + ${ms};
    let previous = animatsiya.ticks, first = null, last = null;
    const frame = () => {
      const now = performance.now(), ticks = animatsiya.ticks;
      if (ticks !== previous) {
        if (first === null) first = { ticks, now }; else last = { ticks, now };
        previous = ticks;
      }
      if (now < end) requestAnimationFrame(frame);
      else resolve(last ? (last.ticks - first.ticks) / ((last.now - first.now) / 1000) : 0);
    };
    requestAnimationFrame(frame);
  })`);
}

async function rendererCpuSeconds(browser) {
  const { processInfo } = await browser.send('SystemInfo.getProcessInfo');
  return processInfo.filter((p) => p.type === 'renderer').reduce((sum, p) => sum + p.cpuTime, 0);
}

async function choose(page, selector) {
  const at = async (s) => page.evaluate(`(() => {
    const r = document.querySelector('${s}').getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  })()`);
  const item = await page.evaluate(`document.querySelector('${selector}').closest('[role="menu"]').previousElementSibling.id`);
  let p = await at(`[id="${item}"]`);
  await page.click(p.x, p.y);
  p = await at(selector);
  await page.click(p.x, p.y);
}

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const site = await serve(siteDir);
const browser = await Browser.launch();
let rows;
try {
  const page = await browser.newPage({ width: 1100, height: 800, deviceScaleFactor: 1 });
  // The first frame of a fresh load, the median of three.
  const firstFrames = [];
  for (let i = 0; i < 3; ++i) {
    await page.navigate(`${site.url}?load=${i}`);
    await page.waitFor(`performance.getEntriesByName('animatsiya-first-frame').length > 0`);
    firstFrames.push(await page.evaluate(`performance.getEntriesByName('animatsiya-first-frame')[0].startTime`));
  }
  const firstFrameMs = firstFrames.sort((a, b) => a - b)[1];

  await choose(page, '[data-speed="fast"]');
  await pause(kSettleMs);
  const cpuBefore = await rendererCpuSeconds(browser);
  const wallBefore = performance.now();
  const fast = await rateIn(page, seconds * 1000);
  const cpuPercent = (100 * (await rendererCpuSeconds(browser) - cpuBefore)) /
                     ((performance.now() - wallBefore) / 1000);

  await choose(page, '[data-speed="normal"]');
  await pause(kSettleMs);
  const normal = await rateIn(page, seconds * 1000);
  const kb = siteKb();

  rows = [
    ['page ticks per second, fast', '>= 990', fast, '/s', fast >= 990],
    ['page ticks per second, normal', '20.0 +- 1 %', normal, '/s', normal >= 19.8 && normal <= 20.2],
    ['page renderer CPU, fast', '<= 15 %', cpuPercent, '%', cpuPercent <= 15],
    ['page navigation to 1st frame', '<= 500 ms', firstFrameMs, 'ms', firstFrameMs <= 500],
    ['site size, gzip', '<= 300 KB', kb, 'KB', kb <= 300],
  ];
} finally {
  await browser.close();
  await site.close();
}
const pad = (text, width) => String(text).padEnd(width);
console.log(`${pad('figure', 30)} ${pad('target', 13)} ${'measured'.padStart(12)}  result`);
for (const [figure, target, value, unit, pass] of rows) {
  console.log(`${pad(figure, 30)} ${pad(target, 13)} ${value.toFixed(2).padStart(9)} ${pad(unit, 3)} ${pass ? 'pass' : 'FAIL'}`);
}
console.log(`(the page in headless Chromium: ${seconds} s per speed after ${kSettleMs} ms to settle)`);

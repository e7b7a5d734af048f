// The page in headless Chromium: its title and menus, every scene and both speeds chosen
// with real mouse clicks and the keyboard, each scene judged by its screenshots, crisp
// pixels at several device scales, and the same pixels as the native trace tool for a seed.
//
//   node browser_test.mjs SITE_DIR JUDGE TRACE_TOOL
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

import { Browser } from './cdp.mjs';
import { serve } from './static_server.mjs';

const [siteDir, judge, traceTool] = process.argv.slice(2).map((path) => resolve(path));
const judgeEnv = { ...process.env, QT_QPA_PLATFORM: 'offscreen' };
const expected = JSON.parse(execFileSync(judge, ['menus'], { env: judgeEnv, encoding: 'utf8' }));
const shots = mkdtempSync(join(tmpdir(), 'animatsiya-web-test-'));
// A scene may pass through a tick or two that shows little; a look fails only after this
// many screenshots, spread over about two seconds.
const kLooks = 10;
const kWindow = { width: 1100, height: 800 };

let site;
let browser;
before(async () => {
  site = await serve(siteDir);
  browser = await Browser.launch();
});
after(async () => {
  await browser?.close();
  await site?.close();
  rmSync(shots, { recursive: true, force: true });
});

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function openPage(metrics = { ...kWindow, deviceScaleFactor: 1 }, query = '') {
  const page = await browser.newPage(metrics);
  await page.navigate(site.url + query);
  await page.waitFor('window.animatsiya !== undefined');
  return page;
}

// The centre of an element found by selector, in CSS pixels.
async function centreOf(page, selector) {
  return page.evaluate(`(() => {
    const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  })()`);
}

async function clickOn(page, selector) {
  const { x, y } = await centreOf(page, selector);
  await page.click(x, y);
}

const topItem = (caption) => `[role="menubar"] > li > [role="menuitem"][id="${caption.replaceAll(' ', '')}"]`;
const menuItem = (caption) => `[role="menu"] [role="menuitem"][id="${caption.replaceAll(' ', '')}"]`;

async function openMenus(page) {
  return page.evaluate(`[...document.querySelectorAll('[role="menu"]')].filter((m) => !m.hidden).length`);
}

// Opens the menu with the mouse and clicks the item, as a user would.
async function choose(page, menuCaption, itemCaption) {
  await clickOn(page, topItem(menuCaption));
  assert.equal(await page.evaluate(`document.querySelector('${topItem(menuCaption)}').getAttribute('aria-expanded')`), 'true');
  await clickOn(page, menuItem(itemCaption));
  assert.equal(await openMenus(page), 0, `the menu stays open after "${itemCaption}"`);
}

// The stage's place on the screenshot, in device pixels.
async function stageBox(page) {
  return page.evaluate(`(() => {
    const r = document.getElementById('stage').getBoundingClientRect();
    const k = devicePixelRatio;
    return { x: Math.round(r.x * k), y: Math.round(r.y * k), width: Math.round(r.width * k),
             height: Math.round(r.height * k), cssWidth: r.width, cssHeight: r.height };
  })()`);
}

function runJudge(args) {
  const result = spawnSync(judge, args, { env: judgeEnv, encoding: 'utf8' });
  if (result.status === 2 || result.status === null) throw new Error(`judge failed: ${result.stderr}`);
  return result.stdout.trim();
}

async function shoot(page, label) {
  const file = join(shots, `${label}.png`);
  writeFileSync(file, await page.screenshot());
  return file;
}

// Screenshots until one shows the scene as the desktop tests expect it.
async function looksLike(page, scene, label) {
  const box = await stageBox(page);
  let problem = '';
  for (let look = 0; look < kLooks; ++look) {
    if (look > 0) await pause(200);
    const file = await shoot(page, label);
    problem = runJudge(['scene', String(scene), file, String(box.x), String(box.y)]);
    if (problem === '') return;
  }
  const kept = join(process.cwd(), `web-${label}-failed.png`);
  writeFileSync(kept, readFileSync(join(shots, `${label}.png`)));
  assert.fail(`${label}: ${problem} (${kept})`);
}

async function ticksIn(page, ms) {
  const first = await page.evaluate('animatsiya.ticks');
  await pause(ms);
  return (await page.evaluate('animatsiya.ticks')) - first;
}

test('the title and the menus show the captions in order, as a menu bar with menu items', async () => {
  const page = await openPage();
  assert.equal(await page.evaluate('document.title'), expected.title);
  assert.equal(await page.evaluate('document.documentElement.lang'), 'ru');

  const { nodes } = await page.send('Accessibility.getFullAXTree');
  const named = (role) => nodes.filter((n) => !n.ignored && n.role?.value === role).map((n) => n.name?.value);
  assert.equal(named('menubar').length, 1);
  assert.deepEqual(named('menuitem'), expected.menus.map((m) => m.caption));

  for (const menu of expected.menus) {
    await clickOn(page, topItem(menu.caption));
    // The open menu's items, in order, as a screen reader finds them.
    const tree = await page.send('Accessibility.getFullAXTree');
    const byId = new Map(tree.nodes.map((n) => [n.nodeId, n]));
    const open = tree.nodes.filter((n) => !n.ignored && n.role?.value === 'menu');
    assert.equal(open.length, 1);
    const items = [];
    const walk = (node) => {
      if (!node.ignored && node.role?.value === 'menuitem') items.push(node.name?.value);
      for (const id of node.childIds ?? []) if (byId.has(id)) walk(byId.get(id));
    };
    walk(open[0]);
    assert.deepEqual(items, menu.items);
    // No check marks, shortcuts or access keys.
    assert.equal(await page.evaluate(`document.querySelectorAll('[aria-checked], [aria-keyshortcuts], [accesskey]').length`), 0);
    // A click elsewhere closes it.
    await clickOn(page, '#stage');
    assert.equal(await openMenus(page), 0, `"${menu.caption}" stays open after a click elsewhere`);
  }
  assert.deepEqual(page.errors, []);
});

test('the favicon is the UFO, as the window\'s icon is', async () => {
  const page = await openPage();
  const icon = await page.evaluate(`new Promise((resolve) => {
    const image = new Image();
    image.onload = () => {
      const canvas = document.createElement('canvas');
      canvas.width = image.naturalWidth;
      canvas.height = image.naturalHeight;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
      let red = 0, clear = 0;
      for (let i = 0; i < data.length; i += 4) {
        red += data[i] === 255 && data[i + 1] === 0 && data[i + 2] === 0 && data[i + 3] === 255;
        clear += data[i + 3] === 0;
      }
      resolve({ width: image.naturalWidth, height: image.naturalHeight, red, clear });
    };
    image.onerror = () => resolve(null);
    image.src = document.querySelector('link[rel="icon"]').href;
  })`);
  assert.ok(icon, 'no favicon');
  assert.equal(icon.width, icon.height);
  assert.ok(icon.red > icon.width * icon.height / 10, 'a red UFO');
  assert.ok(icon.clear > icon.width * icon.height / 4, 'on a clear ground');
});

test('a plain message where JavaScript or WebAssembly is missing', async () => {
  const noScript = await browser.newPage({ ...kWindow, deviceScaleFactor: 1 });
  await noScript.send('Emulation.setScriptExecutionDisabled', { value: true });
  await noScript.navigate(site.url);
  assert.match(await noScript.evaluate('document.body.innerText'), /JavaScript/);

  // A browser without WebAssembly, as far as the page can tell.
  const noWasm = await browser.newPage({ ...kWindow, deviceScaleFactor: 1 });
  await noWasm.send('Page.addScriptToEvaluateOnNewDocument', { source: 'delete window.WebAssembly;' });
  await noWasm.navigate(site.url);
  const text = await noWasm.evaluate('document.body.innerText');
  assert.match(text, /WebAssembly/);
  assert.doesNotMatch(text, /JavaScript/);
  assert.equal(await noWasm.evaluate(`document.getElementById('stage').hidden`), true);
});

test('after a stall the page skips the backlog rather than racing through it', async () => {
  const page = await openPage();
  await choose(page, expected.menus[1].caption, expected.menus[1].items[1]);
  await pause(300);
  // A second's stall of the page's thread owes a thousand fast ticks; at most a frame's
  // worth and 40 ms more are made up, and then the ticks of the frames that follow.
  const ran = await page.evaluate(`new Promise((resolve) => {
    requestAnimationFrame(() => {
      const before = animatsiya.ticks;
      const end = performance.now() + 1000;
      while (performance.now() < end) {}
      requestAnimationFrame(() => requestAnimationFrame(() => resolve(animatsiya.ticks - before)));
    });
  })`);
  assert.ok(ran > 0 && ran < 200, `${ran} ticks ran in the frames after a one-second stall`);
});

test('every scene and both speeds, by mouse, look as the window does', async () => {
  const page = await openPage();
  const [scenes, speeds] = expected.menus;
  assert.equal(await page.evaluate('animatsiya.scene'), 1);
  assert.equal(await page.evaluate('animatsiya.interval'), 50);
  const normalTicks = await ticksIn(page, 1000);
  assert.ok(normalTicks > 0, 'ticks do not advance');

  for (const [index, speed] of speeds.items.entries()) {
    await choose(page, speeds.caption, speed);
    const interval = await page.evaluate('animatsiya.interval');
    assert.equal(interval, index === 0 ? 50 : 1);
    for (const [k, caption] of scenes.items.entries()) {
      await choose(page, scenes.caption, caption);
      assert.equal(await page.evaluate('animatsiya.scene'), k + 1);
      await pause(400);
      await looksLike(page, k + 1, `scene${k + 1}-${interval}ms`);
    }
  }
  // At the fast speed the ticks run many times faster than at the normal one.
  const fastTicks = await ticksIn(page, 1000);
  assert.ok(fastTicks > 5 * normalTicks, `${fastTicks} ticks in a second at the fast speed, ${normalTicks} at the normal one`);
  assert.deepEqual(page.errors, []);
});

test('the keyboard works the menus as on the desktop', async () => {
  const page = await openPage();
  await page.key('Tab', 'Tab', 9);
  assert.equal(await page.evaluate('document.activeElement.textContent'), expected.menus[0].caption);
  await page.key('ArrowDown', 'ArrowDown', 40);
  assert.equal(await page.evaluate('document.activeElement.textContent'), expected.menus[0].items[0]);
  await page.key('ArrowUp', 'ArrowUp', 38);
  assert.equal(await page.evaluate('document.activeElement.textContent'), expected.menus[0].items.at(-1));
  await page.key('Enter', 'Enter', 13);
  assert.equal(await page.evaluate('animatsiya.scene'), expected.menus[0].items.length);
  assert.equal(await openMenus(page), 0);

  // Right from an open menu opens the next one; Escape closes it and leaves the focus on
  // its title; a lone Alt leaves the bar.
  await page.key('Alt', 'AltLeft', 18);
  assert.equal(await page.evaluate('document.activeElement.textContent'), expected.menus[0].caption);
  await page.key('Enter', 'Enter', 13);
  await page.key('ArrowRight', 'ArrowRight', 39);
  assert.equal(await page.evaluate('document.activeElement.textContent'), expected.menus[1].items[0]);
  await page.key('ArrowDown', 'ArrowDown', 40);
  await page.key(' ', 'Space', 32);
  assert.equal(await page.evaluate('animatsiya.interval'), 1);
  await page.key('Alt', 'AltLeft', 18);
  await page.key('ArrowDown', 'ArrowDown', 40);
  await page.key('Escape', 'Escape', 27);
  assert.equal(await openMenus(page), 0);
  assert.equal(await page.evaluate('document.activeElement.textContent'), expected.menus[0].caption);
  await page.key('Alt', 'AltLeft', 18);
  assert.equal(await page.evaluate('document.activeElement === document.body'), true);
  assert.deepEqual(page.errors, []);
});

// The largest whole number of device pixels per stage pixel that fits, and nothing but the
// artwork's colours on the screen where the stage is.
const kScreens = [
  { name: 'scale 1', width: 1100, height: 800, deviceScaleFactor: 1, k: 1, css: [773, 584] },
  { name: 'scale 1.5', width: 1100, height: 800, deviceScaleFactor: 1.5, k: 1 },
  { name: 'scale 2', width: 1100, height: 800, deviceScaleFactor: 2, k: 2 },
  { name: 'phone', width: 390, height: 844, deviceScaleFactor: 3, k: 1 },
];
for (const screen of kScreens) {
  test(`crisp at ${screen.name}`, async () => {
    const page = await openPage(screen);
    // The sight scene's crosshair and the caption of the eureka scene: one-pixel lines and
    // letters, where any smoothing shows first.
    for (const k of [6, 3]) {
      await choose(page, expected.menus[0].caption, expected.menus[0].items[k - 1]);
      await pause(300);
      const box = await stageBox(page);
      assert.equal(box.width, 773 * screen.k);
      assert.equal(box.height, 584 * screen.k);
      if (screen.css) assert.deepEqual([box.cssWidth, box.cssHeight], screen.css);
      const shot = await shoot(page, `crisp-${screen.deviceScaleFactor}-${k}`);
      const visible = { width: Math.min(box.width, Math.round(screen.width * screen.deviceScaleFactor) - box.x),
                        height: Math.min(box.height, Math.round(screen.height * screen.deviceScaleFactor) - box.y) };
      assert.equal(runJudge(['palette', shot, String(box.x), String(box.y),
                             String(visible.width), String(visible.height)]), '');
    }
    assert.deepEqual(page.errors, []);
  });
}

test('with ?seed=N the page shows the trace tool\'s pixels for the same seed and ticks', async () => {
  const page = await openPage({ ...kWindow, deviceScaleFactor: 1 }, '?seed=20240611');
  await pause(500);
  // Ticks run and the canvas is put within one animation frame, so between frames the
  // canvas shows the stage after exactly `ticks` ticks.
  const seen = await page.evaluate(`(() => {
    const canvas = document.getElementById('stage');
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let rgb = '';
    for (let i = 0; i < data.length; i += 4) rgb += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return { ticks: animatsiya.ticks, rgb: btoa(rgb) };
  })()`);
  assert.ok(seen.ticks > 0);
  const frame = join(shots, 'seeded.ppm');
  execFileSync(traceTool, ['--seed', '20240611'], {
    input: `tick ${seen.ticks}\nframe ${frame}\n`, stdio: ['pipe', 'ignore', 'inherit'], env: judgeEnv,
  });
  const ppm = readFileSync(frame);
  const pixels = ppm.subarray(ppm.length - 773 * 584 * 3);
  assert.ok(Buffer.from(seen.rgb, 'base64').equals(pixels), `the page after ${seen.ticks} ticks differs from the trace tool's frame`);
});

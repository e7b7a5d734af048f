'use strict';
// The browser adapter: the menus, the frame loop and the stage canvas around the module,
// which holds the whole animation and Timer1's schedule.
(() => {
  const stage = document.getElementById('stage');
  const bar = document.querySelector('[role="menubar"]');

  // The menu bar works as a desktop one: a click opens a menu and a choice or a click
  // elsewhere closes it; from the keyboard, Tab or a lone Alt reaches it, the arrows move,
  // Enter or Space chooses, Escape backs out.
  let onChoose = () => {};
  const tops = [...bar.querySelectorAll(':scope > li > [role="menuitem"]')];
  const menuOf = (top) => top.nextElementSibling;
  const itemsOf = (top) => [...menuOf(top).querySelectorAll('[role="menuitem"]')];
  let openTop = null;

  function focusTop(top) {
    for (const t of tops) t.tabIndex = t === top ? 0 : -1;
    top.focus();
  }

  function openMenu(top, focusAt) {
    if (openTop !== top) closeMenu();
    openTop = top;
    top.setAttribute('aria-expanded', 'true');
    menuOf(top).hidden = false;
    for (const t of tops) t.tabIndex = t === top ? 0 : -1;
    const items = itemsOf(top);
    if (focusAt === 'first') items[0].focus();
    else if (focusAt === 'last') items[items.length - 1].focus();
    else top.focus();
  }

  function closeMenu() {
    if (openTop === null) return;
    openTop.setAttribute('aria-expanded', 'false');
    menuOf(openTop).hidden = true;
    openTop = null;
  }

  function leaveBar() {
    closeMenu();
    if (bar.contains(document.activeElement)) document.activeElement.blur();
  }

  function choose(item) {
    leaveBar();
    onChoose(item);
  }

  function step(list, from, by) {
    return list[(list.indexOf(from) + by + list.length) % list.length];
  }

  for (const top of tops) {
    top.addEventListener('click', () => {
      if (openTop === top) leaveBar();
      else openMenu(top, null);
    });
    // With a menu open, pointing at the other one opens it instead.
    top.addEventListener('pointerenter', () => {
      if (openTop !== null && openTop !== top) openMenu(top, null);
    });
    for (const item of itemsOf(top)) {
      item.addEventListener('click', () => choose(item));
      item.addEventListener('pointerenter', () => item.focus());
    }
  }

  document.addEventListener('pointerdown', (event) => {
    if (!bar.contains(event.target)) leaveBar();
  });
  bar.addEventListener('focusout', (event) => {
    if (!bar.contains(event.relatedTarget)) closeMenu();
  });

  bar.addEventListener('keydown', (event) => {
    const here = document.activeElement;
    const top = tops.includes(here) ? here : null;
    const inMenu = top === null && openTop !== null;
    const items = openTop !== null ? itemsOf(openTop) : [];
    let handled = true;
    switch (event.key) {
      case 'ArrowLeft':
      case 'ArrowRight': {
        const by = event.key === 'ArrowRight' ? 1 : -1;
        const next = step(tops, top || openTop, by);
        if (inMenu) openMenu(next, 'first');
        else if (openTop !== null) openMenu(next, null);
        else focusTop(next);
        break;
      }
      case 'ArrowDown':
        if (inMenu) step(items, here, 1).focus();
        else openMenu(top, 'first');
        break;
      case 'ArrowUp':
        if (inMenu) step(items, here, -1).focus();
        else openMenu(top, 'last');
        break;
      case 'Home':
      case 'End':
        if (inMenu) (event.key === 'Home' ? items[0] : items[items.length - 1]).focus();
        else focusTop(event.key === 'Home' ? tops[0] : tops[tops.length - 1]);
        break;
      case 'Enter':
      case ' ':
        if (inMenu) choose(here);
        else openMenu(top, 'first');
        break;
      case 'Escape':
        if (inMenu) {
          const was = openTop;
          closeMenu();
          focusTop(was);
        } else if (openTop !== null) {
          closeMenu();
        } else {
          leaveBar();
        }
        break;
      case 'Tab':
        closeMenu();
        handled = false;
        break;
      default:
        handled = false;
    }
    if (handled) event.preventDefault();
  });

  // A lone press and release of Alt moves into the menu bar and out again.
  let altAlone = false;
  document.addEventListener('keydown', (event) => { altAlone = event.key === 'Alt'; }, true);
  document.addEventListener('keyup', (event) => {
    if (event.key !== 'Alt' || !altAlone) return;
    altAlone = false;
    event.preventDefault();
    if (bar.contains(document.activeElement)) leaveBar();
    else focusTop(tops[0]);
  }, true);
  document.addEventListener('pointerdown', () => { altAlone = false; }, true);

  function showMessage() {
    stage.hidden = true;
    bar.hidden = true;
    document.getElementById('no-wasm').hidden = false;
  }

  // ?seed=N makes every reseed follow from N, as the trace tool's --seed does.
  function seedFromUrl() {
    const text = new URLSearchParams(location.search).get('seed');
    if (text === null || !/^[0-9]+$/.test(text) || BigInt(text) >= 2n ** 64n) return null;
    const seed = BigInt(text);
    return { high: Number(seed >> 32n), low: Number(seed & 0xffffffffn) };
  }

  // A whole CSS pixel that is also a whole device pixel, the nearest at or below `css`
  // (at or above it when `up`): the browser places boxes on whole CSS pixels, and the
  // stage must start on a device pixel to stay crisp.
  function onDevicePixel(css, ratio, up = false) {
    const by = up ? 1 : -1;
    for (let v = up ? Math.ceil(css - 1e-6) : Math.floor(css + 1e-6); v >= 0; v += by) {
      if (Math.abs(v * ratio - Math.round(v * ratio)) < 1e-6) return v;
      if (Math.abs(v - css) > 64) break;
    }
    return up ? Math.ceil(css) : Math.max(0, Math.floor(css));
  }

  // The largest whole number of device pixels per stage pixel that fits under the menu
  // bar, at least 1, centred.
  function placeStage() {
    const ratio = window.devicePixelRatio || 1;
    const top = onDevicePixel(bar.getBoundingClientRect().bottom, ratio, true);
    const width = Math.floor(document.documentElement.clientWidth * ratio);
    const height = Math.floor((window.innerHeight - top) * ratio);
    const k = Math.max(1, Math.min(Math.floor(width / stage.width), Math.floor(height / stage.height)));
    const left = onDevicePixel(Math.max(0, (width - k * stage.width) / 2) / ratio, ratio);
    const down = onDevicePixel(Math.max(0, (height - k * stage.height) / 2) / ratio, ratio);
    stage.style.left = `${left}px`;
    stage.style.top = `${top + down}px`;
    stage.style.width = `${(k * stage.width) / ratio}px`;
    stage.style.height = `${(k * stage.height) / ratio}px`;
  }

  function watchPlacement() {
    placeStage();
    window.addEventListener('resize', placeStage);
    // A zoom or a move to another screen changes the device pixel ratio.
    const watchRatio = () => {
      const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
      query.addEventListener('change', () => { placeStage(); watchRatio(); }, { once: true });
    };
    watchRatio();
  }

  function run(module) {
    const seed = seedFromUrl();
    module._animatsiya_start(seed ? 1 : 0, seed ? seed.high : 0, seed ? seed.low : 0,
                             performance.now());
    stage.hidden = false;
    watchPlacement();

    const context = stage.getContext('2d', { alpha: false });
    context.imageSmoothingEnabled = false;
    // A view of the module's canvas-ordered stage picture: putting a rectangle of it copies
    // that rectangle alone. The module's memory never grows, so the view stays valid.
    const pixels = new Uint8ClampedArray(module.HEAPU8.buffer, module._animatsiya_pixels(),
                                         stage.width * stage.height * 4);
    const image = new ImageData(pixels, stage.width, stage.height);

    function present() {
      const count = module._animatsiya_present();
      if (count === 0) return;
      const rects = new Int32Array(module.HEAPU8.buffer, module._animatsiya_rects(), count * 4);
      for (let i = 0; i < rects.length; i += 4) {
        context.putImageData(image, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
      }
    }

    // Browsers fire timers no faster than every few milliseconds, so each animation frame
    // runs every tick that fell due since the last one, in order; the module skips the
    // backlog of a hidden tab or a stall as Timer1 does.
    let first = true;
    function frame() {
      module._animatsiya_run_due_ticks(performance.now());
      present();
      if (first) {
        first = false;
        performance.mark('animatsiya-first-frame');
      }
      requestAnimationFrame(frame);
    }
    present();
    requestAnimationFrame(frame);

    // A command comes after the ticks that fell due before it.
    const commands = {
      scene: (k) => module._animatsiya_choose_scene(k, performance.now()),
      speed: (name) => module._animatsiya_choose_speed(name === 'fast' ? 1 : 0, performance.now()),
    };
    onChoose = (item) => {
      if (item.dataset.scene) commands.scene(Number(item.dataset.scene));
      if (item.dataset.speed) commands.speed(item.dataset.speed);
    };

    // For tests: what the page has done, read-only.
    Object.defineProperty(window, 'animatsiya', {
      value: Object.freeze({
        get ticks() { return module._animatsiya_ticks(); },
        get scene() { return module._animatsiya_scene(); },
        get interval() { return module._animatsiya_interval(); },
      }),
      writable: false,
      configurable: false,
    });
  }

  if (typeof WebAssembly !== 'object' || typeof createAnimatsiya !== 'function') {
    showMessage();
    return;
  }
  createAnimatsiya().then(run, showMessage);
})();

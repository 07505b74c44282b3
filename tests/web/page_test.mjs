// The web page that make web builds, in headless Chromium driven by playwright-core.
// Usage: node page_test.mjs CASE SITE_FOLDER SNAPSHOT_TOOL
//   served   at a device pixel ratio of 1, from a server on 127.0.0.1: the caption, the size, the
//            pace, Enter pausing (the line says so) and resuming, the picture exactly the snapshot
//            tool's, the frame enlarged showing more, a failure elsewhere on the page none of the
//            animation's, an input method's Enter ignored, Tab leaving, Esc clearing and ending
//   hidpi    the same page at a ratio of 2: the size, the picture exactly the snapshot tool's at
//            192 dots an inch, no context menu, a click ending and keeping the picture; at a
//            ratio of 5 the same physical size
//   file     opened from disk: it runs, a frozen page resumes without a jump, a click ends it,
//            nothing fails
//   slow     frames held 60 and 100 ms apart keep the pace
//   phone    a phone upright and sideways: the whole mechanism in view at the device's pixels, a
//            long press doing nothing, a tap stopping it (the picture the snapshot tool's, the
//            line saying so) and starting it, a click ending it
//   narrow   narrow phones, from 280 CSS pixels wide, at ratios 1 to 2.625: the whole mechanism in
//            view, shown one canvas pixel to a device pixel
//   offline  served, visited once, then opened and run with the network gone; axe-core finds
//            nothing
//   update   served as ordinary servers do (Last-Modified, no Cache-Control) under a sub-path,
//            files of old times: a new version deployed is what the next visit runs, whole, and
//            so are the reload and the visit after; a new version one of whose files fails to
//            load leaves the visit the version before, whole, and offline that version runs
import { execFileSync } from 'node:child_process';
import { cpSync, createReadStream, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, utimesSync,
  writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

import { chromiumCpu } from './chromium_cpu.mjs';

const [kase, site, snapshot] = process.argv.slice(2);
const CAPTION = '          Tolvane    Quenmark          Enter: Stop / Start          ESC to Quit';
const PASSES_A_SECOND = 5000;
const MOST_FRAME_LAG_MS = 250;  // the pacer's for a browser: later frames start it again

function fail(what) {
  console.error(`FAIL: ${what}`);
  process.exit(1);
}

// A static server for the site folder, on a port of its own choosing.
async function serve(folder) {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript',
    '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png' };
  const server = createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname.replace(/^\/$/, '/index.html');
    const path = join(folder, name);
    if (!path.startsWith(folder) || !readdirSync(folder).includes(name.slice(1))) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(path)] || 'application/octet-stream' });
    createReadStream(path).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}


// Chromium's own settings and caches (its crash reporter's among them) stay in a folder of the
// test's, not the home folder.
const chromiumHome = mkdtempSync(join(tmpdir(), 'drelm-web-'));
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  env: { ...process.env, XDG_CONFIG_HOME: chromiumHome, XDG_CACHE_HOME: chromiumHome },
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const pageErrors = [];
async function open(url, ratio) {
  return openIn({ deviceScaleFactor: ratio, viewport: { width: 1400, height: 900 } }, url);
}
// A page in a new browser context of `options` (a screen, a ratio, touch), running.
async function openIn(options, url) {
  const page = await (await browser.newContext(options)).newPage();
  page.on('pageerror', (error) => pageErrors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') pageErrors.push(`console: ${message.text()}`);
  });
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 30000 });
  const state = await stateOf(page);
  if (state !== 'running') fail(`the page's state is ${state}: ${await statusOf(page)}`);
  return page;
}
const stateOf = (page) => page.evaluate(() => document.body.dataset.state);
const statusOf = (page) => page.evaluate(() => document.getElementById('status').textContent);
const passesOf = async (page) =>
  Number(await page.evaluate(() => document.querySelector('canvas').dataset.passes));

// The canvas's pixels as RGBA bytes, and its size.
async function pixelsOf(page) {
  const { width, height, data } = await page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return { width: canvas.width, height: canvas.height, data: btoa(text) };
  });
  return { width, height, data: Buffer.from(data, 'base64') };
}

// The first pixel where two RGBA pictures of one size differ, or nothing.
function firstDifference(a, b, width) {
  for (let i = 0; i < a.length; i += 4) {
    if (a.readUInt32BE(i) !== b.readUInt32BE(i)) {
      const at = i / 4;
      return `(${at % width}, ${Math.floor(at / width)}): page ${a.readUInt32BE(i).toString(16)}, ` +
        `snapshot ${b.readUInt32BE(i).toString(16)}`;
    }
  }
  return null;
}

// Pauses the page, and finds its picture the snapshot tool's after as many passes, exactly.
async function checkPausedPictureIsExact(page, dpi) {
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.body.dataset.state === 'paused');
  return checkPictureIsExact(page, dpi);
}
async function checkPictureIsExact(page, dpi) {
  const passes = await passesOf(page);
  const shown = await pixelsOf(page);
  const png = execFileSync(snapshot, ['--passes', String(passes), '--dpi', String(dpi), '--size',
    `${shown.width}x${shown.height}`, '--out', '-']);
  const expected = execFileSync('convert', ['png:-', '-depth', '8', 'rgba:-'],
    { input: png, maxBuffer: 1 << 28 });
  if (expected.length !== shown.data.length) fail(`the snapshot has ${expected.length} bytes`);
  const difference = firstDifference(shown.data, expected, shown.width);
  if (difference) fail(`after ${passes} passes at ${dpi} dpi the page differs at ${difference}`);
  console.log(`paused after ${passes} passes: the picture equals the snapshot at ${dpi} dpi`);
  return shown;
}

async function checkSize(page, width, height) {
  const size = await page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    const box = canvas.getBoundingClientRect();
    return [document.querySelectorAll('canvas').length, canvas.width, canvas.height, box.width, box.height];
  });
  const [canvases, w, h, cssW, cssH] = size;
  if (canvases !== 1) fail(`the page has ${canvases} canvases`);
  if (w !== width || h !== height) fail(`the canvas is ${w} x ${h}, not ${width} x ${height}`);
  if (Math.abs(cssW - 748) > 0.5 || Math.abs(cssH - 539) > 0.5) {
    fail(`the picture area is ${cssW} x ${cssH} CSS pixels, not 748 x 539`);
  }
}

// A click with `button` ends the page at once, keeping the picture it showed, which then stays.
async function checkClickEnds(page, button) {
  const box = await page.locator('canvas').boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 3, { button });
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 30000 });
  const kept = await pixelsOf(page);
  let ink = 0;
  for (let i = 0; i < kept.data.length; i += 4) ink += kept.data.readUInt32BE(i) !== 0xffffffff;
  if (ink < 300) fail(`after the click the picture has only ${ink} pixels of ink`);
  await page.waitForTimeout(300);
  if (!(await pixelsOf(page)).data.equals(kept.data)) fail('the picture changed after the click');
  if (!/ended.*reload/i.test(await statusOf(page))) fail(`after the end the page says "${await statusOf(page)}"`);
}

async function served() {
  const { server, url } = await serve(site);
  const page = await open(url, 1);
  const caption = await page.evaluate(() => document.getElementById('caption').textContent);
  if (caption !== CAPTION) fail(`the caption is "${caption}"`);
  if (!(await page.title()).includes('Tolvane')) fail(`the title is "${await page.title()}"`);
  if ((await page.evaluate(() => document.activeElement.tagName)) !== 'CANVAS') {
    fail('the picture does not have the focus');
  }
  await checkSize(page, 748, 539);

  // The pace, and what all of Chromium's processes cost meanwhile, once the page has settled (its
  // WebAssembly compiled again, optimized, in the background).
  await page.waitForTimeout(1000);
  const [pace, animating] = await Promise.all([paceWithFramesApart(page, 0, 3), chromiumCpu(3)]);
  checkPace(pace, 'animating');
  console.log(`Chromium animating: ${animating.toFixed(1)}% of a core`);

  // Enter pauses: the passes and the picture stay, the line says so, and no CPU goes on it; Enter
  // resumes.
  const paused = await checkPausedPictureIsExact(page, 96);
  if (!/paused.*enter/i.test(await statusOf(page))) fail(`paused, the line says "${await statusOf(page)}"`);
  const passes = await passesOf(page);
  const pausedCpu = await chromiumCpu(2);
  console.log(`Chromium paused: ${pausedCpu.toFixed(1)}% of a core`);
  if ((await passesOf(page)) !== passes) fail('the passes went on while paused');
  if (!(await pixelsOf(page)).data.equals(paused.data)) fail('the picture changed while paused');
  if (pausedCpu > Math.max(2, animating / 4)) fail(`paused, Chromium took ${pausedCpu}% of a core`);
  const resumed = Date.now();
  await page.keyboard.press('Enter');
  await page.waitForFunction((before) => Number(document.querySelector('canvas').dataset.passes) > before,
    passes, { timeout: 30000 });
  if ((await stateOf(page)) !== 'running') fail(`Enter left the page ${await stateOf(page)}`);
  if (await statusOf(page)) fail(`running again, the line says "${await statusOf(page)}"`);
  const jump = (await passesOf(page)) - passes;
  const ran = (Date.now() - resumed) / 1000;
  if (jump > PASSES_A_SECOND * (ran + 0.25)) fail(`resumed, it ran ${jump} passes in ${ran} s`);

  // Something else on the page that fails to load is none of the animation's.
  const line = await statusOf(page);
  await page.evaluate(() => {
    const image = document.createElement('img');
    image.src = 'missing.png';
    document.body.appendChild(image);
    return new Promise((resolve) => { image.onerror = resolve; });
  });
  if ((await stateOf(page)) !== 'running' || (await statusOf(page)) !== line) {
    fail(`a missing image left the page ${await stateOf(page)}: "${await statusOf(page)}"`);
  }
  pageErrors.length = 0;  // the image's own failure, which the console reports

  // The frame dragged larger shows more of the picture, at the same scale.
  const frame = await page.locator('#frame').boundingBox();
  await page.mouse.move(frame.x + frame.width - 4, frame.y + frame.height - 4);
  await page.mouse.down();
  await page.mouse.move(frame.x + frame.width + 532, frame.y + frame.height + 101, { steps: 5 });
  await page.mouse.up();
  await page.waitForFunction(() => document.querySelector('canvas').width >= 1200, null, { timeout: 30000 });
  if ((await stateOf(page)) !== 'running') fail(`enlarging the frame left the page ${await stateOf(page)}`);
  const big = await pixelsOf(page);
  if (big.width < 1200 || big.height < 620) fail(`enlarged, the canvas is ${big.width} x ${big.height}`);
  // The fourth tick, at world x = 31.25 from y = 40: pixel column 938, below the first edge.
  const tick = big.data.readUInt32BE(4 * (580 * big.width + 938));
  if (tick !== 0x000000ff) fail(`enlarged, no tick at (938, 580): ${tick.toString(16)}`);

  // An Enter that ends an input method's composition is not the picture's; Tab leaves it.
  await page.evaluate(() => document.querySelector('canvas').dispatchEvent(
    new KeyboardEvent('keydown', { key: 'Enter', isComposing: true, bubbles: true })));
  if ((await stateOf(page)) !== 'running') fail(`a composing Enter left the page ${await stateOf(page)}`);
  await page.keyboard.press('Tab');
  if ((await page.evaluate(() => document.activeElement.tagName)) === 'CANVAS') fail('Tab kept the focus');

  // Esc clears the picture and ends; nothing runs after.
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 30000 });
  const cleared = await pixelsOf(page);
  if (cleared.data.some((byte) => byte !== 255)) fail('Esc did not leave a white canvas');
  const ended = await passesOf(page);
  await page.keyboard.press('Enter');
  await page.waitForTimeout(300);
  if ((await passesOf(page)) !== ended || (await stateOf(page)) !== 'ended') fail('it ran on after the end');
  server.close();
}

async function hidpi() {
  const { server, url } = await serve(site);
  const page = await open(url, 2);
  await checkSize(page, 1496, 1078);
  await page.waitForTimeout(500);
  await checkPausedPictureIsExact(page, 192);
  await page.keyboard.press('Enter');
  await page.waitForTimeout(300);
  const menu = await page.evaluate(() =>
    document.querySelector('canvas').dispatchEvent(new MouseEvent('contextmenu', { cancelable: true })));
  if (menu) fail('the context menu would open over the picture');
  await checkClickEnds(page, 'right');

  // Zoomed to a ratio of 5 the picture keeps its physical size, drawn at the most dots an inch.
  const zoomed = await openIn({ deviceScaleFactor: 5, viewport: { width: 1400, height: 900 },
    screen: { width: 1920, height: 1080 } }, url);
  await checkSize(zoomed, 2992, 2156);
  const dpi = await zoomed.evaluate(() => document.querySelector('canvas').dataset.dpi);
  if (dpi !== '384') fail(`at a ratio of 5 the picture is drawn at ${dpi} dots an inch`);
  server.close();
}

// The page's pace over `seconds` while its frames come at least `gap` ms apart (a script of the
// page's own holds each frame that long), measured frame by frame in the page: the passes a second,
// and the passes a second it owes. A frame later than the pacer's lag after the one before (a
// machine busy elsewhere can stall a page that long) starts its schedule again from then, by
// design, so the time before such a frame is owed no passes.
async function paceWithFramesApart(page, gap, seconds) {
  const frames = await page.evaluate(([ms, span]) => new Promise((done) => {
    const canvas = document.querySelector('canvas');
    const seen = [];
    const frame = () => {
      const start = performance.now();
      seen.push([start, Number(canvas.dataset.passes)]);
      while (performance.now() - start < ms);
      if (start - seen[0][0] < span) requestAnimationFrame(frame);
      else done(seen);
    };
    requestAnimationFrame(frame);
  }), [gap, seconds * 1000]);
  let owed = 0;
  for (let i = 1; i < frames.length; ++i) {
    const apart = frames[i][0] - frames[i - 1][0];
    if (apart <= MOST_FRAME_LAG_MS) owed += apart;
  }
  const [first, last] = [frames[0], frames[frames.length - 1]];
  const elapsed = last[0] - first[0];
  return { rate: (last[1] - first[1]) / (elapsed / 1000), owed: PASSES_A_SECOND * owed / elapsed };
}

// Fails unless the page kept its pace, within a tenth.
function checkPace({ rate, owed }, when) {
  console.log(`${when}: ${rate.toFixed(0)} passes a second, of ${owed.toFixed(0)} owed`);
  if (Math.abs(rate - owed) > 0.1 * owed) fail(`${when}: ${rate} passes a second, not ${owed}`);
}

async function slow() {
  const page = await open(pathToFileURL(join(site, 'index.html')).href, 1);
  for (const gap of [60, 100]) checkPace(await paceWithFramesApart(page, gap, 3), `frames ${gap} ms apart`);
}

// The picture on the screen, as the device's pixels show it, is the canvas pixel for pixel: drawn
// crisp, not resampled.
async function checkCrisp(page, ratio) {
  const box = await page.evaluate(() => {
    const b = document.querySelector('canvas').getBoundingClientRect();
    return [b.left + scrollX, b.top + scrollY];
  });
  const canvas = await pixelsOf(page);
  const shot = await page.screenshot({ scale: 'device', fullPage: true });
  const at = box.map((css) => Math.round(css * ratio));
  const seen = execFileSync('convert', ['png:-', '-crop', `${canvas.width}x${canvas.height}+${at[0]}+${at[1]}`,
    '+repage', '-depth', '8', 'rgba:-'], { input: shot, maxBuffer: 1 << 28 });
  if (seen.length !== canvas.data.length) fail(`the screen's picture at ${at} is cut short`);
  const difference = firstDifference(seen, canvas.data, canvas.width);
  if (difference) fail(`the screen does not show the canvas pixel for pixel: at ${difference}`);
}

// A phone's screen, upright or sideways: the whole mechanism and its trace in view at the device's
// pixels, the page no wider than the screen.
async function checkPhoneView(page, viewport, ratio) {
  const view = await page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    const box = canvas.getBoundingClientRect();
    return { box: [box.left, box.top, box.right, box.bottom], size: [canvas.width, canvas.height],
      wide: document.documentElement.scrollWidth, dpi: Number(canvas.dataset.dpi) };
  });
  const [left, top, right, bottom] = view.box;
  const where = `${viewport.width} x ${viewport.height}`;
  if (view.wide > viewport.width) fail(`on ${where} the page is ${view.wide} wide`);
  if (left < 0 || top < 0 || right > viewport.width || bottom > viewport.height) {
    fail(`on ${where} the picture lies at ${view.box}`);
  }
  if (Math.abs((right - left) * ratio - view.size[0]) > 0.01) fail(`on ${where} a canvas pixel is not a device pixel`);
  // All of what a 1280 x 640 window shows at 96 dots an inch.
  if (view.size[0] < (1280 * view.dpi) / 96 - 0.5 || view.size[1] < (640 * view.dpi) / 96 - 0.5) {
    fail(`on ${where} the canvas is ${view.size} at ${view.dpi} dots an inch`);
  }
  if (!/tap/i.test(await statusOf(page))) fail(`on ${where} the line says "${await statusOf(page)}"`);
  return view;
}

async function phone() {
  const url = pathToFileURL(join(site, 'index.html')).href;
  const touch = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };
  const upright = { width: 390, height: 844 };
  let page = await openIn({ ...touch, viewport: upright }, url);
  const view = await checkPhoneView(page, upright, 3);
  await page.waitForTimeout(500);
  // A tap stops it as Enter does, and the picture is the snapshot tool's; a second starts it.
  const tapAt = [(view.box[0] + view.box[2]) / 2, (view.box[1] + view.box[3]) / 2];
  // A finger held down 1.2 s and lifted where it was is no tap.
  const finger = await page.context().newCDPSession(page);
  const point = [{ x: tapAt[0], y: tapAt[1] }];
  await finger.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point });
  await page.waitForTimeout(1200);
  await finger.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  if ((await stateOf(page)) !== 'running') fail(`a long press left the page ${await stateOf(page)}`);
  await page.touchscreen.tap(...tapAt);
  await page.waitForFunction(() => document.body.dataset.state === 'paused', null, { timeout: 30000 });
  if (!/paused.*tap/i.test(await statusOf(page))) fail(`paused, the line says "${await statusOf(page)}"`);
  await checkCrisp(page, 3);
  await checkPictureIsExact(page, view.dpi);
  const passes = await passesOf(page);
  await page.touchscreen.tap(...tapAt);
  await page.waitForFunction((before) => document.body.dataset.state === 'running' &&
    Number(document.querySelector('canvas').dataset.passes) > before, passes, { timeout: 30000 });
  // A mouse's click still ends it.
  await checkClickEnds(page, 'left');

  const sideways = { width: 844, height: 390 };
  page = await openIn({ ...touch, viewport: sideways }, url);
  await checkPhoneView(page, sideways, 3);
  await page.touchscreen.tap(view.box[0] + 20, view.box[1] + 20);
  await page.waitForFunction(() => document.body.dataset.state === 'paused', null, { timeout: 30000 });
  await checkCrisp(page, 3);
}

async function narrow() {
  const url = pathToFileURL(join(site, 'index.html')).href;
  for (const [width, height, ratio] of [[320, 568, 2], [360, 780, 1.75], [320, 480, 1], [280, 653, 2],
    [412, 915, 2.625]]) {
    const page = await openIn({ deviceScaleFactor: ratio, isMobile: true, hasTouch: true,
      viewport: { width, height } }, url);
    const view = await checkPhoneView(page, { width, height }, ratio);
    await page.touchscreen.tap((view.box[0] + view.box[2]) / 2, (view.box[1] + view.box[3]) / 2);
    await page.waitForFunction(() => document.body.dataset.state === 'paused', null, { timeout: 30000 });
    await checkCrisp(page, ratio);
    console.log(`${width} x ${height} at ${ratio}: ${view.dpi} dots an inch, crisp`);
    await page.close();
  }
}

async function offline() {
  const { server, url } = await serve(site);
  const page = await open(url, 1);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.context().setOffline(true);
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 30000 });
  if ((await stateOf(page)) !== 'running') fail(`offline the page is ${await stateOf(page)}: ${await statusOf(page)}`);
  await page.waitForFunction(() => Number(document.querySelector('canvas').dataset.passes) >= 100, null,
    { timeout: 30000 });
  await page.context().setOffline(false);

  // What axe-core finds of the page's accessibility: nothing.
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  const found = await page.evaluate(async () => (await axe.run()).violations.map((v) => `${v.id}: ${v.help}`));
  if (found.length) fail(`axe-core finds ${found.join('; ')}`);
  server.close();
}

async function fromDisk() {
  const page = await open(pathToFileURL(join(site, 'index.html')).href, 1);
  await page.waitForTimeout(500);
  // A page that got no frames for a while (its main thread held for 1.5 s, as a hidden tab or a
  // sleeping machine gets none) goes on where it was: after it, no more passes than the time
  // since and a frame's lag allow (a busy machine may make that time longer), never the stall's.
  const passesAndTime = () => [Number(document.querySelector('canvas').dataset.passes), performance.now()];
  const [before, stallEnd] = await page.evaluate(() => {
    const passes = Number(document.querySelector('canvas').dataset.passes);
    const start = performance.now();
    while (performance.now() - start < 1500);
    return [passes, performance.now()];
  });
  await page.waitForTimeout(200);
  const [after, now] = await page.evaluate(passesAndTime);
  const gained = after - before;
  const since = (now - stallEnd) / 1000;
  console.log(`held for 1.5 s, then ${since.toFixed(2)} s: ${gained} passes`);
  if (gained <= 0 || gained > PASSES_A_SECOND * (since + 0.35)) {
    fail(`after a stall it jumped by ${gained} passes in ${since.toFixed(2)} s`);
  }
  await checkClickEnds(page, 'left');
}

// A copy of the site as version `name` of it, with file times `daysOld` days old: its page and its
// script say which version they are, and its version stamp is `stamp`.
function deployment(name, stamp, daysOld) {
  const folder = mkdtempSync(join(tmpdir(), `drelm-${name}-`));
  cpSync(site, folder, { recursive: true });
  const original = readFileSync(join(site, 'index.html'), 'utf8').match(/drelm-version" content="(\w+)"/)[1];
  for (const file of ['index.html', 'manifest.webmanifest']) {
    let text = readFileSync(join(folder, file), 'utf8').replaceAll(original, stamp);
    if (file === 'index.html') text = text.replace('<head>', `<head>\n<meta name="drelm-test" content="${name}">`);
    writeFileSync(join(folder, file), text);
  }
  writeFileSync(join(folder, 'drelm-wheel.js'),
    `${readFileSync(join(folder, 'drelm-wheel.js'), 'utf8')}\nwindow.drelmTestBuild = '${name}';\n`);
  const when = Date.now() / 1000 - daysOld * 86400;
  for (const file of readdirSync(folder)) utimesSync(join(folder, file), when, when);
  return folder;
}

// A server as Python's, nginx and Apache are by default: Last-Modified from the file's time, no
// Cache-Control, 304 to a browser that has the file as it is; the site under /a/b/. What it serves
// is `server.folder`; a file named in `server.failing` fails.
async function ordinaryServer(folder) {
  const state = { folder, failing: null };
  const server = createServer((request, response) => {
    const path = new URL(request.url, 'http://x').pathname;
    const name = path === '/a/b/' ? 'index.html' : path.replace(/^\/a\/b\//, '');
    const file = join(state.folder, name);
    if (!path.startsWith('/a/b/') || !readdirSync(state.folder).includes(name)) {
      response.writeHead(404).end();
      return;
    }
    if (name === state.failing) {
      response.writeHead(500).end();
      return;
    }
    const modified = new Date(Math.floor(statSync(file).mtimeMs / 1000) * 1000);
    const since = Date.parse(request.headers['if-modified-since'] || '');
    if (since >= modified.getTime()) {
      response.writeHead(304, { 'Last-Modified': modified.toUTCString() }).end();
      return;
    }
    const types = { '.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
      '.svg': 'image/svg+xml', '.png': 'image/png' };
    response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream',
      'Last-Modified': modified.toUTCString() });
    createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  state.server = server;
  state.url = `http://127.0.0.1:${server.address().port}/a/b/`;
  return state;
}

// Which version the page and its script are, once it runs.
async function versionRunning(page, when) {
  await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 30000 });
  const [shown, script, state] = await page.evaluate(() =>
    [document.querySelector('meta[name=drelm-test]').content, window.drelmTestBuild, document.body.dataset.state]);
  if (state !== 'running') fail(`${when}: the page is ${state}: ${await statusOf(page)}`);
  if (shown !== script) fail(`${when}: version ${shown}'s page runs version ${script}'s script`);
  return shown;
}

// A visit in a new tab of `context`.
async function visit(context, url) {
  const page = await context.newPage();
  page.on('pageerror', (error) => pageErrors.push(error.message));
  await page.goto(url);
  return page;
}

// Waits until the service worker keeps version `stamp` whole.
async function kept(page, stamp) {
  for (let tries = 0; tries < 300; tries++) {
    const inUse = await page.evaluate(async () => {
      const response = await (await caches.open('drelm-wheel-in-use')).match('version');
      return response ? response.text() : '';
    });
    if (inUse === stamp) return;
    await page.waitForTimeout(100);
  }
  fail(`the service worker never kept version ${stamp}`);
}

async function update() {
  const one = deployment('one', '1111111111111111', 10);
  const two = deployment('two', '2222222222222222', 1);
  const server = await ordinaryServer(one);
  try {
    // Visited once, then a new version is deployed: the next visit, its reload and the visit
    // after run the new version, whole.
    let context = await browser.newContext();
    let page = await visit(context, server.url);
    if ((await versionRunning(page, 'the first visit')) !== 'one') fail('the first visit is not version one');
    await kept(page, '1111111111111111');
    server.folder = two;
    page = await visit(context, server.url);
    if ((await versionRunning(page, 'after the new version')) !== 'two') fail('the visit after the new version runs the old one');
    await page.reload();
    if ((await versionRunning(page, 'reloaded')) !== 'two') fail('the reload runs the old version');
    page = await visit(context, server.url);
    if ((await versionRunning(page, 'the third visit')) !== 'two') fail('the third visit runs the old version');
    await context.close();

    // A new version whose script fails to load: the version before, whole; once the script
    // loads, the new one; offline, the one kept.
    server.folder = one;
    context = await browser.newContext();
    page = await visit(context, server.url);
    await versionRunning(page, 'the first visit');
    await kept(page, '1111111111111111');
    server.folder = two;
    server.failing = 'drelm-wheel.js';
    page = await visit(context, server.url);
    if ((await versionRunning(page, 'with the new script failing')) !== 'one') fail('a new version without its script runs');
    server.failing = null;
    page = await visit(context, server.url);
    if ((await versionRunning(page, 'once the script loads')) !== 'two') fail('the new version does not run once whole');
    await kept(page, '2222222222222222');
    await context.setOffline(true);
    await page.reload();
    if ((await versionRunning(page, 'offline')) !== 'two') fail('offline, the version kept does not run');
    await context.close();
    console.log('a new version runs whole on the next visit; a version not had whole leaves the one before');
  } finally {
    server.server.close();
    for (const folder of [one, two]) rmSync(folder, { recursive: true, force: true });
  }
}

const cases = { served, hidpi, file: fromDisk, slow, phone, narrow, offline, update };
if (!cases[kase]) fail(`no case "${kase}": say ${Object.keys(cases).join(', ')}`);
try {
  await cases[kase]();
  if (pageErrors.length) fail(`the page reported: ${pageErrors.join('; ')}`);
} finally {
  await browser.close();
  rmSync(chromiumHome, { recursive: true, force: true });
}

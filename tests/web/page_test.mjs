// The web page that make web builds, in headless Chromium driven by playwright-core.
// Usage: node page_test.mjs CASE SITE_FOLDER SNAPSHOT_TOOL
//   served  at a device pixel ratio of 1, from a server on 127.0.0.1: the caption, the size, the
//           pace, Enter pausing and resuming, the picture exactly the snapshot tool's, the frame
//           enlarged showing more, Esc clearing and ending
//   hidpi   the same page at a ratio of 2: the size, the picture exactly the snapshot tool's at
//           192 dots an inch, no context menu, a click ending and keeping the picture
//   file    opened from disk: it runs, a frozen page resumes without a jump, a click ends it
import { execFileSync } from 'node:child_process';
import { createReadStream, readFileSync, readdirSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [kase, site, snapshot] = process.argv.slice(2);
const CAPTION = '          Tolvane    Quenmark          Enter: Stop / Start          ESC to Quit';
const PASSES_A_SECOND = 5000;

function fail(what) {
  console.error(`FAIL: ${what}`);
  process.exit(1);
}

// A static server for the site folder, on a port of its own choosing.
async function serve(folder) {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript' };
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

// CPU time, in clock ticks, of all that a process started (not of itself).
function treeTicks(root) {
  const parents = new Map();
  const ticks = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parents.set(Number(entry), Number(fields[1]));
      ticks.set(Number(entry), Number(fields[11]) + Number(fields[12]));
    } catch {
      // gone meanwhile
    }
  }
  let total = 0;
  for (const [pid, count] of ticks) {
    for (let p = parents.get(pid); p > 1; p = parents.get(p)) {
      if (p === root) {
        total += count;
        break;
      }
    }
  }
  return total;
}
const TICKS_A_SECOND = Number(execFileSync('getconf', ['CLK_TCK']).toString());

// The share of a core all of Chromium's processes, which this test started, take over `seconds`.
async function chromiumCpu(seconds) {
  const before = treeTicks(process.pid);
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  return (100 * (treeTicks(process.pid) - before)) / (TICKS_A_SECOND * seconds);
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const pageErrors = [];
async function open(url, ratio) {
  const page = await browser.newPage({ deviceScaleFactor: ratio, viewport: { width: 1400, height: 900 } });
  page.on('pageerror', (error) => pageErrors.push(error.message));
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 10000 });
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
  await page.mouse.click(box.x + 300, box.y + 200, { button });
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 5000 });
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
  const start = Date.now();
  const first = await passesOf(page);
  const animating = await chromiumCpu(3);
  const rate = ((await passesOf(page)) - first) / ((Date.now() - start) / 1000);
  console.log(`${rate.toFixed(0)} passes a second; Chromium animating: ${animating.toFixed(1)}% of a core`);
  if (Math.abs(rate - PASSES_A_SECOND) > 0.1 * PASSES_A_SECOND) fail(`${rate} passes a second`);

  // Enter pauses: the passes and the picture stay, and no CPU goes on it; Enter resumes.
  const paused = await checkPausedPictureIsExact(page, 96);
  const passes = await passesOf(page);
  const pausedCpu = await chromiumCpu(2);
  console.log(`Chromium paused: ${pausedCpu.toFixed(1)}% of a core`);
  if ((await passesOf(page)) !== passes) fail('the passes went on while paused');
  if (!(await pixelsOf(page)).data.equals(paused.data)) fail('the picture changed while paused');
  if (pausedCpu > Math.max(2, animating / 4)) fail(`paused, Chromium took ${pausedCpu}% of a core`);
  await page.keyboard.press('Enter');
  await page.waitForTimeout(300);
  if ((await stateOf(page)) !== 'running' || (await passesOf(page)) <= passes) fail('Enter did not resume');
  const jump = (await passesOf(page)) - passes;
  if (jump > 0.5 * PASSES_A_SECOND) fail(`resumed, it ran ${jump} passes in 0.3 s`);

  // The frame dragged larger shows more of the picture, at the same scale.
  const frame = await page.locator('#frame').boundingBox();
  await page.mouse.move(frame.x + frame.width - 4, frame.y + frame.height - 4);
  await page.mouse.down();
  await page.mouse.move(frame.x + frame.width + 532, frame.y + frame.height + 101, { steps: 5 });
  await page.mouse.up();
  await page.waitForTimeout(300);
  if ((await stateOf(page)) !== 'running') fail(`enlarging the frame left the page ${await stateOf(page)}`);
  const big = await pixelsOf(page);
  if (big.width < 1200 || big.height < 620) fail(`enlarged, the canvas is ${big.width} x ${big.height}`);
  // The fourth tick, at world x = 31.25 from y = 40: pixel column 938, below the first edge.
  const tick = big.data.readUInt32BE(4 * (580 * big.width + 938));
  if (tick !== 0x000000ff) fail(`enlarged, no tick at (938, 580): ${tick.toString(16)}`);

  // Esc clears the picture and ends; nothing runs after.
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 5000 });
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
  server.close();
}

async function fromDisk() {
  const page = await open(pathToFileURL(join(site, 'index.html')).href, 1);
  await page.waitForTimeout(500);
  // A page that got no frames for a while (its main thread held for 1.5 s, as a hidden tab or a
  // sleeping machine gets none) goes on where it was.
  const before = await passesOf(page);
  await page.evaluate(() => {
    const start = performance.now();
    while (performance.now() - start < 1500);
  });
  await page.waitForTimeout(200);
  const gained = (await passesOf(page)) - before;
  console.log(`held for 1.5 s, then 0.2 s: ${gained} passes`);
  if (gained <= 0 || gained > 0.5 * PASSES_A_SECOND) fail(`after a stall it jumped by ${gained} passes`);
  await checkClickEnds(page, 'left');
}

const cases = { served, hidpi, file: fromDisk };
if (!cases[kase]) fail(`no case "${kase}": say served, hidpi or file`);
try {
  await cases[kase]();
  if (pageErrors.length) fail(`the page reported: ${pageErrors.join('; ')}`);
} finally {
  await browser.close();
}

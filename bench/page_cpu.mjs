// The CPU the web page costs, beside a page that puts one 40 x 40 rectangle a frame (the least a
// page that animates a canvas does), each over 10 s in headless Chromium, all its processes
// counted: on a desktop at device pixel ratios 1 and 2, and on a phone (390 x 844 at 3). Then how
// soon the page runs and how much WebAssembly memory it holds at a ratio of 1 and at 10, where the
// picture is drawn at the most dots an inch.
// Usage: node bench/page_cpu.mjs SITE_FOLDER
import { createReadStream, mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, resolve } from 'node:path';

import { chromiumCpu } from '../tests/web/chromium_cpu.mjs';

// playwright-core, as the web page's tests pin it.
const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const { chromium } = require('playwright-core');

const site = resolve(process.argv[2] || 'build-web/site');
const SECONDS = 10;
const LOADS = 5;

// One rectangle a frame, moving, through the same putImageData the page uses, on a canvas as large
// as the page's picture (?width=W&height=H in pixels, ?css=... its CSS width): what any page that
// animates a picture of that size on a canvas costs at least.
const ONE_RECTANGLE = `<!doctype html><meta name="viewport" content="width=device-width">
<body style="margin:0"><canvas id="c"></canvas><script>
const asked = new URLSearchParams(location.search);
const canvas = document.getElementById('c');
canvas.width = Number(asked.get('width'));
canvas.height = Number(asked.get('height'));
canvas.style.width = asked.get('css') + 'px';
const context = canvas.getContext('2d');
const image = new ImageData(40, 40);
image.data.fill(255);
let x = 0;
function frame() {
  context.putImageData(image, x, canvas.height / 2);
  x = (x + 3) % (canvas.width - 40);
  requestAnimationFrame(frame);
}
requestAnimationFrame(frame);
document.body.dataset.state = 'running';
</script>`;

function serve() {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript',
    '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png' };
  const server = createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname.replace(/^\/$/, '/index.html');
    if (name === '/one-rectangle.html') {
      response.writeHead(200, { 'Content-Type': types['.html'] }).end(ONE_RECTANGLE);
      return;
    }
    if (!readdirSync(site).includes(name.slice(1))) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(name)] || 'application/octet-stream' });
    createReadStream(join(site, name)).pipe(response);
  });
  return new Promise((done) => server.listen(0, '127.0.0.1', () => done(server)));
}


const home = mkdtempSync(join(tmpdir(), 'drelm-bench-'));
const server = await serve();
const base = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  env: { ...process.env, XDG_CONFIG_HOME: home, XDG_CACHE_HOME: home },
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

// The share of a core the browser spends over SECONDS with `url` open, once it runs; and the
// size of its picture's canvas.
async function cpu(options, url) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'running', null,
    { timeout: 30000 });
  await page.waitForTimeout(2000);  // past the start
  const share = await chromiumCpu(SECONDS);
  const size = await page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    return `width=${canvas.width}&height=${canvas.height}&css=${canvas.clientWidth}`;
  });
  await context.close();
  return { share, size };
}

const desktop = (ratio) => ({ viewport: { width: 1400, height: 900 }, deviceScaleFactor: ratio });
const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true,
  hasTouch: true };
try {
  console.log(`The web page's CPU, all of Chromium's processes, ${SECONDS} s each:`);
  for (const [name, options] of [['desktop at ratio 1', desktop(1)], ['desktop at ratio 2',
    desktop(2)], ['phone, 390 x 844 at 3', phone]]) {
    const ours = await cpu(options, base);
    const least = await cpu(options, `${base}one-rectangle.html?${ours.size}`);
    console.log(`  ${name} (the picture ${ours.size.replace(/&css=.*/, '').replace('&', ', ')}): ` +
      `the page ${ours.share.toFixed(1)}% of a core, one rectangle a frame on a canvas as large ` +
      `${least.share.toFixed(1)}%: ${(ours.share / least.share).toFixed(2)} times`);
  }
  // From the start of the page's loading to its first pass drawn, by the page's own clock as the
  // pass sets <canvas data-passes> (a poll from here would wait on the browser's painting), the
  // median of LOADS loads, at a ratio of 1 (the floor: the page, its script and a small canvas)
  // and at 10.
  for (const ratio of [1, 10]) {
    const times = [];
    let memory = 0;
    for (let load = 0; load < LOADS; ++load) {
      const context = await browser.newContext(desktop(ratio));
      const page = await context.newPage();
      await page.addInitScript(() => document.addEventListener('DOMContentLoaded', () => {
        const canvas = document.querySelector('canvas');
        new MutationObserver((_, watcher) => {
          if (Number(canvas.dataset.passes) === 0) return;
          window.drelmFirstPass = performance.now();
          watcher.disconnect();
        }).observe(canvas, { attributes: true, attributeFilter: ['data-passes'] });
      }));
      await page.goto(base);
      times.push(await (await page.waitForFunction(() => window.drelmFirstPass, null,
        { timeout: 30000 })).jsonValue());
      memory = await page.evaluate(() => HEAPU8.buffer.byteLength);
      await context.close();
    }
    times.sort((a, b) => a - b);
    console.log(`At a ratio of ${ratio}: the first pass drawn ${times[LOADS >> 1].toFixed(0)} ms ` +
      `after the page began to load (median of ${LOADS}; ${times[0].toFixed(0)} to ` +
      `${times[LOADS - 1].toFixed(0)}), ${(memory / 2 ** 20).toFixed(1)} MB of WebAssembly memory`);
  }
} finally {
  await browser.close();
  server.close();
  rmSync(home, { recursive: true, force: true });
}

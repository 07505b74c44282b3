// Keeps the page whole for when the network is gone, one version at a time. The page names its
// version and its files (each file's address carries the version), and a version is kept only
// once all of its files are: a visit runs the version the server has whenever all of it can be
// had, else the last version kept whole, never a mix of two. Everything is asked of the server
// past the browser's HTTP cache, which may count old files fresh for days by their age.
const VERSION_CACHE = 'drelm-wheel-version-';  // a cache for each version kept: its files
const IN_USE = 'drelm-wheel-in-use';  // which version is kept whole, and its page
const PAGE = new URL('./', self.location).href;

const fresh = (address) => fetch(address, { cache: 'no-cache' });
const metaOf = (html, name) =>
  (html.match(new RegExp(`<meta name="${name}" content="([^"]*)">`)) || [])[1];

// The version kept whole, as its page, or nothing.
async function keptPage() {
  const inUse = await caches.open(IN_USE);
  const version = await inUse.match('version');
  if (!version) return undefined;
  return caches.match(PAGE, { cacheName: VERSION_CACHE + (await version.text()) });
}

// Keeps the version that `html`, the page the server gave, names: all its files, then the page,
// then it is the one in use and the versions before are let go. Whether it is kept whole.
async function keep(html, headers) {
  const version = metaOf(html, 'drelm-version');
  const files = (metaOf(html, 'drelm-files') || '').split(' ').filter(Boolean);
  if (!version || !files.length) return false;
  const inUse = await caches.open(IN_USE);
  const current = await inUse.match('version');
  if (current && (await current.text()) === version) return true;
  const name = VERSION_CACHE + version;
  try {
    const kept = await caches.open(name);
    await Promise.all(files.map(async (file) => {
      const address = new URL(`${file}?v=${version}`, PAGE).href;
      const response = await fresh(address);
      if (!response.ok) throw new Error(`${address}: ${response.status}`);
      await kept.put(address, response);
    }));
    await kept.put(PAGE, new Response(html, { headers }));
  } catch (error) {
    await caches.delete(name);
    return false;
  }
  await inUse.put('version', new Response(version));
  for (const other of await caches.keys()) {
    if (other.startsWith(VERSION_CACHE) && other !== name) await caches.delete(other);
  }
  return true;
}

// A visit: the server's page when all its version can be had, else the version kept whole.
async function visit(request) {
  let response;
  try {
    response = await fresh(request);
  } catch (error) {
    return (await keptPage()) || Response.error();
  }
  const type = response.headers.get('Content-Type') || '';
  if (!response.ok || !type.startsWith('text/html')) return response;
  const html = await response.text();
  if (!metaOf(html, 'drelm-version')) return new Response(html, response);
  if (await keep(html, response.headers)) return new Response(html, response);
  return (await keptPage()) || new Response(html, response);
}

// A file of a version: that version's copy where it is kept, else the server's. No other
// version's copy ever answers.
async function file(request) {
  const version = new URL(request.url).searchParams.get('v');
  const kept = version && (await caches.match(request, { cacheName: VERSION_CACHE + version }));
  return kept || fresh(request);
}

// Installed, it keeps the version the server has now, so that a page visited once runs offline.
self.addEventListener('install', (event) => {
  event.waitUntil(fresh(PAGE)
    .then(async (response) => response.ok && keep(await response.text(), response.headers))
    .catch(() => false)
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(request.mode === 'navigate' ? visit(request) : file(request));
});

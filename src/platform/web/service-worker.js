// Keeps the page's files, so that once visited it opens and runs with the network gone. Each
// request goes to the network first, so a new version replaces the old one on the next visit; the
// copy kept answers only when the network does not.
const KEPT = 'drelm-wheel';
const FILES = ['./', 'index.html', 'drelm-wheel.js', 'manifest.webmanifest', 'drelm-wheel.svg',
  'drelm-wheel-192.png', 'drelm-wheel-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(KEPT).then((kept) => kept.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      event.waitUntil(caches.open(KEPT).then((kept) => kept.put(request, copy)));
    }
    return response;
  }).catch(() => caches.match(request, { ignoreSearch: true })
    .then((kept) => kept || Response.error())));
});

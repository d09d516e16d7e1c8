// The page's service worker: keeps the page's files (FILES, put in at build
// time) in a cache named after their contents (VERSION), so that the page
// reloads and starts without network and can be installed. Every file is
// answered from that cache first; a new build's worker fills a new cache and
// drops the old ones.

const cacheName = `echo-track-${VERSION}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('echo-track-') && n !== cacheName).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(request)));
});

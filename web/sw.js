// The site's service worker, a template that the build completes (sw.cmake): it keeps this build's files for offline
// play, in a cache named from their hashes, and answers the page from there, so a repeat visit waits on no network.
// The browser fetches this file anew at each visit: a new build is taken into its own cache, whole and checked, and
// replaces the old one once no page of the old one is open (a page that started on one build never gets a file of
// another), so the next visit plays it.
'use strict';
const build = 'quillfray-@QF_BUILD@';
const files = {@QF_FILES@
};

async function sha256(response) {
    const digest = await crypto.subtle.digest('SHA-256', await response.arrayBuffer());
    return Array.from(new Uint8Array(digest), b => b.toString(16).padStart(2, '0')).join('');
}

// A file the page has just loaded is usually still in the HTTP cache: that copy saves a download, unless it is
// another build's.
async function keep(cache, name) {
    for (const mode of ['force-cache', 'reload']) {
        const response = await fetch(name, {cache: mode});
        if (response.ok && (await sha256(response.clone())) === files[name])
            return cache.put(name, response);
    }
    throw new Error(`${name} on the server is not this build's`);
}

self.addEventListener('install', event => {
    event.waitUntil(caches.open(build).then(cache => Promise.all(Object.keys(files).map(name => keep(cache, name)))));
});

self.addEventListener('activate', event => {
    const old = keys => keys.filter(k => k.startsWith('quillfray-') && k !== build);
    event.waitUntil(caches.keys()
                        .then(keys => Promise.all(old(keys).map(k => caches.delete(k))))
                        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
    const url = new URL(event.request.url), scope = new URL(self.registration.scope);
    if (event.request.method !== 'GET' || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname))
        return;
    const name = url.pathname.slice(scope.pathname.length) || 'index.html';
    if (name in files)
        event.respondWith(caches.match(name, {cacheName: build}).then(hit => hit || fetch(event.request)));
});

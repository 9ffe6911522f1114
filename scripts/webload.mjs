// Measures what a player of the browser build waits for and downloads: the site served as scripts/web.sh serves it
// (Python's static server: no compression, no Cache-Control), in headless Chromium under DevTools' network presets.
// For each profile, in a fresh browser profile each run: the first game frame of a first visit and the bytes received
// before it, then the first frame of a repeat visit once the first has settled. Also the size of every site file raw,
// gzip -9 and brotli -q 11 (what a host that compresses would send). Run it after scripts/web.sh --test (which
// installs the npm packages):
//
//     node scripts/webload.mjs [SITE] [RUNS]
import {spawn} from 'node:child_process';
import {cpSync, existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, utimesSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {createRequire} from 'node:module';
import {join, resolve} from 'node:path';
import {brotliCompressSync, constants, gzipSync} from 'node:zlib';

const require = createRequire(resolve('tests/web/package.json'));
const puppeteer = require('puppeteer-core');
const site = resolve(process.argv[2] ?? 'build-web/site'), runs = Number(process.argv[3] ?? 3);
const profiles = ['localhost', 'Fast 4G', 'Slow 4G'];

const kb = n => (n / 1024).toFixed(1).padStart(8);
let total = [0, 0, 0];
console.log(`${site}\n${'file'.padEnd(24)}      raw KB   gzip KB brotli KB`);
for (const name of readdirSync(site).filter(n => statSync(join(site, n)).isFile()).sort()) {
    const body = readFileSync(join(site, name));
    const sizes = [body.length, gzipSync(body, {level: 9}).length,
                   brotliCompressSync(body, {params: {[constants.BROTLI_PARAM_QUALITY]: 11}}).length];
    total = total.map((t, k) => t + sizes[k]);
    console.log(`${name.padEnd(24)}${sizes.map(kb).join('  ')}`);
}
console.log(`${'all'.padEnd(24)}${total.map(kb).join('  ')}`);

// Served from a copy whose files all changed "in an hour": a Last-Modified that recent gives no heuristic freshness,
// so a repeat visit finds each file stale, as one does that comes back a while after a deploy.
const served = mkdtempSync(join(tmpdir(), 'qf-site-')), later = Date.now() / 1000 + 3600;
cpSync(site, served, {recursive: true});
for (const name of readdirSync(served))
    utimesSync(join(served, name), later, later);
const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '0', '--directory', served]);
const url = await new Promise(r => server.stdout.on('data', d => {
    const m = /port (\d+)/.exec(String(d));
    if (m)
        r(`http://127.0.0.1:${m[1]}/`);
}));

// The first game frame is drawn in the game's first pass, which ends in its second sleep: the time from navigation
// to that sleep.
const probe = () => {
    window.sleeps = [];
    let a;
    Object.defineProperty(window, 'Asyncify', {configurable: true, get: () => a, set(v) {
        a = v;
        const handle = v.handleSleep;
        v.handleSleep = function (f) {
            if (v.state === v.State.Normal)
                sleeps.push(performance.now());
            return handle.call(this, f);
        };
    }});
};

async function visit(browser, profile) {
    const page = await browser.newPage();
    await page.setViewport({width: 800, height: 600});
    await page.emulateNetworkConditions(puppeteer.PredefinedNetworkConditions[profile] ?? null);
    await page.evaluateOnNewDocument(probe);
    await page.goto(url);
    await page.waitForFunction(() => window.sleeps.length >= 2, {timeout: 300000, polling: 50});
    // Bytes on the wire (headers included) of every response that had ended by the first frame.
    return page.evaluate(() => {
        const first = sleeps[1], all = [...performance.getEntriesByType('navigation'),
                                        ...performance.getEntriesByType('resource')];
        return {first, bytes: all.filter(e => e.responseEnd <= first).reduce((sum, e) => sum + e.transferSize, 0)};
    }).then(r => Object.assign(r, {page}));
}

const median = v => [...v].sort((a, b) => a - b)[v.length >> 1];
const span = (v, f) => `${f(median(v))} (${f(Math.min(...v))}-${f(Math.max(...v))})`;
const s = ms => (ms / 1000).toFixed(2) + ' s', mb = n => (n / 1e6).toFixed(2) + ' MB';
console.log(`\n${runs} runs per profile, median (range)`);
for (const name of profiles) {
    const cold = [], bytes = [], warm = [];
    for (let i = 0; i < runs; i++) {
        // A fresh profile; the repeat visit starts the browser again on it, as a player coming back later would.
        const profile = mkdtempSync(join(tmpdir(), 'qf-profile-'));
        const launch = () => puppeteer.launch({executablePath: '/usr/bin/chromium', args: ['--no-sandbox'],
                                               userDataDir: profile});
        let browser = await launch();
        const first = await visit(browser, name);
        cold.push(first.first), bytes.push(first.bytes);
        // The first visit settles (the service worker, if the site has one, keeps the site) before the player leaves.
        if (existsSync(join(site, 'sw.js')))
            await first.page.waitForFunction(() => navigator.serviceWorker.controller, {timeout: 300000, polling: 100});
        await first.page.waitForNetworkIdle({idleTime: 1000, timeout: 300000});
        await browser.close();
        browser = await launch();
        warm.push((await visit(browser, name)).first);
        await browser.close();
        rmSync(profile, {recursive: true});
    }
    console.log(`${name.padEnd(10)} first visit ${span(cold, s)}, ${span(bytes, mb)} before the first frame; ` +
                `repeat visit ${span(warm, s)}`);
}
server.kill();
rmSync(served, {recursive: true});

// Plays the browser build in headless Chromium through real mouse, touch and key events, reading the game from
// screenshots as a player would; loads it damaged, cut short, stalled and offline. QF_URL serves the built site,
// QF_RUN_DIR is the desktop build's run folder (its frame is the reference). scripts/web.sh --test runs it.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {resolve} from 'node:path';
import {after, before, test} from 'node:test';
import {PNG} from 'pngjs';
import puppeteer from 'puppeteer-core';

const url = process.env.QF_URL, runDir = resolve(process.env.QF_RUN_DIR ?? 'build/run');
const GREY = [128, 128, 128], WHITE = [255, 255, 255], RED = [96, 32, 32];
let browser;
before(async () => (browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', args: ['--no-sandbox']})));
after(() => browser?.close());

// The pixels in a box of game pixels, on a screen shown s times the game's size, of one colour or passing a test.
function find(img, rgb, box, s = 1) {
    const [x0, y0, x1, y1] = box.map(v => Math.round(v * s)), out = [], d = img.data;
    const pass = typeof rgb === 'function' ? rgb : (r, g, b) => r === rgb[0] && g === rgb[1] && b === rgb[2];
    for (let y = y0; y < Math.max(y1, y0 + 1); y++)
        for (let x = x0, o = (y * img.width + x) * 4; x < x1; x++, o += 4)
            if (pass(d[o], d[o + 1], d[o + 2]))
                out.push([x, y]);
    return out;
}
// Centre of a dot of one colour in the drawing area, or null.
function disc(img, rgb, s = 1) {
    const pts = find(img, rgb, [170, 30, 470, 330], s);
    return pts.length < 60 * s * s ? null : [0, 1].map(k => pts.reduce((sum, p) => sum + p[k], 0) / pts.length);
}
// The opponent's health bar: its red columns, 149 when full (the outline covers one).
const foeBar = (img, s = 1) => find(img, RED, [480, 80, 631, 81], s).length;
// My turn before the stroke: the lone grey dot and the long line beneath the area.
const waiting = img => disc(img, GREY) && find(img, WHITE, [420, 350, 640, 365]).length > 0;
// The endurance bar, dark or light, shows while the stroke lasts.
const drawing = (img, s = 1) => [32, 160].some(v => find(img, [v, v, v], [170, 370, 470, 371], s).length > 0);

// The page on a w by h screen; route(request) may answer a request itself (past the service worker, which would
// answer first), before(page) prepares it. grab() screenshots the game.
async function open(w, h, {touch = false, route, before} = {}) {
    const page = await browser.newPage(), errors = [];
    // An error, or a sound file the game did not load.
    page.on('console', m => (m.type() === 'error' || / not loaded: /.test(m.text())) && errors.push(m.text()))
        .on('pageerror', e => errors.push(e.message));
    if (route) {
        await page.setBypassServiceWorker(true);
        await page.setRequestInterception(true);
        page.on('request', r => route(r) || r.continue());
    }
    await before?.(page);
    await page.setViewport({width: w, height: h, hasTouch: touch, isMobile: touch});
    // Not waiting for the load event, which a stalled preload would hold back.
    await page.goto(url, {waitUntil: 'domcontentloaded'});
    const grab = async () => {
        const box = await page.$eval('canvas', c => c.getBoundingClientRect().toJSON());
        // Capturing beyond the viewport resizes the page for the shot: the pointer leaves the canvas.
        const shot = await page.screenshot({clip: box, optimizeForSpeed: true, captureBeyondViewport: false});
        return Object.assign(PNG.sync.read(shot), {box});
    };
    return {page, errors, grab};
}

async function until(grab, what, pred, ms = 15000) {
    for (let img, end = Date.now() + ms; Date.now() < end;)
        if (pred((img = await grab())))
            return img;
    assert.fail(`timed out waiting for ${what}`);
}
const text = (page, id) => page.$eval(`#${id}`, e => (e.hidden ? '' : e.textContent));
const gain = (page, want) => page.waitForFunction(g => quillfrayPage.gain() === g, {timeout: 2000, polling: 50}, want);
// Whether the page let the game (or anything) cancel a key pressed on an element.
const taken = (page, key, on) => page.$eval(on, (e, key) => !e.dispatchEvent(
    new KeyboardEvent('keydown', {key, bubbles: true, cancelable: true})), key);

test('music; the mouse wins a battle, its stroke held beyond the board; keys; a clock stepped back; M, F10, hidden',
     async () => {
    let music; // held until the game has shown its frames without it
    const slow = r => (r.url().endsWith('.data') && setTimeout(() => r.continue(), 1000)) ||
                      (r.url().endsWith('/music.ogg') && (music = r));
    // The screen is drawn again only where a pass draws otherwise than the last one: each pass compares it with the
    // whole pass drawn afresh.
    const clock = p => p.evaluateOnNewDocument((now = Date.now) => ((window.qfDrawCheck = true),
                                                                   (Date.now = () => now() + (window.clockStep ?? 0))));
    const {page, errors, grab} = await open(800, 600, {route: slow, before: clock});
    assert.match(await text(page, 'status'), /^Loading the game/);
    let img = await until(grab, 'my turn', waiting);
    await music.continue(); // it was asked for
    await page.waitForFunction(() => Module.FS.analyzePath('media/sound/music.ogg').exists);
    assert.deepEqual([img.box.width, await page.title(), await page.$eval('link[rel=icon]', l => l.href)],
                     [640, 'QuillfrayBattle', url + 'icon.png']);
    // The game's keys are the game's while it has the focus; the rest, and all elsewhere, the browser's.
    const focused = () => page.evaluate(() => document.activeElement.id);
    assert.deepEqual(await Promise.all([['F5', 'body'], ['F5', 'canvas'], ['m', 'canvas']].map(k => taken(page, ...k))),
                     [false, false, true]);
    assert.equal(await focused(), 'canvas');
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'newgame');
    await page.evaluate(() => (window.clockStep = -8000));
    const to = (img, [x, y]) => page.mouse.move(img.box.x + x, img.box.y + y);
    for (let turn = 0; foeBar(img) > 0; ++turn) {
        assert.ok(turn < 4, 'no victory in four turns');
        let last = disc(img, GREY);
        await to(img, last);
        await page.mouse.down();
        // From target to target (the white dot) until the opponent falls or the endurance is spent; the first
        // stroke goes out of the board and back.
        img = await until(grab, 'the stroke', drawing, 2000);
        if (turn === 0) {
            await to(img, [-40, 240]);
            await to(img, last);
            img = await until(grab, 'a target', i => disc(i, WHITE), 1000);
            const before = foeBar(img);
            await to(img, (last = disc(img, WHITE)));
            img = await until(grab, 'a hit after the stroke went out of the board', i => foeBar(i) < before, 1000);
        }
        for (; drawing(img) && foeBar(img) > 0; img = await grab()) {
            const t = disc(img, WHITE);
            if (t && Math.hypot(t[0] - last[0], t[1] - last[1]) > 4)
                await to(img, (last = t));
        }
        await page.mouse.up();
        img = await until(grab, 'my next turn or the victory', i => foeBar(i) === 0 || waiting(i), 20000);
    }
    // The game's master stage sets the page's sound: the files' level (4 times the channels'), none while muted,
    // none while the page is hidden.
    let other, m = () => page.keyboard.press('m');
    const steps = [[() => {}, 4], [m, 0], [m, 4], [async () => (other = await browser.newPage()), 0],
                   [() => page.bringToFront(), 4]];
    for (const [act, want] of steps) {
        await act();
        await gain(page, want);
    }
    // F10 then starts a new game: the player back at 20 of 30 hit points, a fresh opponent.
    await page.keyboard.press('F10');
    await until(grab, 'a new game', i => find(i, RED, [10, 80, 161, 81]).length === 99 && foeBar(i) === 149);
    // A pass that changes only what lies under a smoothed outline, cutting through it, shows what a whole drawing
    // shows (the canvas smooths a stroke cut by a clip otherwise).
    const cut = await page.evaluate(() => {
        const d = Module.qfDraw, {partial, mismatched} = d.stats, ops = d.last.slice();
        const outline = {k: [3, 0, 0, 0, 255, 255, 0, 255, 0, 0, 640, 480, 260, 100, 340, 180, 250, 170],
                         box: [248, 98, 343, 183]};
        for (const grey of [100, 200]) {
            const under = {k: [2, grey, grey, grey, 290, 90, 40, 300, 128], box: [290, 90, 330, 390]};
            d.pending = ops.concat(under, outline);
            d.flip();
        }
        return [d.stats.partial - partial, d.stats.mismatched - mismatched];
    });
    assert.deepEqual(cut, [2, 0]);
    // Every sound has decoded.
    assert.equal(await text(page, 'note'), '');
    await page.keyboard.down('Escape');
    await page.waitForFunction(() => /has ended/.test(document.getElementById('status').textContent));
    assert.deepEqual([await text(page, 'newgame'), await taken(page, 'm', 'canvas')], ['Play again', false]);
    assert.deepEqual(errors, []);
    const {partial, skipped, mismatched} = await page.evaluate(() => Module.qfDraw.stats);
    assert.ok(partial > 30 && skipped > 30 && mismatched === 0, `${partial} ${skipped} ${mismatched}`);
    await Promise.all([page.close(), other.close()]);
});

test('on a phone upright, without the music: one finger scores, a second is ignored, a cancelled touch ends the ' +
     'stroke; the buttons', async () => {
    const none = r => r.url().endsWith('/music.ogg') && r.respond({status: 404});
    const s = 390 / 640, {page, grab} = await open(390, 844, {touch: true, route: none});
    const cdp = await page.createCDPSession();
    const touch = (type, ...points) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints:
        points.map(([id, x, y]) => ({id, x: img.box.x + x, y: img.box.y + y}))});
    let img = await until(grab, 'my turn', i => disc(i, GREY, s));
    assert.equal(img.box.width, 390, 'the game is not full width');
    assert.ok(await page.$eval('#panel', p => p.getBoundingClientRect().top) >= img.box.y + img.box.height);
    assert.match(await text(page, 'turn'), /larger board/);
    await page.waitForFunction(() => /music could not be loaded/.test(document.getElementById('note').textContent));
    const bar = left => i => Math.abs(foeBar(i, s) - Math.floor((left * 150) / 8) * s) <= 1;
    // Held still on the grey dot, then a second finger lands and lifts, then the first moves on to the white dot.
    const first = disc(img, GREY, s);
    await touch('touchStart', [1, ...first]);
    img = await until(grab, 'the first hit', bar(7), 2000);
    await touch('touchStart', [1, ...first], [2, 50, 250]);
    await touch('touchEnd', [2, 50, 250]);
    await touch('touchMove', [1, ...disc(img, WHITE, s)]);
    img = await until(grab, 'the second hit', bar(6), 2000);
    assert.ok(drawing(img, s), 'the second finger ended the stroke');
    // Ended at once, not drained (40 of its 1000 a frame, 90 ms after the last hit).
    await touch('touchCancel');
    await until(grab, 'the stroke to end', i => !drawing(i, s), 400);
    // "Sound" mutes and sounds again; "New game" brings a fresh opponent.
    for (const want of [0, 4]) {
        await page.tap('#sound');
        await gain(page, want);
        assert.equal(await page.$eval('#sound', b => b.getAttribute('aria-pressed')), String(want > 0));
    }
    await page.tap('#newgame');
    await until(grab, 'a new game', bar(8));
    await page.close();
});

test('loads that fail or stall each say so', async () => {
    const data = Buffer.from(await (await fetch(url + 'quillfray.data')).arrayBuffer());
    const png = data.indexOf('\x89PNG', 0, 'latin1'), damaged = Buffer.from(data).fill(0, png, png + 8);
    const answer = (name, reply) => r => r.url().endsWith(name) && (reply ? r.respond(reply) : true);
    // A stall is 20 s of nothing new: here a moment.
    const hurry = p => p.evaluateOnNewDocument((later = setTimeout) =>
        (window.setTimeout = (f, ms, ...args) => later(f, ms >= 10000 ? 300 : ms, ...args)));
    const cases = [['.data', {status: 404}, /could not be loaded/], ['.data', {body: damaged}, /is damaged/],
                   ['.data', {body: data.subarray(0, data.length >> 1)}, /arrived incomplete/],
                   ['.data', null, /stalled/], ['.woff2', null, /stalled/]];
    const pages = await Promise.all(cases.map(([n, r]) => open(800, 600, {route: answer(n, r), before: hurry})));
    await Promise.all(pages.map(({page}, k) => page.waitForFunction(re => new RegExp(re).test(
        document.getElementById('status').textContent), {timeout: 10000, polling: 100}, cases[k][2].source)
        .catch(e => assert.fail(`no ${cases[k][2]}: ${e.message}`))));
    await Promise.all(pages.map(({page}) => page.close()));
});

test('installable; once visited it plays with the server gone', async () => {
    const first = await open(800, 600);
    await until(first.grab, 'my turn', waiting);
    const cdp = await first.page.createCDPSession();
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    await first.page.evaluate(() => navigator.serviceWorker.ready);
    await first.page.waitForFunction(() => navigator.serviceWorker.controller);
    await cdp.send('Network.clearBrowserCache');
    await first.page.close();
    const again = await open(800, 600, {before: p => p.setOfflineMode(true)});
    let img = await until(again.grab, 'my turn', waiting);
    await again.page.mouse.move(img.box.x + disc(img, GREY)[0], img.box.y + disc(img, GREY)[1]);
    await again.page.mouse.down();
    await until(again.grab, 'the stroke', drawing, 2000);
    await again.page.close();
});

// Mean difference per channel over a box, leaving out the pixels near the points given.
function diff(a, b, [x0, y0, x1, y1], skip) {
    let sum = 0, n = 0;
    for (let y = y0; y < y1; y++)
        for (let x = x0, o = (y * a.width + x) * 4; x < x1; x++, o += 4)
            if (!skip.some(([sx, sy]) => Math.hypot(x - sx, y - sy) < 13))
                for (let k = 0; k < 3; k++, n++)
                    sum += Math.abs(a.data[o + k] - b.data[o + k]);
    return sum / n;
}
// The corners of the box around a text's light pixels.
function ink(img, box) {
    const pts = find(img, (r, g, b) => Math.min(r, g, b) > 150, box);
    return [0, 1, 0, 1].map((k, i) => (i < 2 ? Math.min : Math.max)(...pts.map(p => p[k])));
}

// Tolerances, in mean levels per channel: half a level for the bars (the player's empty part, the opponent's full
// one), 1 for pictures and the drawing area, 3 for the whole screen, whose texts and digits are smoothed otherwise.
test("the waiting screen matches the desktop build's frame; sound that cannot be decoded is off", async () => {
    // The desktop game on its own X server, its pointer in the middle, and so the page's.
    const grabDesktop = 'cd "$0" && { ./quillfray --mute >/dev/null & } && sleep 2.5 && import -window root png32:-';
    const xvfb = new URL('../xvfb.sh', import.meta.url).pathname;
    const desk = PNG.sync.read(execFileSync('bash', [xvfb, 'bash', '-c', grabDesktop, runDir], {stdio: 'pipe'}));
    assert.ok(waiting(desk), 'the desktop frame is not the waiting screen');
    // As in a browser that cannot decode the sound files' format.
    const undecodable = p => p.evaluateOnNewDocument(() => (BaseAudioContext.prototype.decodeAudioData =
        (data, done, failed, e = new DOMException('Unable to decode audio data', 'EncodingError')) =>
            (failed?.(e), Promise.reject(e))));
    const {page, grab} = await open(800, 600, {before: undecodable});
    const first = await until(grab, 'my turn', waiting);
    assert.match(await text(page, 'note'), /sound is off/);
    await page.mouse.move(first.box.x + 320, first.box.y + 240);
    // The characters' idle loop lasts 1.12 s: one of these shows the desktop's frame of it.
    const shots = [];
    for (const end = Date.now() + 1500; Date.now() < end;)
        shots.push(await grab());
    for (const [name, box, most] of [['player bar', [112, 72, 159, 89], 0.5], ['opponent bar', [482, 72, 600, 89], 0.5],
                                     ['player', [10, 240, 170, 440], 1], ['opponent', [470, 240, 630, 440], 1],
                                     ['drawing area', [170, 30, 471, 331], 1], ['screen', [0, 0, 640, 480], 3]]) {
        const best = Math.min(...shots.map(s => diff(s, desk, box, [disc(s, GREY), disc(desk, GREY)])));
        assert.ok(best <= most, `${name}: ${best.toFixed(2)} levels off`);
    }
    // Each text within 2 pixels of the desktop's on every side; the boxes stop short of the drawing area, where the
    // first dot's light outline may lie.
    const texts = [[0, 0, 300, 16], [10, 45, 160, 66], [480, 45, 630, 66], [160, 345, 640, 368], [25, 92, 160, 106]];
    for (const box of texts) {
        const got = ink(shots.at(-1), box), want = ink(desk, box);
        assert.ok(got.every((v, k) => Math.abs(v - want[k]) <= 2), `text in ${box} at ${got}, not ${want}`);
    }
    await page.close();
});

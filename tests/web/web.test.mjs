// Plays the browser build in headless Chromium through real mouse, touch and key events, reading the game from
// screenshots as a player would. QF_URL serves the built site, QF_RUN_DIR is the desktop build's run folder (its
// frame is the reference). scripts/web.sh --test runs it.
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
const drawing = img => [32, 160].some(v => find(img, [v, v, v], [170, 370, 470, 371]).length > 0);

// The page on a w by h screen; route(request) may answer a request itself. grab() screenshots the game.
async function open(w, h, {touch = false, route} = {}) {
    const page = await browser.newPage(), errors = [];
    // An error, or a sound file the game did not load.
    page.on('console', m => (m.type() === 'error' || / not loaded: /.test(m.text())) && errors.push(m.text()))
        .on('pageerror', e => errors.push(e.message));
    if (route) {
        await page.setRequestInterception(true);
        page.on('request', r => route(r) || r.continue());
    }
    await page.setViewport({width: w, height: h, hasTouch: touch, isMobile: touch});
    await page.goto(url);
    const grab = async () => {
        const box = await page.$eval('canvas', c => c.getBoundingClientRect().toJSON());
        // Capturing beyond the viewport resizes the page for the shot: the pointer leaves the canvas, and SDL
        // releases its buttons.
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

test('loading line, game, title, icon, focus, music; the mouse wins a battle; M, F10, Escape; a missing data file', async () => {
    let music; // held until the game has shown its frames without it
    const slow = r => (r.url().endsWith('.data') && setTimeout(() => r.continue(), 1000)) ||
                      (r.url().endsWith('/music.ogg') && (music = r));
    const {page, errors, grab} = await open(800, 600, {route: slow});
    assert.match(await page.$eval('#status', e => e.textContent), /^Loading the game/);
    let img = await until(grab, 'my turn', waiting);
    assert.ok(music, 'the music was not fetched');
    await music.continue();
    await page.waitForFunction(() => Module.FS.analyzePath('media/sound/music.ogg').exists);
    assert.deepEqual([img.box.width, await page.title(), await page.$eval('link[rel=icon]', l => l.href)],
                     [640, 'QuillfrayBattle', url + 'icon.png']);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
    const to = (img, [x, y]) => page.mouse.move(img.box.x + x, img.box.y + y);
    for (let turn = 0; foeBar(img) > 0; ++turn) {
        assert.ok(turn < 4, 'no victory in four turns');
        let last = disc(img, GREY);
        await to(img, last);
        await page.mouse.down();
        // From target to target (the white dot) until the opponent falls or the endurance is spent.
        img = await until(grab, 'the stroke', drawing, 2000);
        for (; drawing(img) && foeBar(img) > 0; img = await grab()) {
            const t = disc(img, WHITE);
            if (t && Math.hypot(t[0] - last[0], t[1] - last[1]) > 4)
                await to(img, (last = t));
        }
        await page.mouse.up();
        img = await until(grab, 'my next turn or the victory', i => foeBar(i) === 0 || waiting(i), 20000);
    }
    // The game's master stage sets the page's sound: the files' level (4 times the channels'), none while muted.
    const gain = want => page.waitForFunction(g => quillfrayPage.gain() === g, {timeout: 2000}, want);
    await gain(4);
    await page.keyboard.press('m');
    await gain(0);
    await page.keyboard.press('m');
    await gain(4);
    // F10 then starts a new game: the player back at 20 of 30 hit points, a fresh opponent.
    await page.keyboard.press('F10');
    await until(grab, 'a new game', i => find(i, RED, [10, 80, 161, 81]).length === 99 && foeBar(i) === 149);
    await page.keyboard.down('Escape');
    await page.waitForFunction(() => /has ended/.test(document.getElementById('status').textContent));
    assert.deepEqual(errors, []);
    const missing = await open(800, 600, {route: r => r.url().endsWith('.data') && r.respond({status: 404})});
    await missing.page.waitForFunction(() => /could not be loaded/.test(document.body.textContent));
    await Promise.all([page.close(), missing.page.close()]);
});

test('on a phone a finger scores where the dots are drawn, without the music, which did not arrive', async () => {
    const none = r => r.url().endsWith('/music.ogg') && r.respond({status: 404});
    const s = 390 / 640, {page, grab} = await open(390, 844, {touch: true, route: none});
    let img = await until(grab, 'my turn', i => disc(i, GREY, s));
    assert.equal(img.box.width, 390, 'the game is not full width');
    const at = ([x, y]) => [img.box.x + x, img.box.y + y];
    // Each touch must land on its dot: held still on the grey one, then moved onto each next (white) one.
    await page.touchscreen.touchStart(...at(disc(img, GREY, s)));
    for (const left of [7, 6, 5]) {
        const width = Math.floor((left * 150) / 8) * s;
        img = await until(grab, `${8 - left} hits`, i => Math.abs(foeBar(i, s) - width) <= 1, 2000);
        if (left > 5)
            await page.touchscreen.touchMove(...at(disc(img, WHITE, s)));
    }
    await page.touchscreen.touchEnd();
    await page.close();
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
test("the waiting screen matches the desktop build's frame", async () => {
    // The desktop game on its own X server, its pointer in the middle, and so the page's.
    const grabDesktop = 'cd "$0" && { ./quillfray --mute >/dev/null & } && sleep 2.5 && import -window root png32:-';
    const xvfb = new URL('../xvfb.sh', import.meta.url).pathname;
    const desk = PNG.sync.read(execFileSync('bash', [xvfb, 'bash', '-c', grabDesktop, runDir], {stdio: 'pipe'}));
    assert.ok(waiting(desk), 'the desktop frame is not the waiting screen');
    const {page, grab} = await open(800, 600);
    const first = await until(grab, 'my turn', waiting);
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

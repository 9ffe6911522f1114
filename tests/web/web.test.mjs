// Plays the browser build in headless Chromium through real mouse, touch and key events, reading the game from
// screenshots as a player would. QF_SITE is the built site, QF_RUN_DIR the desktop build's run folder (its frame is
// the reference). scripts/web.sh --test runs it.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {readFileSync, mkdtempSync} from 'node:fs';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {extname, join, resolve} from 'node:path';
import {after, before, test} from 'node:test';
import {inflateSync} from 'node:zlib';
import puppeteer from 'puppeteer-core';

const site = resolve(process.env.QF_SITE ?? 'build-web/site'), runDir = resolve(process.env.QF_RUN_DIR ?? 'build/run');
const AREA = [170, 30, 470, 330], GREY = [128, 128, 128], WHITE = [255, 255, 255], RED = [96, 32, 32];
const sleep = ms => new Promise(r => setTimeout(r, ms));
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png'};
let server, url, browser;

// The site as any static server gives it; under /nodata/ its data file is missing, under /slow/ it comes late.
before(async () => {
    server = createServer(async (req, res) => {
        const [, how, file] = /^\/(nodata\/|slow\/)?(.*)$/.exec(req.url);
        if (file.endsWith('.data') && how === 'slow/')
            await sleep(1500);
        try {
            if (file.endsWith('.data') && how === 'nodata/')
                throw new Error('missing');
            const name = join(site, file || 'index.html'), body = readFileSync(name);
            res.writeHead(200, {'content-type': types[extname(name)] ?? 'application/octet-stream'});
            res.end(body);
        } catch {
            res.writeHead(404).end();
        }
    });
    await new Promise(r => server.listen(0, '127.0.0.1', r));
    url = `http://127.0.0.1:${server.address().port}/`;
    browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', args: ['--no-sandbox']});
});
after(async () => {
    await browser?.close();
    server?.close();
});

// Chromium's screenshots: 8-bit RGB or RGBA PNG, not interlaced. Returns RGB pixels.
function decode(png) {
    let w, h, ch, idat = [];
    for (let pos = 8; pos < png.length;) {
        const len = png.readUInt32BE(pos), type = png.toString('ascii', pos + 4, pos + 8);
        const data = png.subarray(pos + 8, pos + 8 + len);
        if (type === 'IHDR')
            [w, h, ch] = [data.readUInt32BE(0), data.readUInt32BE(4), data[9] === 6 ? 4 : 3];
        if (type === 'IDAT')
            idat.push(data);
        pos += 12 + len;
    }
    const raw = inflateSync(Buffer.concat(idat)), stride = w * ch, px = Buffer.alloc(w * h * 3);
    let prev = Buffer.alloc(stride);
    for (let y = 0; y < h; y++) {
        const f = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        for (let i = 0; i < stride; i++) {
            const a = i >= ch ? line[i - ch] : 0, b = prev[i], c = i >= ch ? prev[i - ch] : 0;
            if (f === 1)
                line[i] += a;
            else if (f === 2)
                line[i] += b;
            else if (f === 3)
                line[i] += (a + b) >> 1;
            else if (f === 4) {
                const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
                line[i] += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            }
        }
        for (let x = 0, o = y * w * 3; x < w; x++, o += 3)
            px[o] = line[x * ch], px[o + 1] = line[x * ch + 1], px[o + 2] = line[x * ch + 2];
        prev = line;
    }
    return {w, h, px};
}

function find(img, [r, g, b], [x0, y0, x1, y1]) {
    const out = [];
    for (let y = y0; y < y1; y++)
        for (let x = x0, o = (y * img.w + x0) * 3; x < x1; x++, o += 3)
            if (img.px[o] === r && img.px[o + 1] === g && img.px[o + 2] === b)
                out.push([x, y]);
    return out;
}
// Centre of a dot of one colour in the drawing area (scaled by s), or null.
function disc(img, rgb, s = 1) {
    const pts = find(img, rgb, AREA.map(v => Math.round(v * s)));
    if (pts.length < 60 * s * s)
        return null;
    return [0, 1].map(k => pts.reduce((sum, p) => sum + p[k], 0) / pts.length);
}
// The opponent's health bar: its red columns, 149 when full (the outline covers one).
const foeBar = (img, s = 1) => find(img, RED, [480, 80, 631, 81].map(v => Math.round(v * s))).length;
// My turn, before the stroke: the lone grey dot and the long line beneath the area.
const waiting = img => disc(img, GREY) && find(img, WHITE, [420, 350, 640, 365]).length > 0;
// The endurance bar, dark or light, shows while the stroke lasts.
const drawing = img => [32, 160].some(v => find(img, [v, v, v], [170, 370, 470, 371]).length > 0);

// The page on a screen of w by h; grab() screenshots the game canvas.
async function open(w, h, path = '', touch = false) {
    const page = await browser.newPage();
    const problems = [];
    page.on('console', m => m.type() === 'error' && problems.push(m.text()));
    page.on('pageerror', e => problems.push(e.message));
    await page.setViewport({width: w, height: h, hasTouch: touch, isMobile: touch});
    await page.goto(url + path);
    const grab = async () => {
        const box = await page.$eval('canvas', c => c.getBoundingClientRect().toJSON());
        if (!box.width)
            assert.fail(`the game is gone: ${await page.$eval('#status', s => s.textContent)}`);
        // Capturing beyond the viewport resizes the page for the shot, and the pointer leaving the canvas then
        // releases SDL's buttons.
        const shot = await page.screenshot({clip: box, optimizeForSpeed: true, captureBeyondViewport: false});
        return {...decode(shot), box};
    };
    return {page, problems, grab};
}

async function until(grab, what, pred, ms = 15000) {
    for (const end = Date.now() + ms; Date.now() < end;) {
        const img = await grab();
        if (pred(img))
            return img;
    }
    assert.fail(`timed out waiting for ${what}: ${JSON.stringify(await grab().then(i => [i.box, foeBar(i)]))}`);
}

test('the loading line, then the game with its title, icon and focus', async () => {
    const {page, problems, grab} = await open(800, 600, 'slow/');
    await page.waitForFunction(() => /^Loading the game/.test(document.getElementById('status').textContent));
    assert.equal(await page.$eval('canvas', c => c.getBoundingClientRect().width), 640);
    await until(grab, 'the first frame', img => foeBar(img) === 149);
    assert.equal(await page.$eval('#status', s => s.hidden), true);
    assert.equal(await page.title(), 'QuillfrayBattle');
    assert.equal(await page.$eval('link[rel=icon]', l => l.href), url + 'slow/icon.png');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
    assert.deepEqual(problems, []);
    await page.close();
});

test('a missing data file is said in words', async () => {
    const {page} = await open(800, 600, 'nodata/');
    await page.waitForFunction(() => /could not be loaded/.test(document.getElementById('status').textContent));
    assert.equal(await page.$eval('canvas', c => getComputedStyle(c).display), 'none');
    await page.close();
});

test('the mouse wins a battle, with no console error; Escape ends the game', async () => {
    const {page, problems, grab} = await open(800, 600);
    const to = (img, [x, y]) => page.mouse.move(img.box.x + x, img.box.y + y);
    let img = await until(grab, 'my turn', waiting);
    for (let turn = 0; foeBar(img) > 0; ++turn) {
        assert.ok(turn < 4, 'no victory in four turns');
        let last = disc(img, GREY), began = false;
        await to(img, last);
        await page.mouse.down();
        for (const end = Date.now() + 10000; foeBar(img) > 0 && Date.now() < end;) {
            img = await grab();
            if (!drawing(img)) {
                if (began)
                    break; // endurance spent
                continue;
            }
            began = true;
            const t = disc(img, WHITE);
            if (t && Math.hypot(t[0] - last[0], t[1] - last[1]) > 4)
                await to(img, (last = t));
        }
        await page.mouse.up();
        img = await until(grab, 'my next turn or the victory', i => foeBar(i) === 0 || waiting(i), 20000);
    }
    await page.keyboard.down('Escape');
    await page.waitForFunction(() => /has ended/.test(document.getElementById('status').textContent));
    assert.deepEqual(problems, []);
    await page.close();
});

test('on a phone a finger scores where the dots are drawn', async () => {
    const {page, grab} = await open(390, 844, '', true);
    let img = await until(grab, 'my turn', i => disc(i, GREY, 390 / 640));
    assert.equal(Math.round(img.box.width), 390, 'the game is not full width');
    const at = ([x, y]) => [img.box.x + x, img.box.y + y];
    // Held still on the grey dot, the first hit must land: the path appears.
    let last = disc(img, GREY, 390 / 640);
    await page.touchscreen.touchStart(...at(last));
    img = await until(grab, 'the path after touching the dot', i => disc(i, WHITE, 390 / 640), 1000);
    for (let n = 0; n < 3; ++n) {
        last = disc(img, WHITE, 390 / 640);
        await page.touchscreen.touchMove(...at(last));
        img = await until(grab, 'the next dot', i => {
            const t = disc(i, WHITE, 390 / 640);
            return t && Math.hypot(t[0] - last[0], t[1] - last[1]) > 3;
        }, 1000);
    }
    await page.touchscreen.touchEnd();
    await until(grab, "the hits on the opponent's bar", i => foeBar(i, 390 / 640) < 91 * 0.7);
    await page.close();
});

// Mean difference per channel over a box, leaving out pixels near any of the points given.
function diff(a, b, [x0, y0, x1, y1], skip = []) {
    let sum = 0, n = 0;
    for (let y = y0; y < y1; y++)
        for (let x = x0; x < x1; x++) {
            if (skip.some(([sx, sy]) => Math.hypot(x - sx, y - sy) < 13))
                continue;
            for (let k = 0, o = (y * a.w + x) * 3; k < 3; k++)
                sum += Math.abs(a.px[o + k] - b.px[o + k]);
            n += 3;
        }
    return sum / n;
}
// The box around a text's bright pixels.
function textBox(img, [x0, y0, x1, y1], bright = 150) {
    const box = [x1, y1, x0, y0];
    for (let y = y0; y < y1; y++)
        for (let x = x0, o = (y * img.w + x0) * 3; x < x1; x++, o += 3)
            if (img.px[o] > bright && img.px[o + 1] > bright && img.px[o + 2] > bright)
                box.splice(0, 4, Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y));
    return box;
}

// Tolerances: a box's mean difference per channel at most 3 levels where the texts' smoothing differs (bars, whole
// screen), 1 elsewhere; a text's bright pixels within 2 pixels of the desktop's on every side.
test("the waiting screen matches the desktop build's frame", async () => {
    // The desktop game on its own X server, its pointer in the middle, and so the page's.
    const raw = join(mkdtempSync(join(tmpdir(), 'quillfray-web-')), 'desktop.rgb');
    const script = 'cd "$0" && { ./quillfray --mute & } && sleep 2.5 && import -window root -depth 8 "rgb:$1"';
    execFileSync('bash', [new URL('../xvfb.sh', import.meta.url).pathname, 'bash', '-c', script, runDir, raw],
                 {stdio: 'ignore'});
    const desk = {w: 640, h: 480, px: readFileSync(raw)};
    assert.ok(waiting(desk), 'the desktop frame is not the waiting screen');
    const {page, grab} = await open(800, 600);
    const first = await until(grab, 'my turn', waiting);
    await page.mouse.move(first.box.x + 320, first.box.y + 240);
    await sleep(100);
    // The characters' idle loop lasts 1.12 s: one of these shots shows the desktop's frame of it.
    const shots = [];
    for (const end = Date.now() + 1500; Date.now() < end;)
        shots.push(await grab());
    const boxes = [['bars', [10, 70, 631, 91], 3], ['player', [10, 240, 170, 440], 1],
                   ['opponent', [470, 240, 630, 440], 1], ['drawing area', [170, 30, 471, 331], 1],
                   ['screen', [0, 0, 640, 480], 3]];
    for (const [name, box, most] of boxes) {
        // The start dot lies anywhere: the area is compared around it.
        const best = Math.min(...shots.map(s => diff(s, desk, box, [disc(s, GREY), disc(desk, GREY)])));
        assert.ok(best <= most, `${name} differs by ${best.toFixed(2)} levels`);
    }
    const texts = [[0, 0, 300, 16], [10, 45, 160, 66], [480, 45, 630, 66], [160, 345, 640, 368], [25, 92, 170, 106]];
    for (const box of texts) {
        const got = textBox(shots[0], box), want = textBox(desk, box);
        assert.ok(got.every((v, k) => Math.abs(v - want[k]) <= 2), `text at ${box}: ${got}, not ${want}`);
    }
    await page.close();
});

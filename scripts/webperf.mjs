// Measures the browser build against a floor page that only copies a 640x480 picture to a canvas 30 times a second:
// time from navigation to the first game frame, frames per second and the time of one pass over SECONDS of play (a
// robot traces the dots from screenshots; the floor page is screenshot at the same pace), and the CPU time of the
// browser's renderer (its audio thread apart) and GPU processes meanwhile. Run it after scripts/web.sh --test (which
// installs the npm packages):
//
//     node scripts/webperf.mjs [SITE ...] [SECONDS]
//
// Each round runs the floor page, then every SITE in turn, and the ratios are taken within a round: the machine's
// state moves the floor by a quarter between runs. QF_ROUNDS=N: N rounds (1), then each site's median ratios.
// QF_IDLE=1: no robot, the game stays on the waiting screen. QF_FLOOR_SOUND=1: the floor page also loops the site's
// music through the nodes the game's sound takes (source, straight-ahead panner, gain, master gain, limiter), to
// tell what playing sound costs apart from what the game does.
import {readFileSync, readdirSync} from 'node:fs';
import {createServer} from 'node:http';
import {execFileSync} from 'node:child_process';
import {createRequire} from 'node:module';
import {extname, join, resolve} from 'node:path';

const require = createRequire(resolve('tests/web/package.json'));
const puppeteer = require('puppeteer-core'), {PNG} = require('pngjs');
const args = process.argv.slice(2), number = a => /^[0-9.]+$/.test(a);
const sites = args.filter(a => !number(a)).map(a => resolve(a)), seconds = Number(args.find(number) ?? 30);
if (!sites.length)
    sites.push(resolve('build-web/site'));
const rounds = Number(process.env.QF_ROUNDS ?? 1);
let site = sites[0];
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};

// Counts each pass of a page: `passes` the work between two sleeps (ms), `sleeps` when each began.
const probe = () => {
    window.perf = {sleeps: [], passes: [], wake: undefined};
    let a;
    Object.defineProperty(window, 'Asyncify', {configurable: true, get: () => a, set(v) {
        a = v;
        const handle = v.handleSleep;
        v.handleSleep = function (f) {
            const now = performance.now();
            if (v.state === v.State.Normal) {
                perf.sleeps.push(now);
                if (perf.wake !== undefined)
                    perf.passes.push(now - perf.wake);
            } else if (v.state === v.State.Rewinding) {
                perf.wake = now;
            }
            return handle.call(this, f);
        };
    }});
};
const floor = `<!DOCTYPE html><body style="margin:0;background:#000"><canvas id="c" width="640" height="480"></canvas>
<script>
const ctx = document.getElementById('c').getContext('2d'), pic = document.createElement('canvas');
pic.width = 640, pic.height = 480;
const p = pic.getContext('2d'), img = p.createImageData(640, 480);
for (let i = 0; i < img.data.length; i++) img.data[i] = i % 4 == 3 ? 255 : (i * 2654435761) >>> 24;
p.putImageData(img, 0, 0);
const base = performance.now();
let n = 0;
(function frame() {
    const t0 = performance.now();
    ctx.drawImage(pic, 0, 0);
    const t1 = performance.now();
    perf.passes.push(t1 - t0), perf.sleeps.push(t1);
    setTimeout(frame, Math.max(0, base + ++n * 1000 / 30 - performance.now()));
})();
</script>`;
const sounding = `<script>
const ac = new AudioContext(), master = ac.createGain(), limiter = ac.createDynamicsCompressor();
[limiter.threshold.value, limiter.knee.value, limiter.ratio.value] = [-1.1, 0, 20];
[limiter.attack.value, limiter.release.value] = [0.0015, 0.05];
master.connect(limiter), limiter.connect(ac.destination);
fetch('music.ogg').then(r => r.arrayBuffer()).then(b => ac.decodeAudioData(b)).then(music => {
    const source = ac.createBufferSource(), panner = ac.createPanner(), gain = ac.createGain();
    panner.setPosition(0, 0, -0.5), (panner.panningModel = 'equalpower'), (gain.gain.value = 0.25);
    source.buffer = music, (source.loop = true);
    source.connect(panner), panner.connect(gain), gain.connect(master), source.start();
});
</script>`;

// Isolated pages get a finer clock (performance.now() to 5 us instead of 100 us).
const isolated = {'cross-origin-opener-policy': 'same-origin', 'cross-origin-embedder-policy': 'require-corp'};
const server = createServer((req, res) => {
    for (const [k, v] of Object.entries(isolated))
        res.setHeader(k, v);
    if (req.url === '/floor.html') {
        const page = floor + (process.env.QF_FLOOR_SOUND ? sounding : '');
        return res.writeHead(200, {'content-type': 'text/html'}).end(page);
    }
    try {
        const name = join(site, req.url === '/' ? 'index.html' : req.url.slice(1)), body = readFileSync(name);
        res.writeHead(200, {'content-type': types[extname(name)] ?? 'application/octet-stream'}).end(body);
    } catch {
        res.writeHead(404).end();
    }
});
await new Promise(r => server.listen(0, '127.0.0.1', r));
const url = `http://127.0.0.1:${server.address().port}/`;

// The browser's processes, with their command lines.
function processes(browser) {
    const ps = execFileSync('ps', ['-eo', 'pid,ppid,args', '--no-headers']).toString().trim().split('\n');
    const procs = ps.map(l => l.trim().split(/\s+/)).map(([pid, ppid, ...args]) => ({pid, ppid, args: args.join(' ')}));
    const mine = new Set([String(browser.process().pid)]);
    for (let grew = true; grew;) {
        grew = false;
        for (const p of procs)
            if (mine.has(p.ppid) && !mine.has(p.pid))
                mine.add(p.pid), (grew = true);
    }
    return procs.filter(p => mine.has(p.pid));
}

// User and system CPU seconds in a /proc stat line.
const used = stat => {
    const f = stat.split(') ')[1].split(' ');
    return (Number(f[11]) + Number(f[12])) / 100;
};

// CPU seconds so far of the browser's processes of one type, and of the renderer's audio threads (Web Audio renders
// there).
function cpu(browser, type) {
    return processes(browser).filter(p => p.args.includes(`--type=${type}`)).reduce((sum, p) => {
        try {
            return sum + used(readFileSync(`/proc/${p.pid}/stat`, 'utf8'));
        } catch {
            return sum; // ended meanwhile
        }
    }, 0);
}
function audioCpu(browser) {
    let sum = 0;
    for (const p of processes(browser).filter(p => p.args.includes('--type=renderer')))
        try {
            for (const t of readdirSync(`/proc/${p.pid}/task`)) {
                const stat = readFileSync(`/proc/${p.pid}/task/${t}/stat`, 'utf8');
                if (stat.slice(stat.indexOf('(') + 1).startsWith('AudioOutput'))
                    sum += used(stat);
            }
        } catch {} // ended meanwhile
    return sum;
}

// The centre of the pixels of one colour in the drawing area, in the board's coordinates; `at` is the board's place
// in the screenshot.
function disc(img, at, [r, g, b]) {
    let sx = 0, sy = 0, n = 0;
    for (let y = 30; y < 330; y++)
        for (let x = 170, o = ((y + at.y) * img.width + x + at.x) * 4; x < 470; x++, o += 4)
            if (img.data[o] === r && img.data[o + 1] === g && img.data[o + 2] === b)
                sx += x, sy += y, n++;
    return n < 60 ? null : [sx / n, sy / n];
}

async function run(path, play) {
    const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', args: ['--no-sandbox',
        ...(process.env.QF_FLOOR_SOUND ? ['--autoplay-policy=no-user-gesture-required'] : [])]});
    const [page] = await browser.pages();
    await page.setViewport({width: 800, height: 600});
    await page.evaluateOnNewDocument(probe);
    await page.goto(url + path);
    await new Promise(r => setTimeout(r, 3000));
    const box = await page.$eval('canvas', c => c.getBoundingClientRect().toJSON());
    // The whole page: a shot cut to the board makes Chromium restyle and repaint a page with media rules for it,
    // twice a shot, which no player's browser does.
    const grab = async () => PNG.sync.read(await page.screenshot({optimizeForSpeed: true}));
    const at = {x: Math.round(box.x), y: Math.round(box.y)};
    const start = await page.evaluate(() => [perf.sleeps.length, perf.passes.length]);
    const cpu0 = [cpu(browser, 'renderer'), cpu(browser, 'gpu-process'), audioCpu(browser)];
    let down = false, last = null, shots = 0;
    for (const end = Date.now() + seconds * 1000; Date.now() < end; ++shots) {
        const img = await grab();
        if (!play)
            continue;
        // The robot: onto the grey dot, button down, then from white dot to white dot; up when none is left.
        const grey = disc(img, at, [128, 128, 128]), white = disc(img, at, [255, 255, 255]);
        const to = p => page.mouse.move(box.x + p[0], box.y + p[1]);
        if (!down && grey && !white) {
            await to((last = grey));
            await page.mouse.down();
            down = true;
        } else if (down && white && Math.hypot(white[0] - last[0], white[1] - last[1]) > 4) {
            await to((last = white));
        } else if (down && !white) {
            await page.mouse.up();
            down = false;
        }
    }
    const cpu1 = [cpu(browser, 'renderer'), cpu(browser, 'gpu-process'), audioCpu(browser)];
    const perf = await page.evaluate(() => perf);
    await browser.close();
    const sleeps = perf.sleeps.slice(start[0]), passes = perf.passes.slice(start[1]).sort((a, b) => a - b);
    const span = (sleeps.at(-1) - sleeps[0]) / 1000, perSecond = [];
    for (const t of sleeps)
        perSecond[Math.floor((t - sleeps[0]) / 1000)] = (perSecond[Math.floor((t - sleeps[0]) / 1000)] ?? 0) + 1;
    return {first: perf.sleeps[1], fps: (sleeps.length - 1) / span, perSecond: perSecond.slice(0, -1),
            median: passes[passes.length >> 1], p95: passes[Math.floor(passes.length * 0.95)], shots,
            mean: passes.reduce((a, b) => a + b, 0) / passes.length, renderer: (cpu1[0] - cpu0[0]) / span,
            gpu: (cpu1[1] - cpu0[1]) / span, audio: (cpu1[2] - cpu0[2]) / span};
}

const pct = v => (100 * v).toFixed(1) + '%', median = a => a.slice().sort((x, y) => x - y)[a.length >> 1];
const ratios = sites.map(() => []);
for (let round = 1; round <= rounds; round++) {
    const load = readFileSync('/proc/loadavg', 'utf8').split(' ')[0], base = await run('floor.html', false);
    const games = [];
    for (site of sites)
        games.push(await run('', !process.env.QF_IDLE));
    if (rounds > 1)
        console.log(`round ${round}, load ${load}:`);
    console.log(`first game frame ${games[0].first.toFixed(0)} ms after navigation (the pass that drew it ended then)`);
    const named = [...sites.map((s, i) => [sites.length > 1 ? s : 'game', games[i]]), ['floor', base]];
    for (const [name, r] of named)
        console.log(`${name}: ${r.fps.toFixed(2)} fps (per second ${Math.min(...r.perSecond)}..` +
                    `${Math.max(...r.perSecond)}), pass median ${r.median.toFixed(3)} ms, mean ` +
                    `${r.mean.toFixed(3)} ms, 95th ${r.p95.toFixed(3)} ms; CPU renderer ${pct(r.renderer)} (its ` +
                    `audio thread ${pct(r.audio)}), GPU process ${pct(r.gpu)} of a core; ${r.shots} screenshots`);
    games.forEach((g, i) => {
        ratios[i].push([g.median / base.median, g.renderer / base.renderer]);
        console.log(`ratio ${named[i][0]}/floor: pass median ${(g.median / base.median).toFixed(1)}x, renderer CPU ` +
                    `${(g.renderer / base.renderer).toFixed(2)}x`);
    });
}
server.close();
if (rounds > 1)
    sites.forEach((s, i) => console.log(`${s}, medians of ${rounds} rounds' ratios: pass median ` +
                                        `${median(ratios[i].map(r => r[0])).toFixed(2)}x, renderer CPU ` +
                                        `${median(ratios[i].map(r => r[1])).toFixed(2)}x`));

// Remakes the browser build's screenshots in docs/screenshots/: a phone upright and on its side, waiting for the
// first stroke, and on its side after a game lost on purpose (a tap on each turn's first dot), where "New game"
// beckons. Serves SITE itself; run it after scripts/web.sh --test (which installs the npm packages):
//
//     node scripts/webshots.mjs [SITE]
import {spawn} from 'node:child_process';
import {createRequire} from 'node:module';
import {resolve} from 'node:path';

const require = createRequire(resolve('tests/web/package.json'));
const puppeteer = require('puppeteer-core'), {PNG} = require('pngjs');
const site = resolve(process.argv[2] ?? 'build-web/site');
const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '0', '--directory', site]);
const url = await new Promise(r => server.stdout.on('data', d => {
    const m = /port (\d+)/.exec(String(d));
    if (m)
        r(`http://127.0.0.1:${m[1]}/`);
}));
const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', args: ['--no-sandbox']});

// The centre of the grey dot that starts a turn, in page pixels, or null.
async function greyDot(page) {
    const box = await page.$eval('canvas', c => c.getBoundingClientRect().toJSON());
    const img = PNG.sync.read(await page.screenshot({clip: box, captureBeyondViewport: false}));
    const s = box.width / 640;
    let sx = 0, sy = 0, n = 0;
    for (let y = Math.round(30 * s); y < 330 * s; y++)
        for (let x = Math.round(170 * s), o = (y * img.width + x) * 4; x < 470 * s; x++, o += 4)
            if (img.data[o] === 128 && img.data[o + 1] === 128 && img.data[o + 2] === 128)
                sx += x, sy += y, n++;
    return n < 60 * s * s ? null : [box.x + sx / n, box.y + sy / n];
}

async function shoot(name, width, height, lose = false) {
    const page = await browser.newPage();
    await page.setViewport({width, height, hasTouch: true, isMobile: true});
    await page.goto(url);
    await page.waitForFunction(() => document.getElementById('status').hidden, {timeout: 60000});
    for (let end = Date.now() + 30000; Date.now() < end && !(await greyDot(page));)
        ;
    for (let end = Date.now() + 180000; lose && Date.now() < end;) {
        if (await page.$eval('body', b => b.classList.contains('defeat')))
            break;
        const dot = await greyDot(page);
        if (dot)
            await page.touchscreen.tap(...dot);
    }
    await page.screenshot({path: `docs/screenshots/${name}.png`});
    console.log(`docs/screenshots/${name}.png`);
    await page.close();
}

await shoot('phone-upright', 390, 844);
await shoot('phone-side', 844, 390);
await shoot('phone-defeat', 844, 390, true);
await browser.close();
server.kill();

// Opens the web pages kestrelview-render exported in Debian's chromium,
// driven by Playwright, with WebGL through chromium's own software renderer.
// Usage: node web_page.js PAGES_FOLDER
// The folder holds, for each drawing checked against the companion,
// NAME.html and the companion's NAME.png of the same view at 800 x 600; and
// injection.html, empty.html. Prints one line per check; exits 1 on a failure.
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');

const folder = path.resolve(process.argv[2]);
const width = 800, height = 600;
const flags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader'];

let failures = 0, passes = 0;
function check(ok, what) {
    console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
    ok ? ++passes : ++failures;
}

// Opens a page from its file and waits until it has drawn its first frame or
// said why it cannot. Collects the console's errors and every request for
// something other than the page itself.
async function open(browser, file, hash = '') {
    const url = 'file://' + path.join(folder, file);
    const page = await browser.newPage({ viewport: { width, height } });
    const errors = [], requests = [];
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    page.on('pageerror', (error) => errors.push(error.message));
    page.on('request', (request) => request.url() !== url && requests.push(request.url()));
    await page.goto(url + hash);
    await page.waitForSelector('html[data-state]', { timeout: 60000 });
    const state = await page.evaluate(() => document.documentElement.dataset.state);
    return { page, errors, requests, state };
}

// The model's share of a PNG picture (pixels that are not the background
// colour of the top left corner) and its mean colour, read by the browser
// itself.
async function model(browser, png) {
    const page = await browser.newPage();
    const result = await page.evaluate(async (data) => {
        const bitmap = await createImageBitmap(await (await fetch(data)).blob());
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const rgba = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        let count = 0;
        const sum = [0, 0, 0];
        for (let i = 0; i < rgba.length; i += 4) {
            if (rgba[i] === rgba[0] && rgba[i + 1] === rgba[1] && rgba[i + 2] === rgba[2])
                continue;
            ++count;
            for (let c = 0; c < 3; ++c)
                sum[c] += rgba[i + c];
        }
        return { share: count / (rgba.length / 4), mean: sum.map((s) => s / Math.max(count, 1)) };
    }, 'data:image/png;base64,' + png.toString('base64'));
    await page.close();
    return result;
}

// The model alone (#bare) against the companion's picture of the same view
// and size: its area within 25%, its mean colour within 10% of 255 a channel.
async function compareWithCompanion(browser, name) {
    const { page, errors, requests, state } = await open(browser, name + '.html', '#bare');
    check(state === 'shown', `${name}: the model is shown (${state})`);
    check(errors.length === 0, `${name}: no error on the console ${JSON.stringify(errors)}`);
    check(requests.length === 0, `${name}: the page asks for nothing outside itself ${JSON.stringify(requests)}`);
    const browserPicture = await model(browser, await page.screenshot());
    const companion = await model(browser, fs.readFileSync(path.join(folder, name + '.png')));
    await page.close();
    const ratio = browserPicture.share / companion.share;
    check(ratio >= 0.75 && ratio <= 1.25,
        `${name}: area ${(100 * browserPicture.share).toFixed(1)}% against the companion's ` +
        `${(100 * companion.share).toFixed(1)}%`);
    const difference = browserPicture.mean.map((value, c) => Math.abs(value - companion.mean[c]));
    check(Math.max(...difference) <= 25.5,
        `${name}: mean colour ${browserPicture.mean.map((v) => v.toFixed(1))} against the companion's ` +
        `${companion.mean.map((v) => v.toFixed(1))}`);
}

// The full page turns with a left drag through the browser's input events
// and goes back to the first picture with Home; its check boxes hide and show
// the layers.
async function turnAndHome(browser, name) {
    const { page } = await open(browser, name + '.html');
    // Right of the panel, whose buttons change as the pointer passes.
    const shot = () => page.screenshot({ clip: { x: 300, y: 0, width: width - 300, height } });
    const first = await shot();
    await page.mouse.move(500, 300);
    await page.mouse.down();
    await page.mouse.move(600, 280, { steps: 5 });
    await page.mouse.up();
    const turned = await shot();
    check(!turned.equals(first), `${name}: a drag turns the model`);
    await page.click('#home');
    check((await shot()).equals(first), `${name}: Home gives the first picture back`);
    await page.click('#above');
    check(!(await shot()).equals(first), `${name}: the view from above differs`);
    await page.click('#home');
    const boxes = await page.locator('#layers input').all();
    for (const box of boxes)
        await box.uncheck();
    check((await model(browser, await shot())).share === 0, `${name}: hiding every layer leaves the background`);
    for (const box of boxes)
        await box.check();
    check((await shot()).equals(first), `${name}: showing them again gives the first picture back`);
    await page.close();
}

// Layer and folder names that are markup or script are shown as text and
// run nothing.
async function injection(browser) {
    const { page, errors, state } = await open(browser, 'injection.html');
    check(state === 'shown', `injection: the model is shown (${state})`);
    check(errors.length === 0, `injection: no error on the console ${JSON.stringify(errors)}`);
    const seen = await page.evaluate(() => ({
        ran: window.kvInjected,
        layers: Array.from(document.querySelectorAll('#layers span'), (span) => span.textContent),
        title: document.getElementById('title').textContent,
        elements: document.querySelectorAll('img, #layers script, #panel script').length,
    }));
    check(seen.ran === undefined, `injection: no injected script ran (${seen.ran})`);
    check(JSON.stringify(seen.layers) ===
        JSON.stringify(['</script><script>window.kvInjected=1</script>', '<img src=x onerror=window.kvInjected=2>']),
    `injection: the layers are named as in the drawing ${JSON.stringify(seen.layers)}`);
    check(seen.title === '<img src=x onerror=window.kvInjected=3>', `injection: the title is the folder's name`);
    check(seen.elements === 0, 'injection: no element was made from a name');
    await page.close();
}

async function empty(browser) {
    const { page, errors, state } = await open(browser, 'empty.html');
    check(state === 'empty', `empty: the page says the model is empty (${state})`);
    check(errors.length === 0, `empty: no error on the console ${JSON.stringify(errors)}`);
    const text = await page.locator('#messages').textContent();
    check(text.includes('モデルは空です'), `empty: the message is shown (${text})`);
    const picture = await model(browser, await page.screenshot({ clip: { x: 300, y: 0, width: width - 300, height: 500 } }));
    check(picture.share === 0, 'empty: the page shows the background');
    await page.close();
}

async function withoutWebGl() {
    const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: [...flags, '--disable-webgl'] });
    const { page, state } = await open(browser, 'house.html');
    const text = await page.locator('#messages').textContent();
    check(state === 'no-webgl' && text.includes('WebGL'), `without WebGL: the page says so (${state}: ${text})`);
    await browser.close();
}

(async () => {
    const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: flags });
    const names = fs.readdirSync(folder).filter((file) => file.endsWith('.png')).map((file) => file.slice(0, -4));
    for (const name of names) {
        await compareWithCompanion(browser, name);
        await turnAndHome(browser, name);
    }
    await injection(browser);
    await empty(browser);
    await browser.close();
    await withoutWebGl();
    console.log(`${passes} passed, ${failures} failed`);
    process.exit(failures === 0 ? 0 : 1);
})().catch((error) => {
    console.error(error);
    process.exit(1);
});

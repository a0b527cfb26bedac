// Opens each page given RUNS times in Debian's chromium (WebGL through its
// software renderer, as in the tests), each time in a fresh browser context,
// and prints the median time from the start of the navigation to the page's
// first frame with the model, in seconds; and the browser's own start.
// Usage: node web_page_open.js RUNS PAGE...
'use strict';
const path = require('path');
const { chromium } = require('playwright-core');

const flags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader'];
const median = (values) => values.sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

(async () => {
    const runs = Number(process.argv[2]);
    const starts = [];
    let browser;
    for (let run = 0; run < runs; ++run) {
        const start = performance.now();
        browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: flags });
        starts.push((performance.now() - start) / 1000);
        if (run + 1 < runs)
            await browser.close();
    }
    console.log(`chromium start: ${median(starts).toFixed(2)} s`);
    for (const file of process.argv.slice(3)) {
        const times = [];
        // One opening first, untimed, as a page opened a second time would be.
        for (let run = 0; run <= runs; ++run) {
            const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
            const page = await context.newPage();
            const start = performance.now();
            await page.goto('file://' + path.resolve(file));
            await page.waitForFunction(() => document.documentElement.dataset.state, null,
                { polling: 'raf', timeout: 120000 });
            if (run > 0)
                times.push((performance.now() - start) / 1000);
            await context.close();
        }
        console.log(`${path.basename(file)}: ${median(times).toFixed(2)} s (${times.map((t) => t.toFixed(2)).join(' ')})`);
    }
    await browser.close();
})();

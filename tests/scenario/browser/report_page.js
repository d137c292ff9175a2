// Works the report page's controls in headless Chromium and checks what each one does: the time
// slider moves the markers, play and pause move the slider on in game time at the chosen speed,
// a click on a timeline line seeks, a screen picture enlarges and shrinks, the filter hides lines.
// The page's clock is replaced by one the test advances, so play is checked without waiting.
// Usage: node report_page.js GUNNER_SIM SCENARIO WORK_DIR
'use strict';

const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { launchBrowser } = require('../../support/browser');

// A clock the test drives: Date.now and setInterval answer to window.advanceClock(ms).
function installFakeClock() {
    let now = 1000000;
    let nextId = 1;
    const timers = new Map();
    Date.now = () => now;
    window.setInterval = (callback, every) => {
        timers.set(nextId, { callback, every, due: now + every });
        return nextId++;
    };
    window.clearInterval = (id) => timers.delete(id);
    window.advanceClock = (ms) => {
        const end = now + ms;
        for (;;) {
            let soonest = null;
            for (const [id, timer] of timers) {
                if (timer.due <= end && (!soonest || timer.due < soonest[1].due))
                    soonest = [id, timer];
            }
            if (!soonest) break;
            now = soonest[1].due;
            soonest[1].due += soonest[1].every;
            soonest[1].callback();
        }
        now = end;
    };
}

async function markerAt(page, id) {
    return page.$eval(id, (element) => [element.getAttribute('cx'), element.getAttribute('cy')]);
}

async function setSlider(page, index) {
    await page.$eval(
        '#time',
        (slider, value) => {
            slider.value = String(value);
            slider.dispatchEvent(new Event('input'));
        },
        index,
    );
}

// The sample index the page should show for a time: the last sample at or before it.
function indexAt(samples, ms) {
    let best = 0;
    samples.forEach((sample, i) => {
        if (sample[0] <= ms) best = i;
    });
    return best;
}

async function checkSlider(page, samples) {
    await setSlider(page, 0);
    const first = await markerAt(page, '#m-player');
    assert.equal(await page.$eval('#time-out', (o) => o.textContent), '0.0 s');
    const last = samples.length - 1;
    await setSlider(page, last);
    const moved = await markerAt(page, '#m-player');
    assert.notDeepEqual(moved, first, 'the slider did not move the player marker');
    assert.equal(
        await page.$eval('#time-out', (o) => o.textContent),
        (samples[last][0] / 1000).toFixed(1) + ' s',
    );
}

async function checkSeek(page, samples) {
    await setSlider(page, 0);
    const lines = await page.$$eval('#events li[data-ms]', (items) =>
        items.map((item) => Number(item.dataset.ms)),
    );
    const target = lines.findIndex((ms) => indexAt(samples, ms) > 0);
    assert.ok(target >= 0, 'no timeline line later than the first sample');
    await page.evaluate((i) => document.querySelectorAll('#events li[data-ms]')[i].click(), target);
    const value = Number(await page.$eval('#time', (s) => s.value));
    assert.equal(value, indexAt(samples, lines[target]), 'a timeline click did not seek');
}

async function playFor(page, speed, ms) {
    await setSlider(page, 0);
    await page.select('#speed', String(speed));
    await page.$eval('#play', (button) => button.click());
    assert.equal(await page.$eval('#play', (b) => b.dataset.playing), 'yes');
    await page.evaluate((step) => window.advanceClock(step), ms);
    const index = Number(await page.$eval('#time', (s) => s.value));
    await page.$eval('#play', (button) => button.click());
    assert.equal(await page.$eval('#play', (b) => b.dataset.playing), 'no');
    return index;
}

async function checkPlay(page, samples) {
    const start = samples[0][0];
    const slow = await playFor(page, 1, 2000);
    assert.equal(slow, indexAt(samples, start + 2000), 'play at 1x did not follow game time');
    const fast = await playFor(page, 4, 2000);
    assert.equal(fast, indexAt(samples, start + 8000), 'play at 4x did not run four times as fast');
    assert.ok(fast > slow, 'the speed made no difference');
    // Paused, the clock moves and the slider does not.
    await page.evaluate(() => window.advanceClock(5000));
    assert.equal(Number(await page.$eval('#time', (s) => s.value)), fast, 'pause did not stop');
}

async function checkEnlarge(page) {
    const enlarged = () => page.$eval('#screens figure', (f) => f.classList.contains('enlarged'));
    await page.$eval('#screens figure', (figure) => figure.click());
    assert.equal(await enlarged(), true, 'a click did not enlarge the screen');
    await page.$eval('#screens figure', (figure) => figure.click());
    assert.equal(await enlarged(), false, 'a second click did not shrink it');
    await page.$eval('#screens figure', (figure) => figure.click());
    await page.keyboard.press('Escape');
    assert.equal(await enlarged(), false, 'Escape did not shrink it');
}

async function checkFilter(page) {
    const shown = () => page.$$eval('#events li:not(.hidden)', (items) => items.length);
    const all = await shown();
    await page.type('#filter', 'wanted');
    const filtered = await shown();
    assert.ok(filtered > 0 && filtered < all, `the filter showed ${filtered} of ${all} lines`);
}

async function main() {
    const [program, scenario, work] = process.argv.slice(2);
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(work, { recursive: true });
    const report = path.join(work, 'report');
    execFileSync(program, ['--quiet', '--no-progress', '--report', report, scenario]);
    const browser = await launchBrowser(path.join(work, 'profile'));
    try {
        const page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (error) => errors.push(error.message));
        await page.evaluateOnNewDocument(installFakeClock);
        await page.goto('file://' + path.resolve(report, 'index.html'));
        await page.waitForSelector('#page-status[data-state="ok"]', { timeout: 10000 });
        const samples = JSON.parse(await page.$eval('#samples', (s) => s.textContent));
        assert.ok(samples.length > 10, 'too few samples to check the slider');
        await checkSlider(page, samples);
        await checkSeek(page, samples);
        await checkPlay(page, samples);
        await checkEnlarge(page);
        await checkFilter(page);
        assert.deepEqual(errors, [], 'the page threw');
        console.log(
            `ok: slider, seek, play/pause and speed, enlarge, filter over ${samples.length} samples`,
        );
    } finally {
        await browser.close();
    }
}

main().catch((error) => {
    console.error('FAIL:', error.message);
    process.exit(1);
});

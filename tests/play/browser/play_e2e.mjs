// Plays the typical road in headless Chromium: Ctrl+I, the Insurgent, in, the left button held
// until the wanted level is 1, E; saves, and replays the saved scenario with gunner-sim, which
// must pass. Usage: node play_e2e.mjs GUNNER_SIM WORK_DIR
import { spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync } from 'node:fs';
import { fail, launchBrowser, sleep, startPlay, waitIn } from './harness.mjs';

const [gunnerSim, work] = process.argv.slice(2);
rmSync(work, { recursive: true, force: true });
mkdirSync(work, { recursive: true });
const recordPath = work + '/played.toml';

const play = startPlay(gunnerSim, ['--record', recordPath]);
const { url } = await play.address;
const browser = await launchBrowser(work);
const page = await browser.newPage();
const errors = [];
page.on('pageerror', (error) => errors.push(error.message));
await page.setViewport({ width: 1400, height: 1000 });
await page.goto(url);
await waitIn(page, 'the live feed', () =>
    /[1-9]/.test(document.getElementById('clock').textContent),
);

// A key held as long as a player holds one: longer than a frame, so the script sees it down.
async function tap(key) {
    await page.keyboard.down(key);
    await sleep(150);
    await page.keyboard.up(key);
    await sleep(250);
}

await page.keyboard.down('Control');
await tap('KeyI');
await page.keyboard.up('Control');
await waitIn(page, 'the vehicle menu', () =>
    document.getElementById('screen').textContent.includes('Insurgent'),
);
await tap('Numpad2');
await tap('Enter');
await waitIn(page, 'the Insurgent', () =>
    document.getElementById('lines').textContent.includes('Insurgent vehicle created.'),
);
await page.click('button[data-act=\'{"enter_vehicle":"crew"}\']');
await waitIn(page, 'the player aboard', () =>
    document.getElementById('crew').textContent.includes('aboard'),
);

const screen = await page.$('#screen');
const box = await screen.boundingBox();
await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
await page.mouse.down({ button: 'left' });
await waitIn(page, 'wanted level 1', () => document.getElementById('wanted').textContent === '1');
await sleep(200);
await page.mouse.up({ button: 'left' });

await tap('KeyE');
await waitIn(page, 'attack mode 1', () =>
    document.getElementById('mode').textContent.startsWith('1'),
);
await page.click('#expect');
await page.screenshot({ path: work + '/play.png' });
await page.click('#save');
await waitIn(page, 'the saved file', () =>
    document.getElementById('saved').textContent.startsWith('saved:'),
);
if (errors.length) fail("the page's script failed: " + errors.join('; '));
await browser.close();

play.child.kill('SIGINT');
const ended = await play.exited;
if (ended.code !== 0)
    fail(`gunner-sim --play ended with ${ended.code ?? ended.signal}: ${ended.output}`);

const recorded = readFileSync(recordPath, 'utf8');
for (const needed of [
    'press = "ctrl"',
    'press = "i"',
    'press = "numpad2"',
    'press = "enter"',
    'enter_vehicle = "crew"',
    'press = "left_mouse"',
    'release = "left_mouse"',
    'press = "e"',
    'wanted_level = 1',
    'attack_mode = 1',
    '# asked for during play',
]) {
    if (!recorded.includes(needed)) fail(`the recording lacks ${needed}:\n${recorded}`);
}
const replay = spawnSync(gunnerSim, ['--quiet', '--no-progress', recordPath], { encoding: 'utf8' });
if (replay.status !== 0)
    fail(`the replay failed (${replay.status}):\n${replay.stdout}${replay.stderr}\n${recorded}`);
if (!/PASSED/.test(replay.stdout + replay.stderr))
    fail('the replay did not say PASSED: ' + replay.stdout);
console.log('played, saved and replayed: ' + (replay.stdout + replay.stderr).trim());

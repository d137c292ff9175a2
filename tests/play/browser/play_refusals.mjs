// The play server refuses a wrong token, another page's requests (a foreign Origin, even with the
// right token) and a foreign Host name. Usage: node play_refusals.mjs GUNNER_SIM WORK_DIR
import http from 'node:http';
import { mkdirSync, rmSync } from 'node:fs';
import { fail, launchBrowser, sleep, startPlay } from './harness.mjs';

const [gunnerSim, work] = process.argv.slice(2);
rmSync(work, { recursive: true, force: true });
mkdirSync(work, { recursive: true });

const play = startPlay(gunnerSim, []);
const { port, token } = await play.address;

function request(path, { method = 'GET', headers = {}, body } = {}) {
    return new Promise((resolve, reject) => {
        const sent = http.request(
            { host: '127.0.0.1', port, path, method, headers },
            (response) => {
                let text = '';
                response.on('data', (chunk) => (text += chunk));
                response.on('end', () => resolve({ status: response.statusCode, text }));
            },
        );
        sent.on('error', reject);
        sent.end(body);
    });
}

const expectStatus = async (what, status, path, options) => {
    const answer = await request(path, options);
    if (answer.status !== status)
        fail(`${what}: expected ${status}, got ${answer.status} ${answer.text}`);
};

await expectStatus('the right token', 200, '/?token=' + token);
await expectStatus('a wrong token', 403, '/?token=' + '0'.repeat(32));
await expectStatus('no token', 403, '/recording');
await expectStatus('a foreign Host', 403, '/?token=' + token, {
    headers: { Host: 'rebound.example:' + port },
});
await expectStatus('a foreign Origin', 403, '/act?token=' + token, {
    method: 'POST',
    headers: { Origin: 'http://evil.example' },
    body: '{"press":"e"}',
});

// Another page in the browser, on another port of this machine, that knows the token.
const foreign = http.createServer((_, response) => {
    response.setHeader('Content-Type', 'text/html');
    response.end('<!doctype html><title>other page</title>');
});
await new Promise((resolve) => foreign.listen(0, '127.0.0.1', resolve));
const browser = await launchBrowser(work);
const page = await browser.newPage();
const wrong = await page.goto(`http://127.0.0.1:${port}/?token=${'f'.repeat(32)}`);
if (wrong.status() !== 403) fail('the page with a wrong token loaded: ' + wrong.status());
await page.goto(`http://127.0.0.1:${foreign.address().port}/`);
await page.evaluate(async (target) => {
    // A simple request, which a browser sends without asking first, with the page's own Origin.
    await fetch(target, { method: 'POST', mode: 'no-cors', body: '{"press":"e"}' }).catch(() => {});
}, `http://127.0.0.1:${port}/act?token=${token}`);
await browser.close();
foreign.close();
await sleep(300);

const recording = await request('/recording?token=' + token);
if (recording.status !== 200) fail('the recording could not be read: ' + recording.status);
if (/press = "e"/.test(recording.text))
    fail('a refused request reached the session:\n' + recording.text);

play.child.kill('SIGINT');
const ended = await play.exited;
if (ended.code !== 0)
    fail(`gunner-sim --play ended with ${ended.code ?? ended.signal}: ${ended.output}`);
console.log('wrong token, foreign Host and foreign Origin refused; the session took none of them');

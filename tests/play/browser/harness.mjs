// Starts gunner-sim --play and headless Chromium for the play page's browser tests.
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import puppeteer from 'puppeteer-core';

export function fail(message) {
    console.error('FAIL: ' + message);
    process.exit(1);
}

export function chromiumPath() {
    for (const path of [process.env.CHROMIUM, '/usr/bin/chromium', '/usr/bin/chromium-browser']) {
        if (path && existsSync(path)) return path;
    }
    console.log('no Chromium installed (scripts/install-deps.sh browser): skipped');
    process.exit(77);
}

// gunner-sim --play with `args`; resolves once it printed its address.
export function startPlay(gunnerSim, args) {
    const child = spawn(gunnerSim, ['--play', ...args], { stdio: ['ignore', 'pipe', 'pipe'] });
    let output = '';
    const exited = new Promise((resolve) =>
        child.on('exit', (code, signal) => resolve({ code, signal, output })),
    );
    const address = new Promise((resolve, reject) => {
        const timer = setTimeout(() => reject(new Error('no address printed: ' + output)), 20000);
        const take = (chunk) => {
            output += chunk;
            const found = /http:\/\/127\.0\.0\.1:(\d+)\/\?token=([0-9a-f]+)/.exec(output);
            if (found) {
                clearTimeout(timer);
                resolve({ url: found[0], port: Number(found[1]), token: found[2] });
            }
        };
        child.stdout.on('data', take);
        child.stderr.on('data', take);
        child.on('exit', () => reject(new Error('gunner-sim ended: ' + output)));
    });
    return { child, address, exited };
}

export async function launchBrowser(work) {
    return puppeteer.launch({
        executablePath: chromiumPath(),
        headless: true,
        userDataDir: work + '/profile',
        args: [
            '--no-sandbox',
            '--disable-gpu',
            '--no-first-run',
            '--disable-background-networking',
            '--disable-component-update',
            '--disable-sync',
        ],
    });
}

// Polls `probe` in the page until it returns something truthy.
export async function waitIn(page, what, probe, arg, timeout = 20000) {
    try {
        return await page.waitForFunction(probe, { timeout, polling: 50 }, arg);
    } catch {
        const shown = await page.evaluate(() => document.body.innerText.slice(0, 3000));
        fail(`waited ${timeout} ms for ${what}; the page shows:\n${shown}`);
    }
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

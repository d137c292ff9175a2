// Starts Debian's Chromium headless for the browser tests, through puppeteer-core.
'use strict';

const fs = require('node:fs');
const puppeteer = require('puppeteer-core');

const candidates = ['/usr/bin/chromium', '/usr/bin/chromium-browser', '/usr/bin/google-chrome'];

function chromiumPath() {
    const found = candidates.find((candidate) => fs.existsSync(candidate));
    if (!found) throw new Error('no Chromium installed (scripts/install-deps.sh browser)');
    return found;
}

function launchBrowser(profileDir) {
    return puppeteer.launch({
        executablePath: chromiumPath(),
        headless: true,
        userDataDir: profileDir,
        args: [
            '--no-sandbox',
            '--disable-gpu',
            '--no-first-run',
            '--disable-background-networking',
        ],
    });
}

module.exports = { launchBrowser };

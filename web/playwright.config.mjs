// SPDX-License-Identifier: MIT
// The browser tests: Debian's Chromium, headless, against the built site
// served on 127.0.0.1. PRISM_SITE names the site folder (by default the one
// `make web` builds); PRISM_WEB_PORT the port (by default a free one).
import { defineConfig } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { resolve } from 'node:path';
import { launchOptions } from './tests/browser.mjs';

const site = resolve(process.env.PRISM_SITE ?? new URL('../build-web/site', import.meta.url).pathname);
// A port free now, chosen once: the workers read the same one from the
// environment the runner hands them.
process.env.PRISM_WEB_PORT ??= execFileSync(
  process.execPath,
  [
    '-e',
    "const s = require('net').createServer().listen(0, '127.0.0.1', () => { console.log(s.address().port); s.close(); })",
  ],
  { encoding: 'utf8' },
).trim();
const port = Number(process.env.PRISM_WEB_PORT);

export default defineConfig({
  testDir: 'tests',
  testMatch: '*.test.mjs',
  workers: 1,
  reporter: [['list']],
  forbidOnly: !!process.env.CI,
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    browserName: 'chromium',
    launchOptions,
    viewport: { width: 800, height: 600 },
    deviceScaleFactor: 1,
  },
  webServer: {
    command: `node serve.mjs "${site}" ${port}`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
    stdout: 'ignore',
  },
});

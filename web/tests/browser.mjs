// SPDX-License-Identifier: MIT
// How every browser of the tests and the benchmark is started: Debian's
// Chromium, headless, with no background connections (this machine's
// network is closed, and the page must make none of its own either).
export const launchOptions = {
  executablePath: process.env.PRISM_CHROMIUM ?? '/usr/bin/chromium',
  args: [
    '--no-sandbox',
    '--disable-gpu',
    '--disable-quic',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
  ],
};

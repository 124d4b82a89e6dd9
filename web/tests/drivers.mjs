// SPDX-License-Identifier: MIT
// One small interface over the three browser engines the page's users run,
// so that the cases are written once:
//
//   const browser = await launch('chromium' | 'firefox' | 'webkit');
//   await browser.goto(url);             // and waits until the form is ready
//   await browser.evaluate(fn, arg);     // fn(arg) in the page, its (awaited) value
//   await browser.click(selector);       // a real pointer click
//   await browser.type(selector, text);  // clicks into a field and types
//   await browser.press(key);            // 'Tab', 'Enter', 'Escape', 'Space', 'Backspace'
//   await browser.resize(width, height); // the viewport's size in CSS pixels
//   await browser.screenshot();          // the viewport as a PNG buffer, once painted
//   await browser.pdf?.({ format });     // the printed page, where the engine can print
//   await browser.preferDark?.(on);      // the system's dark theme, where the driver can switch it
//   browser.theme                        // 'light', or 'dark' where the browser runs dark throughout
//   await browser.close();
//
// Blink: Debian's Chromium through Playwright. Gecko: Debian's Firefox ESR
// through puppeteer-core over WebDriver BiDi. WebKit: WebKitGTK's WebDriver
// server, which opens MiniBrowser (no headless mode: run under Xvfb),
// through the `webdriver` package's W3C WebDriver client.
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { createServer } from 'node:net';
import { launchOptions } from './browser.mjs';

export const VIEWPORT = { width: 800, height: 600 };
const READY = 'html[data-ready="true"]';
// Two frames: whatever the last action changed has been painted.
const painted = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));

export const engines = {
  chromium: launchChromium,
  firefox: launchFirefox,
  webkit: launchWebKit,
};

export async function launch(engine) {
  const start = engines[engine];
  if (!start) throw new Error(`no such engine: ${engine} (${Object.keys(engines).join(', ')})`);
  return { engine, ...(await start()) };
}

async function launchChromium() {
  const { chromium } = await import('@playwright/test');
  const browser = await chromium.launch(launchOptions);
  const page = await browser.newPage({ viewport: VIEWPORT, deviceScaleFactor: 1 });
  return {
    version: browser.version(),
    theme: 'light',
    goto: async (url) => {
      await page.goto(url);
      await page.locator(READY).waitFor();
    },
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    click: (selector) => page.locator(selector).click(),
    type: async (selector, text) => {
      await page.locator(selector).click();
      await page.keyboard.type(text);
    },
    press: (key) => page.keyboard.press(key),
    resize: (width, height) => page.setViewportSize({ width, height }),
    screenshot: async () => {
      await page.evaluate(painted);
      return page.screenshot();
    },
    pdf: (options) => page.pdf(options),
    preferDark: (dark) => page.emulateMedia({ colorScheme: dark ? 'dark' : 'light' }),
    close: () => browser.close(),
  };
}

async function launchFirefox() {
  const { default: puppeteer } = await import('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.PRISM_FIREFOX ?? '/usr/bin/firefox-esr',
    headless: true,
    // Its driver cannot switch the theme of a running browser: it runs in a
    // dark system theme throughout.
    extraPrefsFirefox: { 'ui.systemUsesDarkTheme': 1 },
  });
  const page = await browser.newPage();
  await page.setViewport({ ...VIEWPORT, deviceScaleFactor: 1 });
  return {
    version: await browser.version(),
    theme: 'dark',
    goto: async (url) => {
      await page.goto(url);
      await page.waitForSelector(READY);
    },
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    click: (selector) => page.click(selector),
    type: async (selector, text) => {
      await page.click(selector);
      await page.keyboard.type(text);
    },
    press: (key) => page.keyboard.press(key === 'Space' ? ' ' : key),
    resize: (width, height) => page.setViewport({ width, height, deviceScaleFactor: 1 }),
    screenshot: async () => {
      await page.evaluate(painted);
      return Buffer.from(await page.screenshot());
    },
    pdf: async (options) => Buffer.from(await page.pdf(options)),
    close: () => browser.close(),
  };
}

// A free port on the loopback address.
async function freePort() {
  const server = createServer().listen(0, '127.0.0.1');
  await once(server, 'listening');
  const { port } = server.address();
  server.close();
  await once(server, 'close');
  return port;
}

// W3C WebDriver key codes of the keys the cases press.
const KEYS = { Tab: '\uE004', Enter: '\uE007', Escape: '\uE00C', Space: ' ', Backspace: '\uE003' };

// WebKitGTK's WebDriver server, started on a free port and waited for.
async function startWebDriver(program, env) {
  const port = await freePort();
  const driver = spawn(program, [`--port=${port}`], { stdio: ['ignore', 'ignore', 'inherit'], env });
  for (let tries = 0; ; ++tries) {
    try {
      await fetch(`http://127.0.0.1:${port}/status`);
      return { driver, port };
    } catch (error) {
      if (tries > 100 || driver.exitCode !== null) throw error;
      await new Promise((r) => setTimeout(r, 50));
    }
  }
}

// Makes the viewport `width` x `height`: the window larger by what its
// frame and toolbar take.
async function resizeViewport(client, { width, height }) {
  const [innerWidth, innerHeight] = await client.executeScript('return [innerWidth, innerHeight]', []);
  const outer = await client.getWindowRect();
  await client.setWindowRect(
    null,
    null,
    width + outer.width - innerWidth,
    height + outer.height - innerHeight,
  );
}

async function launchWebKit() {
  const { WebDriver } = await import('webdriver');
  // MiniBrowser in GTK's dark theme throughout: its driver cannot switch it.
  const { driver, port } = await startWebDriver(process.env.PRISM_WEBKIT_DRIVER ?? 'WebKitWebDriver', {
    ...process.env,
    GTK_THEME: 'Adwaita:dark',
  });
  // No browserName: the driver refuses a session that names one.
  const client = await WebDriver.newSession({
    hostname: '127.0.0.1',
    port,
    logLevel: 'warn',
    capabilities: {
      'webkitgtk:browserOptions': {
        binary: process.env.PRISM_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
        args: ['--automation'],
      },
    },
  });
  await resizeViewport(client, VIEWPORT);
  const evaluate = async (fn, arg) => {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => (${fn})(arguments[0])).then((v) => done({ v }), (e) => done({ e: String(e) }));`;
    const { v, e } = await client.executeAsyncScript(script, [arg ?? null]);
    if (e) throw new Error(e);
    return v;
  };
  // The client answers a missing element with its error, not by throwing.
  const element = async (selector) => {
    const found = await client.findElement('css selector', selector);
    if (found.error) throw new Error(`${selector}: ${found.message ?? found.error}`);
    return Object.values(found)[0];
  };
  const click = async (selector) => client.elementClick(await element(selector));
  const key = (value) => ({
    type: 'key',
    id: 'keyboard',
    actions: [
      { type: 'keyDown', value },
      { type: 'keyUp', value },
    ],
  });
  return {
    version: client.capabilities.browserVersion,
    theme: 'dark',
    goto: async (url) => {
      await client.navigateTo(url);
      for (let i = 0; !(await evaluate((s) => !!document.querySelector(s), READY)); ++i) {
        if (i > 200) throw new Error(`${url}: the form never became ready`);
        await new Promise((r) => setTimeout(r, 25));
      }
    },
    evaluate,
    click,
    type: async (selector, text) => {
      await click(selector);
      if (text) await client.elementSendKeys(await element(selector), text);
    },
    press: (name) => client.performActions([key(KEYS[name] ?? name)]),
    resize: (width, height) => resizeViewport(client, { width, height }),
    screenshot: async () => {
      await evaluate(painted);
      return Buffer.from(await client.takeScreenshot(), 'base64');
    },
    // WebKitGTK's driver has no print command.
    pdf: undefined,
    close: async () => {
      await client.deleteSession().catch(() => {});
      driver.kill();
    },
  };
}

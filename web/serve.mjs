// SPDX-License-Identifier: MIT
// Serves a folder on 127.0.0.1 for trying the page and for the browser
// tests: any static server would do, with .wasm as application/wasm. Text
// and WebAssembly go gzip-compressed to a browser that takes it, as a host
// sends them (the slow network's figures of bench.mjs count those bytes).
// With --http2, over HTTP/2 and TLS, as static hosts serve pages (every file
// on one connection, where HTTP/1.1 gives a browser six to a host), with a
// certificate of its own made for the run (a browser must be told to accept
// it): for bench.mjs.
//
// Usage: node serve.mjs FOLDER [PORT] [--http2]   (port 0: any free one; the URL is printed)
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { createSecureServer } from 'node:http2';
import { tmpdir } from 'node:os';
import { readFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { extname, join, normalize, resolve, sep } from 'node:path';

const [folder = '.', port = '8080', protocol] = process.argv.slice(2);
const root = resolve(folder);
const compressed = new Set([
  '.html',
  '.js',
  '.mjs',
  '.css',
  '.wasm',
  '.json',
  '.webmanifest',
  '.svg',
  '.txt',
]);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
};

async function respond(request, response) {
  let path;
  try {
    path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  } catch {
    response.writeHead(400).end();
    return;
  }
  let file = normalize(join(root, path));
  if (file !== root && !file.startsWith(root + sep)) {
    response.writeHead(403).end();
    return;
  }
  if (path.endsWith('/')) file = join(file, 'index.html');
  try {
    const body = await readFile(file);
    const headers = {
      'Content-Type': types[extname(file)] ?? 'application/octet-stream',
      Vary: 'Accept-Encoding',
    };
    const gzip = compressed.has(extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
    if (gzip) headers['Content-Encoding'] = 'gzip';
    response.writeHead(200, headers);
    response.end(gzip ? gzipSync(body) : body);
  } catch {
    response.writeHead(404).end();
  }
}

// A key and a certificate for 127.0.0.1, valid for a day.
function certificate() {
  const dir = mkdtempSync(join(tmpdir(), 'prism-serve-'));
  const [key, cert] = [join(dir, 'key.pem'), join(dir, 'cert.pem')];
  execFileSync(
    'openssl',
    [
      'req',
      '-x509',
      '-newkey',
      'ec',
      '-pkeyopt',
      'ec_paramgen_curve:prime256v1',
      '-nodes',
      '-keyout',
      key,
      '-out',
      cert,
      '-days',
      '1',
      '-subj',
      '/CN=127.0.0.1',
      '-addext',
      'subjectAltName=IP:127.0.0.1',
    ],
    { stdio: 'ignore' },
  );
  const pair = { key: readFileSync(key), cert: readFileSync(cert) };
  rmSync(dir, { recursive: true, force: true });
  return pair;
}

const secure = protocol === '--http2';
const server = secure ? createSecureServer(certificate(), respond) : createServer(respond);
server.listen(Number(port), '127.0.0.1', () => {
  console.log(`${secure ? 'https' : 'http'}://127.0.0.1:${server.address().port}/`);
});

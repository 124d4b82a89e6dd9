// SPDX-License-Identifier: MIT
// A slow link for bench.mjs, shaped below the browser: a TCP proxy in front
// of serve.mjs that holds every byte for a one-way delay and lets the bytes
// toward the browser through one queue at a fixed rate, shared by all
// connections, as a slow line's bottleneck does. Unlike Chromium's own
// throttling, which charges each request as a whole, it leaves connections,
// round trips and HTTP/2's streams to the browser and the server.
import net from 'node:net';

// Writes to `socket` in the order given, each no sooner than its time (one
// timer per socket, so that no two writes can change places).
function paced(socket) {
  const queue = [];
  let timer = null;
  const pump = () => {
    timer = null;
    while (queue.length && queue[0].at <= performance.now()) {
      const { data } = queue.shift();
      if (data === null) socket.end();
      else if (socket.writable) socket.write(data);
    }
    if (queue.length) timer = setTimeout(pump, Math.max(1, queue[0].at - performance.now()));
  };
  return (at, data) => {
    queue.push({ at, data });
    timer ??= setTimeout(pump, Math.max(0, at - performance.now()));
  };
}

// A proxy to 127.0.0.1:`port`; resolves to its own port and a close().
export function shaper(port, { delay = 200, rate = 50000 } = {}) {
  const SEGMENT = 1460;
  let linkFree = 0; // when the shared queue toward the browser is next free
  const server = net.createServer((client) => {
    const upstream = net.connect(port, '127.0.0.1');
    const toServer = paced(upstream);
    const toClient = paced(client);
    let upFree = 0;
    let downLast = 0;
    const through = (free, bytes) => Math.max(performance.now(), free) + (bytes / rate) * 1000;
    client.on('data', (chunk) => toServer((upFree = through(upFree, chunk.length)) + delay, chunk));
    client.on('end', () => toServer(upFree + delay, null));
    upstream.on('data', (chunk) => {
      for (let i = 0; i < chunk.length; i += SEGMENT) {
        const segment = chunk.subarray(i, i + SEGMENT);
        linkFree = through(linkFree, segment.length);
        downLast = Math.max(downLast, linkFree + delay);
        toClient(downLast, segment);
      }
    });
    upstream.on('end', () => toClient(Math.max(downLast, performance.now() + delay), null));
    for (const socket of [client, upstream]) {
      socket.setNoDelay(true);
      socket.on('error', () => [client, upstream].forEach((s) => s.destroy()));
    }
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () =>
      resolve({ port: server.address().port, close: () => server.close() }),
    ),
  );
}

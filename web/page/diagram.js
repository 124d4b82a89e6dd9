// SPDX-License-Identifier: MIT
// The vector diagram: the `svg` image, its `vectors` A, B and C, which start
// at the diagram's origin (written into the page), and the rest of its
// `parts` (the legend's lines and letters), shown and hidden with them.
export function diagram(svg, vectors, parts) {
  // Shown with its words, or hidden (null): said in words while it is
  // drawn, nothing stale once it is gone. A line of no length leaves no dot.
  const show = (words) => {
    const visible = words !== null;
    if (visible) svg.setAttribute('aria-label', words);
    else svg.removeAttribute('aria-label');
    svg.setAttribute('aria-hidden', String(!visible));
    for (const part of [...vectors, ...parts]) {
      if (part instanceof SVGElement) {
        const [x1, y1, x2, y2] = ['x1', 'y1', 'x2', 'y2'].map((a) => part.getAttribute(a));
        part.setAttribute('visibility', visible && (x1 !== x2 || y1 !== y2) ? 'visible' : 'hidden');
      } else {
        part.hidden = !visible;
      }
    }
  };
  return {
    // update_diagram: no scale, no diagram; otherwise the vectors end where
    // the core says.
    update(shown) {
      if (!shown.scaled) return show(null);
      vectors.forEach((line, i) => {
        line.setAttribute('x2', shown.ends[i].x);
        line.setAttribute('y2', shown.ends[i].y);
      });
      show(shown.words);
    },
    hide: () => show(null),
  };
}

// SPDX-License-Identifier: MIT
// The one way JavaScript reaches the WebAssembly module (bindings.h): the
// page, the tests and the build's tools all call it through this. Each call
// is one action and answers with one value. Texts go in through the
// module's heap, so an entry of any length fits (the module's stack is
// small), and the value comes back as JSON, read here and freed.
//
//   const core = wrap(await createCore());
//   core.compute('3', '0', '4', '90').result === '5.0△ Base 53°'
//   core.form()     // the form's description (the Node build only)
//   core.record()   // the record of calculation variables (the Node build only)
//   core.lens('right', entries)   // the lens tool, one eye (its module, and the Node build)
//   core.near(right, left, '10', '')  // where the wearer reads, through both
//   core.fill(c, 'as right')      // the prisms wanted, filled from C

/**
 * A point in window coordinates, in twips: x to the right, y downward.
 * @typedef {{ x: number, y: number }} Point
 */
/**
 * One part of a prism in an eye's words: its size as written ("3.0", a
 * half's "1.50") and its letters ("BI", "BO", "BU", "BD"). A reading's parts
 * are those worth writing, horizontal first; none at all marks a prism each
 * of whose parts is too small to write.
 * @typedef {{ size: string, letters: string }} Part
 */
/**
 * @typedef {{ prism: string, parts: Part[] }} Share   one eye's half, "2.50△ Base 53°"
 * @typedef {{ parts: Part[], right: Share, left: Share }} Reading   C as one eye's prism, and split
 */
/**
 * C for each eye: as the right eye's and as the left eye's prism. `needed`
 * is false where the result line's power reads 0.0 (every reading empty).
 * @typedef {{ needed: boolean, asRight: Reading, asLeft: Reading }} Eyes
 */
/**
 * What a compute press shows. A refused prism ('refused A', 'refused B')
 * comes with nothing else: the front end keeps what it shows.
 * @typedef {object} Shown
 * @property {'composed' | 'refused A' | 'refused B'} outcome
 * @property {string} [result]   the result line, "5.0△ Base 53°"
 * @property {boolean} [scaled]  whether a diagram scale exists
 * @property {Point[]} [ends]    where A, B and C end: three when scaled, else none
 * @property {string} [words]    the diagram in words, when scaled
 * @property {Eyes} [eyes]
 * @property {{ x: number, y: number }} [c]  C's components as composed, exactly
 */
/**
 * One eye's entries in the lens tool, as typed, and its ways (true: in, up,
 * base in, base up).
 * @typedef {{ sphere: string, cylinder: string, axis: string, centreX: string, centreY: string,
 *   centreIn: boolean, centreUp: boolean, prismX: string, prismY: string, baseIn: boolean,
 *   baseUp: boolean }} LensEntries
 */
/**
 * One part of a lens result: its size as written ("1.58" △, "2.5" mm) and
 * its way for that eye. A result's parts are the horizontal and the
 * vertical, each null where it is written as zero.
 * @typedef {{ size: string, way: 'in' | 'out' | 'up' | 'down' }} WayPart
 */
/**
 * What the lens tool shows for one eye. Nothing where no lens is entered
 * (`lens` false) or an entry is refused (`refused`, the description's
 * field; `needed` where it is empty but needed).
 * @typedef {object} LensShown
 * @property {boolean} lens
 * @property {string | null} refused
 * @property {boolean} needed
 * @property {(WayPart | null)[]} prism   the prism at the pupil from the decentration
 * @property {string} prismForm           its 360° form, "1.64△ Base 196°"; empty with no parts
 * @property {{ power: string, direction: string } | null} b   the prism as B's entries take it
 * @property {(WayPart | null)[]} offset  the decentration for the prism wanted
 * @property {number | null} blocked      the meridian (degrees) of no power a wanted part lies along
 * @property {boolean} tooFar             over 30 mm: `offset` is what it would need
 */
/**
 * Where the wearer reads: nothing more where `refused` ('depth', 'inset')
 * or an eye has no lens (`bothLenses` false); else each eye's prism at its
 * reading point (right, left), the vertical imbalance at near (and at
 * distance where decentred): its written size and the eye more base down
 * (none where written 0.00); the correction's size, and from 1.00 the eye
 * whose lens takes a slab-off (`rarelyMade` under 1.50).
 * @typedef {{ size: string, moreDown: 'right' | 'left' | null }} Imbalance
 * @typedef {{ refused: 'depth' | 'inset' | null, bothLenses: boolean, prisms: (WayPart | null)[][],
 *   near: Imbalance, distance: Imbalance | null, correction: string, slabOff: 'right' | 'left' | null,
 *   rarelyMade: boolean }} NearShown
 */
/**
 * The prisms wanted, right eye then left, filled from C: sizes as written,
 * both empty where that eye's are emptied.
 * @typedef {{ x: string, y: string, in: boolean, up: boolean }[]} Wanted
 */
/**
 * The record as it stands: the entries' texts (AP and BP one-decimal once
 * scaled), C's one-decimal power and result line, the scale and the ends
 * of the scaled vectors, for the agreement test.
 * @typedef {{ AP: string, ABase: string, BP: string, BBase: string, CP: string,
 *   result: string, MAG: number, ends: Point[] }} Record
 */

export function wrap(module) {
  // Texts go in through the heap; numbers and flags as they are.
  const call = (fn, ...args) => {
    const pointers = [];
    const passed = args.map((a) => {
      if (typeof a !== 'string') return Number(a);
      const size = module.lengthBytesUTF8(a) + 1;
      const pointer = module._malloc(size);
      module.stringToUTF8(a, pointer, size);
      pointers.push(pointer);
      return pointer;
    });
    const value = fn(...passed);
    try {
      return JSON.parse(module.UTF8ToString(value));
    } finally {
      [value, ...pointers].forEach((p) => module._free(p));
    }
  };
  const fills = ['as right', 'split as right', 'as left', 'split as left'];
  return {
    /** @returns {Shown} */
    compute: (aPower, aBase, bPower, bBase) => call(module._prism_compute, aPower, aBase, bPower, bBase),
    form: () => call(module._prism_form),
    /** @returns {Record} */
    record: () => call(module._prism_record),
    /** @returns {LensShown} */
    lens: (eye, e) =>
      call(
        module._prism_lens,
        eye === 'right' ? 0 : 1,
        ...[e.sphere, e.cylinder, e.axis, e.centreX, e.centreY, e.centreIn, e.centreUp],
        ...[e.prismX, e.prismY, e.baseIn, e.baseUp],
      ),
    /** @returns {NearShown} */
    near: (right, left, depth, inset) =>
      call(
        module._prism_lens_near,
        ...[right, left].flatMap((e) => [
          e.sphere,
          e.cylinder,
          e.axis,
          e.centreX,
          e.centreY,
          e.centreIn,
          e.centreUp,
        ]),
        depth,
        inset,
      ),
    /** @returns {Wanted} */
    fill: (c, way) => call(module._prism_lens_fill, String(c.x), String(c.y), fills.indexOf(way)),
  };
}

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
 */
/**
 * The record as it stands: the entries' texts (AP and BP one-decimal once
 * scaled), C's one-decimal power and result line, the scale and the ends
 * of the scaled vectors, for the agreement test.
 * @typedef {{ AP: string, ABase: string, BP: string, BBase: string, CP: string,
 *   result: string, MAG: number, ends: Point[] }} Record
 */

export function wrap(module) {
  const call = (fn, ...texts) => {
    const pointers = texts.map((s) => {
      const size = module.lengthBytesUTF8(s) + 1;
      const pointer = module._malloc(size);
      module.stringToUTF8(s, pointer, size);
      return pointer;
    });
    const value = fn(...pointers);
    try {
      return JSON.parse(module.UTF8ToString(value));
    } finally {
      [value, ...pointers].forEach((p) => module._free(p));
    }
  };
  return {
    /** @returns {Shown} */
    compute: (aPower, aBase, bPower, bBase) => call(module._prism_compute, aPower, aBase, bPower, bBase),
    form: () => call(module._prism_form),
    /** @returns {Record} */
    record: () => call(module._prism_record),
  };
}

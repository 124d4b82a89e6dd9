// SPDX-License-Identifier: MIT
// The one way JavaScript reaches the WebAssembly module (bindings.h, lens.h):
// the page, the tests and the build's tools all call it through this. Each
// call is one action: it takes one value of named fields and answers with
// one value, each shape below. The value goes in as JSON through the
// module's heap, so an entry of any length fits (the module's stack is
// small), and the answer comes back as JSON, read here and freed. A value
// of the wrong shape is answered with an error, thrown here: nothing takes
// a default.
//
//   const core = wrap(await createCore());
//   core.compute({ aPower: '3', aBase: '0', bPower: '4', bBase: '90' }).result === '5.0△ Base 53°'
//   core.form()        // the form's description (the Node build only)
//   core.record()      // the record of calculation variables (the Node build only)
//   core.lens({ right, left, depth: '10', inset: '' })   // the lens tool (its module, and the Node build)
//   core.fill({ c, fill: 'as right' })                   // the prisms wanted, filled from C
//   core.lensForm()    // the lens tool's words (the Node build only)

/**
 * The composer's four entries, as typed.
 * @typedef {{ aPower: string, aBase: string, bPower: string, bBase: string }} Entries
 */
/**
 * A point in window coordinates, in twips: x to the right, y downward.
 * @typedef {{ x: number, y: number }} Point
 */
/**
 * C read as one eye's prism: that eye's parts, a line each ("3.0△ BI\n4.0△
 * BU"), and each eye's half, the right eye's then the left's, its prism then
 * its parts, a line each.
 * @typedef {{ parts: string, split: string[] }} Reading
 */
/**
 * C for each eye, in the words of a lens order. `needed` is false where the
 * result line's power reads 0.0: `none` then says no prism is needed and the
 * rest is empty. `copyRight` and `copyLeft` are each eye's parts joined,
 * empty where none is written.
 * @typedef {{ needed: boolean, none: string, asRight: Reading, asLeft: Reading, copyRight: string,
 *   copyLeft: string }} Eyes
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
 * One eye's entries in the lens tool, as typed, and each size's way by name:
 * the lens, the centre's offset, the prism wanted (a finished pair's order)
 * and the prism read at a finished lens's prism reference point.
 * @typedef {{ sphere: string, cylinder: string, axis: string, centreX: string, centreY: string,
 *   prismX: string, prismY: string, readX: string, readY: string, centreXWay: 'in' | 'out',
 *   centreYWay: 'up' | 'down', prismXWay: 'in' | 'out', prismYWay: 'up' | 'down', readXWay: 'in' | 'out',
 *   readYWay: 'up' | 'down' }} LensEye
 */
/**
 * One press of the lens tool's compute: both eyes, and the reading point's
 * depth and inset (mm) as typed.
 * @typedef {{ right: LensEye, left: LensEye, depth: string, inset: string }} LensEntries
 */
/**
 * One eye's results in an order's words: the prism from the decentration,
 * the decentration for the prism wanted (or why not), both as its copy
 * takes them, and the prism as B's entries take it (none where it has none).
 * @typedef {{ prism: string, offset: string, copy: string,
 *   b: { power: string, direction: string } | null }} LensEyeShown
 */
/**
 * What the lens tool shows: each eye's results (none where it has no lens
 * or is refused), the lines of where the wearer reads and the copy a lab
 * order takes (none where an entry is refused; the copy empty where there
 * is nothing to copy), the lines of the check of a finished pair and their
 * copy (none until a reading is entered), and the first refused entry: its
 * eye (none for the reading point's), its key and its message.
 * @typedef {{ right: LensEyeShown | null, left: LensEyeShown | null,
 *   near: { lines: string[], copy: string } | null, check: { lines: string[], copy: string } | null,
 *   refused: { eye: 'right' | 'left' | null, entry: string, message: string } | null }} LensShown
 */
/**
 * The prisms wanted filled from C's components as the composer's value
 * gives them, in one of four ways.
 * @typedef {{ c: { x: number, y: number }, fill: 'as right' | 'split as right' | 'as left' |
 *   'split as left' }} Fill
 */
/**
 * Each eye's prism wanted, as its entries take it (sizes empty where that
 * eye's are emptied).
 * @typedef {{ prismX: string, prismY: string, prismXWay: 'in' | 'out', prismYWay: 'up' | 'down' }} Wanted
 */
/**
 * The record as it stands: the entries' texts (AP and BP one-decimal once
 * scaled), C's one-decimal power and result line, the scale and the ends
 * of the scaled vectors, for the agreement test.
 * @typedef {{ AP: string, ABase: string, BP: string, BBase: string, CP: string,
 *   result: string, MAG: number, ends: Point[] }} Record
 */

/**
 * @param {any} module  the module's factory's answer
 */
export function wrap(module) {
  /** @param {(value: number) => number} fn @param {object} [value] */
  const call = (fn, value = {}) => {
    const text = JSON.stringify(value);
    const size = module.lengthBytesUTF8(text) + 1;
    const pointer = module._malloc(size);
    module.stringToUTF8(text, pointer, size);
    const answer = fn(pointer);
    try {
      const read = JSON.parse(module.UTF8ToString(answer));
      if (read.error) throw new Error(`the calculator's core: ${read.error}`);
      return read;
    } finally {
      module._free(answer);
      module._free(pointer);
    }
  };
  return {
    /** @param {Entries} entries @returns {Shown} */
    compute: (entries) => call(module._prism_compute, entries),
    /** @returns {any} */
    form: () => call(module._prism_form),
    /** @returns {Record} */
    record: () => call(module._prism_record),
    /** @param {LensEntries} entries @returns {LensShown} */
    lens: (entries) => call(module._prism_lens, entries),
    /** @param {Fill} value @returns {{ right: Wanted, left: Wanted }} */
    fill: (value) => call(module._prism_lens_fill, value),
    /** @returns {any} */
    lensForm: () => call(module._prism_lens_form),
  };
}

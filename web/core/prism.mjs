// SPDX-License-Identifier: MIT
// The one way JavaScript reaches the WebAssembly module (bindings.h): the
// page, the tests and the build's tools all call it through this. Texts go
// in and out through the module's heap, so an entry of any length fits
// (the module's stack is small), and come back as JavaScript strings.
//
//   const core = wrap(await createCore());
//   core.compute('3', '0', '4', '90') === core.outcomes.Composed
//   core.resultText()  core.diagramText()  core.hasScale()
//   core.eyes()   // the result for each eye (bindings.h: prism_eyes_json)
//   core.origin()  core.end(0)   // { x, y } in twips: A 0, B 1, C 2
//   core.formJson()
//   core.powerText(0)  core.scale()   // for the agreement test
export function wrap(module) {
  const text = (pointer) => module.UTF8ToString(pointer);
  const point = (x, y) => ({ x, y });
  const withTexts = (texts, use) => {
    const pointers = texts.map((s) => {
      const size = module.lengthBytesUTF8(s) + 1;
      const pointer = module._malloc(size);
      module.stringToUTF8(s, pointer, size);
      return pointer;
    });
    try {
      return use(...pointers);
    } finally {
      pointers.forEach((p) => module._free(p));
    }
  };
  return {
    outcomes: JSON.parse(text(module._prism_outcomes())),
    compute: (aPower, aBase, bPower, bBase) =>
      withTexts([aPower, aBase, bPower, bBase], (...pointers) => module._prism_compute(...pointers)),
    resultText: () => text(module._prism_result_text()),
    diagramText: () => text(module._prism_diagram_text()),
    eyes: () => JSON.parse(text(module._prism_eyes_json())),
    hasScale: () => module._prism_has_scale() === 1,
    origin: () => point(module._prism_origin_x(), module._prism_origin_y()),
    end: (vector) => point(module._prism_end_x(vector), module._prism_end_y(vector)),
    formJson: () => text(module._prism_form_json()),
    powerText: (which) => text(module._prism_power_text(which)),
    scale: () => module._prism_scale(),
  };
}

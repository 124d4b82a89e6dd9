// SPDX-License-Identifier: MIT
// The shape of lens-words.js, which the site's build writes from the
// description (tools/page.mjs, the module's prism_lens_form).
export interface EyeCaptions {
  key: 'right' | 'left';
  eye: string;
  names: string[];
  choices: string[];
  intoB: string;
  copy: string;
}
declare const words: {
  title: string;
  groups: string[];
  entries: { key: string; group: number; label: string; ways: boolean }[];
  eyes: EyeCaptions[];
  offsetWays: string[];
  prismChoices: string[];
  compute: string;
  fillHeading: string;
  fills: { fill: 'as right' | 'split as right' | 'as left' | 'split as left'; caption: string }[];
  nearHeading: string;
  depthLabel: string;
  depthName: string;
  depthAtStart: string;
  insetLabel: string;
  insetName: string;
  copyNear: string;
  checkHeading: string;
  checkScope: string;
  checkOrdered: string;
  copyCheck: string;
};
export default words;

// SPDX-License-Identifier: MIT
// The JavaScript's lint: ESLint's recommended rules. The page and the
// module's wrapper run in a browser; the tests, tools and benchmark in Node,
// and hand functions to the browser to run there.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['node_modules/', 'test-results/'] },
  js.configs.recommended,
  { files: ['page/**/*.js', 'core/**/*.mjs'], languageOptions: { globals: globals.browser } },
  {
    files: ['*.mjs', 'tests/**/*.mjs', 'tools/**/*.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];

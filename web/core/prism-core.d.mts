// SPDX-License-Identifier: MIT
// The core's module as emscripten builds it (prism-core.mjs): its factory,
// whose answer prism.mjs's wrap() takes.
declare const create: (options?: {
  locateFile?: (file: string, folder: string) => string;
}) => Promise<object>;
export default create;

// SPDX-License-Identifier: MIT
// The lens tool's module as emscripten builds it (prism-lens.mjs): its
// factory, whose answer prism.mjs's wrap() takes.
declare const create: () => Promise<object>;
export default create;

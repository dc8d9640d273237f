// Whether the program has drawn with what it was just given: an edit given
// to the program is on trial until the browser has shown a few frames since
// and the GPU has finished them. An edit that keeps the GPU busy for ever (a
// loop too long), or that crashes the tab, never passes.

// Frames shown before an edit counts as drawn.
const FramesToShow = 3;

const nextFrame = () => new Promise((resolve) => requestAnimationFrame(resolve));

// Resolves to true once FramesToShow frames have been shown on canvas and
// the GPU is done with them; to false if the WebGL context is lost meanwhile.
export async function framesDrawn(canvas) {
  for (let i = 0; i < FramesToShow; i++) await nextFrame();
  const context = canvas.getContext('webgl');
  if (!context || context.isContextLost()) return false;
  // Reading a pixel waits for every draw before it to finish.
  context.readPixels(0, 0, 1, 1, context.RGBA, context.UNSIGNED_BYTE, new Uint8Array(4));
  return !context.isContextLost();
}

// The handle at the picture's corner: dragging it resizes the canvas, and
// the program reshapes its view to follow, as a desktop window's would.
export function followResizeHandle(handle, canvas) {
  handle.addEventListener('pointerdown', (down) => {
    down.preventDefault();
    handle.setPointerCapture(down.pointerId);
    const start = { x: down.clientX, y: down.clientY, width: canvas.clientWidth, height: canvas.clientHeight };
    const move = (event) => {
      canvas.style.width = `${Math.max(1, start.width + event.clientX - start.x)}px`;
      canvas.style.height = `${Math.max(1, start.height + event.clientY - start.y)}px`;
    };
    const up = () => {
      handle.removeEventListener('pointermove', move);
      handle.removeEventListener('pointerup', up);
      canvas.focus();
    };
    handle.addEventListener('pointermove', move);
    handle.addEventListener('pointerup', up);
  });
}

// The web build's GLUT: the page's canvas is the program's one window, with
// its WebGL context, its size (the projection follows it, as reshape does),
// the keys typed while it has the focus, its pointers (mouse, pen and
// fingers, through Pointer Events) and wheel, timers, and an event loop that
// draws once per animation frame. It only translates the browser's events
// into GLUT's callbacks: what a drag, a pinch or a double click does is the
// program's business. When a callback ends the program (Escape
// calls exit), nothing of it runs again; the page learns of it through
// Module.onExit. When the browser takes the context away, no frame is drawn
// and no timer runs until it gives it back; then the program makes its GL
// objects again (glutGraphicsResetFunc) and goes on where it was. The page
// is told through Module.onGraphicsLost and Module.onGraphicsRestored.
var LibraryGlut = {
  $Glut: {
    startTime: 0,
    windowWidth: 300, windowHeight: 300,   // as glutInitWindowSize asked
    display: 0, reshape: 0, special: 0, keyboard: 0, idle: 0,   // the callbacks
    mouse: 0, motion: 0, wheel: 0, multiButton: 0, multiMotion: 0,
    pointersDown: null,   // the ids of the pointers pressed on the canvas, a Set made by glutInit
    wheelPixels: 0,       // a touchpad's scrolling not yet handed on as a notch
    redisplayPosted: false,
    running: true,
    timers: null,   // the pending timeouts, a Set made by glutInit
    shownWidth: -1, shownHeight: -1,   // the size reshape was last told
    lost: false,    // the WebGL context is gone
    heldTimers: [],   // timers due while it was gone, to run once it is back
    graphicsReset: 0,   // the program's callback for a context given back

    // The browser's names of the keys GLUT hands the special callback.
    specialKeys: {
      F1: 1, F2: 2, F3: 3, F4: 4, F5: 5, F6: 6, F7: 7, F8: 8, F9: 9, F10: 10, F11: 11, F12: 12,
      ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103,
      PageUp: 104, PageDown: 105, Home: 106, End: 107, Insert: 108,
    },
    // Keys that type a character without being one.
    controlKeys: { Escape: 27, Enter: 13, Backspace: 8, Delete: 127 },
    // A mouse wheel's notch scrolls about 50 to 120 pixels; a touchpad
    // scrolls a few at a time, and this many of them make a notch.
    notchPixels: 100,

    // Runs one of the program's callbacks. exit() inside it ends the
    // program: no callback runs after that.
    run: function(callback) {
      if (!Glut.running) return;
      try {
        callback();
      } catch (e) {
        if (!(e instanceof ExitStatus)) throw e;
        Glut.stop();
      }
    },

    stop: function() {
      Glut.running = false;
      Glut.timers.forEach(clearTimeout);
      Glut.timers.clear();
      Glut.heldTimers = [];
      Glut.listen(false);
    },

    // The canvas's events, listened to or no longer.
    listen: function(on) {
      var canvas = Module.canvas, listen = on ? canvas.addEventListener : canvas.removeEventListener;
      listen.call(canvas, 'keydown', Glut.onKeyDown);
      listen.call(canvas, 'pointerdown', Glut.onPointerDown);
      listen.call(canvas, 'pointermove', Glut.onPointerMove);
      listen.call(canvas, 'pointerup', Glut.onPointerUp);
      listen.call(canvas, 'pointercancel', Glut.onPointerUp);
      listen.call(canvas, 'wheel', Glut.onWheel, { passive: false });
    },

    onKeyDown: function(event) {
      // Keys with Ctrl, Alt or Meta are the browser's (reload, find, ...).
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      var special = Glut.specialKeys[event.key];
      var character = Glut.controlKeys[event.key];
      if (character === undefined && event.key.length === 1 && event.key.charCodeAt(0) < 128)
        character = event.key.charCodeAt(0);
      // Tab moves the focus on, unless the program has a use for it just
      // now (Glitter's knob panel, while it is shown).
      if (event.key === 'Tab' && Module['_glitter_takes_tab'] && Module['_glitter_takes_tab']())
        character = 9;
      if (special !== undefined && Glut.special) {
        Glut.run(function() { {{{ makeDynCall('viii', 'Glut.special') }}}(special, 0, 0); });
      } else if (character !== undefined && Glut.keyboard) {
        Glut.run(function() { {{{ makeDynCall('viii', 'Glut.keyboard') }}}(character, 0, 0); });
      } else {
        return;   // Tab, say: it moves the focus on
      }
      // The program's keys are not the page's: arrows and Page Down would scroll it.
      event.preventDefault();
    },

    // Where a pointer event is, in the canvas's pixels (one per page pixel),
    // from its top left corner as GLUT counts.
    at: function(event) {
      var box = Module.canvas.getBoundingClientRect();
      return [Math.round(event.clientX - box.left), Math.round(event.clientY - box.top)];
    },

    // Every pointer pressed on the canvas is one of GLUT's multiple pointers,
    // with the browser's id; the primary one (the mouse, the first finger)
    // is also GLUT's mouse, with its left button.
    pointerButton: function(event, state) {
      var at = Glut.at(event);
      if (Glut.multiButton)
        Glut.run(function() { {{{ makeDynCall('viiiii', 'Glut.multiButton') }}}(event.pointerId, at[0], at[1], 0, state); });
      if (event.isPrimary && Glut.mouse)
        Glut.run(function() { {{{ makeDynCall('viiii', 'Glut.mouse') }}}(0, state, at[0], at[1]); });
    },

    onPointerDown: function(event) {
      if (event.button !== 0) return;   // the mouse's left button, a finger, a pen's tip
      // Keep the pointer's moves while it is held, even off the canvas; take
      // the focus, for the keys, but start no text selection.
      Module.canvas.setPointerCapture(event.pointerId);
      Module.canvas.focus({ preventScroll: true });
      event.preventDefault();
      Glut.pointersDown.add(event.pointerId);
      Glut.pointerButton(event, 0);   // GLUT_DOWN
    },

    onPointerMove: function(event) {
      if (!Glut.pointersDown.has(event.pointerId)) return;   // moves with nothing held mean nothing here
      var at = Glut.at(event);
      if (Glut.multiMotion)
        Glut.run(function() { {{{ makeDynCall('viii', 'Glut.multiMotion') }}}(event.pointerId, at[0], at[1]); });
      if (event.isPrimary && Glut.motion)
        Glut.run(function() { {{{ makeDynCall('vii', 'Glut.motion') }}}(at[0], at[1]); });
    },

    // Released, or taken by the browser (a gesture of its own, say).
    onPointerUp: function(event) {
      if (Glut.pointersDown.delete(event.pointerId)) Glut.pointerButton(event, 1);   // GLUT_UP
    },

    // Each notch towards or away from the user is one call, with direction
    // +1 away (deltaY below 0), -1 towards, as freeglut's wheel callback
    // has it. A notch of a mouse wheel comes as one large delta; a
    // touchpad's small deltas are added up into notches.
    onWheel: function(event) {
      event.preventDefault();   // the wheel is the picture's, not the page's scrolling
      var pixels = event.deltaY * [1, 40, Module.canvas.clientHeight][event.deltaMode];
      var notches = 0;
      if (Math.abs(pixels) >= Glut.notchPixels / 2) {
        notches = Math.sign(pixels);
        Glut.wheelPixels = 0;
      } else {
        Glut.wheelPixels += pixels;
        notches = Math.trunc(Glut.wheelPixels / Glut.notchPixels);
        Glut.wheelPixels -= notches * Glut.notchPixels;
      }
      var at = Glut.at(event);
      for (; notches !== 0 && Glut.wheel; notches -= Math.sign(notches)) {
        var direction = -Math.sign(notches);
        Glut.run(function() { {{{ makeDynCall('viiii', 'Glut.wheel') }}}(0, direction, at[0], at[1]); });
      }
    },

    // The context is gone, and with it every GL object: nothing may draw
    // or build against it until it is back.
    onContextLost: function(event) {
      event.preventDefault();   // or the browser never gives it back
      if (!Glut.running) return;
      Glut.lost = true;
      if (Module.onGraphicsLost) Module.onGraphicsLost();
    },

    // Extensions enabled on the old context are not on the new one: enable
    // them again, Emscripten's own and the derivatives the shaders may use.
    enableExtensions: function(context) {
      context.initExtensionsDone = false;
      GL.initExtensions(context);
      context.GLctx.getExtension('OES_standard_derivatives');
    },

    onContextRestored: function() {
      if (!Glut.running || !Glut.lost) return;
      Glut.enableExtensions(GL.currentContext);
      Glut.lost = false;
      if (Glut.graphicsReset)
        Glut.run(function() { {{{ makeDynCall('v', 'Glut.graphicsReset') }}}(); });
      if (!Glut.running) return;
      Glut.shownWidth = Glut.shownHeight = -1;   // reshape sets the viewport again
      requestAnimationFrame(Glut.frame);
      var held = Glut.heldTimers;
      Glut.heldTimers = [];
      held.forEach(function(timer) { timer(); });
      if (Module.onGraphicsRestored) Module.onGraphicsRestored();
    },

    // One pass of the event loop, once per animation frame: a new size
    // first, then idle, then the display if one was posted. None while the
    // context is gone: the loop starts again when it is back.
    frame: function() {
      if (!Glut.running || Glut.lost) return;
      var canvas = Module.canvas;
      var width = canvas.clientWidth, height = canvas.clientHeight;
      if (width !== Glut.shownWidth || height !== Glut.shownHeight) {
        Glut.shownWidth = width;
        Glut.shownHeight = height;
        canvas.width = width;   // one pixel of the picture per pixel of the page
        canvas.height = height;
        Glut.redisplayPosted = true;
        if (Glut.reshape)
          Glut.run(function() { {{{ makeDynCall('vii', 'Glut.reshape') }}}(width, height); });
      }
      if (Glut.idle) Glut.run(function() { {{{ makeDynCall('v', 'Glut.idle') }}}(); });
      if (Glut.redisplayPosted && Glut.display) {
        Glut.redisplayPosted = false;
        Glut.run(function() { {{{ makeDynCall('v', 'Glut.display') }}}(); });
      }
      if (Glut.running) requestAnimationFrame(Glut.frame);
    },
  },

  glutInit: function(argc, argv) {
    Glut.startTime = performance.now();
    Glut.timers = new Set();
    Glut.pointersDown = new Set();
  },

  // The canvas's context always has colour and depth, as the program asks.
  glutInitDisplayMode: function(mode) {},

  glutInitWindowSize: function(width, height) {
    Glut.windowWidth = width;
    Glut.windowHeight = height;
  },

  glutCreateWindow__deps: ['$GL'],
  glutCreateWindow: function(title) {
    document.title = UTF8ToString(title);
    var canvas = Module.canvas;
    canvas.style.width = Glut.windowWidth + 'px';
    canvas.style.height = Glut.windowHeight + 'px';
    if (canvas.tabIndex < 0) canvas.tabIndex = 0;   // so that it can take the keys
    // A drag or a pinch on the picture is the program's: the browser must
    // not scroll or zoom the page with it.
    canvas.style.touchAction = 'none';
    Glut.listen(true);
    // No alpha in the canvas: the page would show through Fire's blend.
    var context = GL.createContext(canvas, {
      majorVersion: 1, minorVersion: 0, alpha: false, depth: true, stencil: false,
      antialias: false, premultipliedAlpha: false, preserveDrawingBuffer: false,
    });
    if (context) {
      GL.makeContextCurrent(context);
      Glut.enableExtensions(GL.currentContext);
      canvas.addEventListener('webglcontextlost', Glut.onContextLost);
      canvas.addEventListener('webglcontextrestored', Glut.onContextRestored);
    }
    return 1;
  },

  // Not GLUT's: what makes the program's GL objects again when a lost
  // context is given back (gl/graphics_reset.h).
  glutGraphicsResetFunc: function(callback) { Glut.graphicsReset = callback; },

  glutDisplayFunc: function(callback) { Glut.display = callback; },
  glutReshapeFunc: function(callback) { Glut.reshape = callback; },
  glutSpecialFunc: function(callback) { Glut.special = callback; },
  glutKeyboardFunc: function(callback) { Glut.keyboard = callback; },
  glutIdleFunc: function(callback) { Glut.idle = callback; },
  glutMouseFunc: function(callback) { Glut.mouse = callback; },
  glutMotionFunc: function(callback) { Glut.motion = callback; },
  glutMouseWheelFunc: function(callback) { Glut.wheel = callback; },
  glutMultiButtonFunc: function(callback) { Glut.multiButton = callback; },
  glutMultiMotionFunc: function(callback) { Glut.multiMotion = callback; },

  // A timer due while the context is gone waits for it to come back.
  glutTimerFunc: function(milliseconds, callback, value) {
    var fire = function() {
      Glut.run(function() { {{{ makeDynCall('vi', 'callback') }}}(value); });
    };
    var id = setTimeout(function() {
      Glut.timers.delete(id);
      if (Glut.lost) Glut.heldTimers.push(fire);
      else fire();
    }, milliseconds);
    Glut.timers.add(id);
  },

  // GLUT_ELAPSED_TIME, the one value the program asks for: whole milliseconds since glutInit.
  glutGet: function(what) {
    return what === 0x02BC ? Math.floor(performance.now() - Glut.startTime) : 0;
  },

  glutPostRedisplay: function() { Glut.redisplayPosted = true; },

  // The browser shows what was drawn when the frame's callbacks return.
  glutSwapBuffers: function() {},

  // Never returns, as on the desktop: main unwinds to the browser, which
  // calls back from then on.
  glutMainLoop: function() {
    requestAnimationFrame(Glut.frame);
    throw 'unwind';
  },
};

autoAddDeps(LibraryGlut, '$Glut');
mergeInto(LibraryManager.library, LibraryGlut);

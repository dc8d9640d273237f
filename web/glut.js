// The web build's GLUT: the page's canvas is the program's one window, with
// its WebGL context, its size (the projection follows it, as reshape does),
// the keys typed while it has the focus, timers, and an event loop that
// draws once per animation frame. When a callback ends the program (Escape
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
      Module.canvas.removeEventListener('keydown', Glut.onKeyDown);
    },

    onKeyDown: function(event) {
      // Keys with Ctrl, Alt or Meta are the browser's (reload, find, ...).
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      var special = Glut.specialKeys[event.key];
      var character = Glut.controlKeys[event.key];
      if (character === undefined && event.key.length === 1 && event.key.charCodeAt(0) < 128)
        character = event.key.charCodeAt(0);
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
    canvas.addEventListener('keydown', Glut.onKeyDown);
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

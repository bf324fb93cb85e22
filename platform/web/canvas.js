// The canvas side of the browser layer. The page's canvas is the window; every
// frame is drawn into a back buffer of the same size, shown by web_swap. The
// program works in CSS pixels, with the origin at the bottom left as GL counts
// them; both buffers hold device pixels (CSS size times devicePixelRatio), and
// the drawing is scaled once so that sizes keep their CSS values.
mergeInto(LibraryManager.library, {
  $webWindow: {
    front: null,
    back: null,
    ctx: null,
    width: 0,    // the window's size in CSS pixels, as the program sees it
    height: 0,
    scale: 1,    // device pixels per CSS pixel
    glyphs: {},  // thresholded characters, by character, colour and scale
    labels: '',  // the text labels last put on the page
  },

  $webResize__deps: ['$webWindow'],
  $webResize: function(width, height, scale) {
    var w = webWindow;
    w.width = width;
    w.height = height;
    w.scale = scale;
    w.front.width = w.back.width = Math.round(width * scale);
    w.front.height = w.back.height = Math.round(height * scale);
    w.ctx.setTransform(scale, 0, 0, scale, 0, 0);  // resizing a canvas resets its transform
  },

  // The canvas's laid-out size in whole CSS pixels, and the device's ratio.
  $webMeasure__deps: ['$webWindow'],
  $webMeasure: function() {
    var rect = webWindow.front.getBoundingClientRect();
    return {width: Math.round(rect.width), height: Math.round(rect.height), scale: window.devicePixelRatio || 1};
  },

  $webColor: function(r, g, b) {
    return 'rgb(' + Math.round(r * 255) + ',' + Math.round(g * 255) + ',' + Math.round(b * 255) + ')';
  },

  // The canvas takes the page's width up to the program's window size, keeping its
  // aspect ratio; the window size written back is the one it was laid out at.
  web_create_window__deps: ['$webWindow', '$webResize', '$webMeasure'],
  web_create_window: function(title, widthPtr, heightPtr) {
    document.title = UTF8ToString(title);
    var canvas = webWindow.front = Module['canvas'];
    var width = HEAP32[widthPtr >> 2], height = HEAP32[heightPtr >> 2];
    canvas.style.width = '100%';
    canvas.style.maxWidth = width + 'px';
    canvas.style.aspectRatio = width + ' / ' + height;
    canvas.style.touchAction = 'none';  // a drag on the canvas never scrolls, zooms or navigates
    canvas.style.userSelect = canvas.style.webkitUserSelect = 'none';
    webWindow.back = document.createElement('canvas');
    webWindow.ctx = webWindow.back.getContext('2d');
    var size = webMeasure();
    if (size.width > 0 && size.height > 0) {
      width = HEAP32[widthPtr >> 2] = size.width;
      height = HEAP32[heightPtr >> 2] = size.height;
    }
    webResize(width, height, size.scale);
  },

  web_clear__deps: ['$webWindow'],
  web_clear: function() {
    var ctx = webWindow.ctx;
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, webWindow.width, webWindow.height);
  },

  // GL_POINTS (0) as discs of the point size; GL_LINES (1), GL_LINE_LOOP (2),
  // GL_LINE_STRIP (3) and GL_POLYGON (9, always an outline) as segments of the line
  // width. A segment between two colours blends them along its length, as GL's
  // smooth shading does.
  web_draw__deps: ['$webWindow', '$webColor'],
  web_draw: function(mode, vertices, count, pointSize, lineWidth) {
    var ctx = webWindow.ctx, height = webWindow.height, base = vertices >> 2;
    var v = [];
    for (var i = 0; i < count; ++i) {
      var k = base + 5 * i;
      v.push({x: HEAPF32[k], y: height - HEAPF32[k + 1],
              color: webColor(HEAPF32[k + 2], HEAPF32[k + 3], HEAPF32[k + 4])});
    }
    if (mode === 0) {
      v.forEach(function(p) {
        ctx.fillStyle = p.color;
        ctx.beginPath();
        ctx.arc(p.x, p.y, pointSize / 2, 0, 2 * Math.PI);
        ctx.fill();
      });
      return;
    }
    function segment(a, b) {
      var style = a.color;
      if (a.color !== b.color) {
        style = ctx.createLinearGradient(a.x, a.y, b.x, b.y);
        style.addColorStop(0, a.color);
        style.addColorStop(1, b.color);
      }
      ctx.strokeStyle = style;
      ctx.lineWidth = lineWidth;
      ctx.beginPath();
      ctx.moveTo(a.x, a.y);
      ctx.lineTo(b.x, b.y);
      ctx.stroke();
    }
    if (mode === 1) {
      for (var j = 0; j + 1 < count; j += 2) segment(v[j], v[j + 1]);
      return;
    }
    for (var s = 0; s + 1 < count; ++s) segment(v[s], v[s + 1]);
    if ((mode === 2 || mode === 9) && count > 2) segment(v[count - 1], v[0]);
  },

  // An 8x13 cell: 11 rows above the baseline, 2 below. The monospace font is
  // rendered once per character, colour and scale at the device's resolution and
  // thresholded to whole device pixels, so text is crisp and in its exact colour,
  // as a bitmap font is.
  web_character__deps: ['$webWindow', '$webColor'],
  web_character: function(c, x, y, r, g, b) {
    var scale = webWindow.scale, color = webColor(r, g, b), key = c + ' ' + color + ' ' + scale;
    var glyph = webWindow.glyphs[key];
    if (!glyph) {
      glyph = document.createElement('canvas');
      glyph.width = Math.round(8 * scale);
      glyph.height = Math.round(13 * scale);
      var gctx = glyph.getContext('2d', {willReadFrequently: true});
      gctx.font = 13 * scale + 'px monospace';
      gctx.textBaseline = 'alphabetic';
      gctx.fillStyle = '#fff';
      gctx.fillText(String.fromCharCode(c), 0, 11 * scale);
      var image = gctx.getImageData(0, 0, glyph.width, glyph.height), px = image.data;
      var rgb = [Math.round(r * 255), Math.round(g * 255), Math.round(b * 255)];
      for (var i = 0; i < px.length; i += 4) {
        var on = px[i + 3] >= 128;
        px[i] = rgb[0];
        px[i + 1] = rgb[1];
        px[i + 2] = rgb[2];
        px[i + 3] = on ? 255 : 0;
      }
      gctx.putImageData(image, 0, 0);
      webWindow.glyphs[key] = glyph;
    }
    // As GL places a bitmap: its lower left corner on the whole pixel below and left of the
    // raster position, less the font's origin (2 rows below the baseline). The glyph is
    // copied unscaled onto whole device pixels, so no smoothing softens it.
    var ctx = webWindow.ctx;
    ctx.save();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.drawImage(glyph, Math.round(Math.floor(x) * scale),
                  Math.round((webWindow.height - Math.floor(y) - 11) * scale));
    ctx.restore();
  },

  // Shows the back buffer, and puts the frame's text labels (one per line) on the
  // page when they differ from those shown, so that a screen reader announces
  // only changes.
  web_swap__deps: ['$webWindow'],
  web_swap: function(labels) {
    webWindow.front.getContext('2d').drawImage(webWindow.back, 0, 0);
    var text = UTF8ToString(labels), element = Module['labels'];
    if (element && text !== webWindow.labels) element.textContent = text;
    webWindow.labels = text;
  },

  // Pointer input in window pixels from the top left. A mouse acts as on the
  // desktop: its left, middle and right buttons are GLUT's 0, 1 and 2, and a press
  // on the canvas keeps the pointer until the last button is released (motion with
  // a button held goes to the motion callback even outside the canvas, motion with
  // none to the passive callback while over the canvas); a press elsewhere on the
  // page gives the program nothing; the vertical wheel gives a press and a release
  // of button 3 (up) or 4 (down). A finger or a pen is the left button. Only the
  // primary pointer drives the program, and only one pointer at a time.
  web_listen__deps: ['$webWindow', '$webResize', '$webMeasure'],
  web_listen: function() {
    var canvas = webWindow.front;
    var active = null;  // the pointer that pressed on the canvas, until it lets go
    var held = 0;       // GLUT buttons that pointer holds, as bits
    var last = [0, 0];  // where that pointer was last seen
    var domBit = [1, 4, 2];  // PointerEvent.buttons bit of the left, middle and right button

    function at(e) {
      var rect = canvas.getBoundingClientRect();
      return [Math.floor(e.clientX - rect.left), Math.floor(e.clientY - rect.top)];
    }
    function buttonOf(e) { return e.pointerType === 'mouse' ? e.button : 0; }
    function isButton(b) { return b === 0 || b === 1 || b === 2; }
    function press(e, b) {
      var p = last = at(e);
      if (active === null) {
        active = e.pointerId;
        // Synthetic events have no pointer to capture.
        try { canvas.setPointerCapture(e.pointerId); } catch (error) {}
      }
      held |= 1 << b;
      _web_mouse(b, 0, p[0], p[1]);
    }
    function release(b, p) {
      held &= ~(1 << b);
      if (!held) active = null;
      _web_mouse(b, 1, p[0], p[1]);
    }
    function releaseAll(p) {
      for (var b = 0; b < 3; ++b) if (held & (1 << b)) release(b, p);
      active = null;
    }
    function ours(e) { return active === null ? e.isPrimary : e.pointerId === active; }

    canvas.addEventListener('pointerdown', function(e) {
      var b = buttonOf(e);
      if (!ours(e) || !isButton(b) || (held & (1 << b))) return;
      e.preventDefault();
      // A finger has no hover: it arrives where it touches, as a mouse would move there first.
      if (e.pointerType === 'touch' && active === null) {
        var p = at(e);
        _web_motion(0, p[0], p[1]);
      }
      press(e, b);
    });
    canvas.addEventListener('pointermove', function(e) {
      if (!ours(e)) return;
      var b = buttonOf(e);
      if (e.pointerType === 'mouse' && isButton(e.button)) {
        // Another mouse button pressed or released while one is held.
        if (e.buttons & domBit[b]) press(e, b);
        else if (held & (1 << b)) release(b, at(e));
        return;
      }
      if (e.buttons === 0 && held) {  // a release the page never saw
        held = 0;
        active = null;
      }
      var p = at(e);
      if (held) {
        last = p;
        _web_motion(1, p[0], p[1]);
      } else if (e.buttons === 0 && e.pointerType !== 'touch') {
        _web_motion(0, p[0], p[1]);
      }
    });
    canvas.addEventListener('pointerup', function(e) {
      if (active === null || e.pointerId !== active) return;
      var b = buttonOf(e), p = at(e);
      if (held & (1 << b)) release(b, p);
      releaseAll(p);
    });
    // The browser took the pointer over (or lost it): the program sees a release where it was last.
    canvas.addEventListener('pointercancel', function(e) {
      if (active !== null && e.pointerId === active) releaseAll(last);
    });
    canvas.addEventListener('wheel', function(e) {
      if (e.deltaY === 0) return;  // sideways only: no wheel button of GLUT's
      e.preventDefault();
      var button = e.deltaY < 0 ? 3 : 4, p = at(e);
      _web_mouse(button, 0, p[0], p[1]);
      _web_mouse(button, 1, p[0], p[1]);
    }, {passive: false});
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });

    // A new size is a reshape for the program; a new device ratio only a redraw.
    function follow() {
      var size = webMeasure();
      if (size.width <= 0 || size.height <= 0) return;
      var resized = size.width !== webWindow.width || size.height !== webWindow.height;
      if (!resized && size.scale === webWindow.scale) return;
      webResize(size.width, size.height, size.scale);
      if (resized) _web_resize(size.width, size.height);
      else _web_refresh();
    }
    new ResizeObserver(follow).observe(canvas);
    window.addEventListener('resize', follow);
    // The ratio changes with the zoom or when the window moves to another screen.
    (function watchRatio() {
      matchMedia('(resolution: ' + webWindow.scale + 'dppx)').addEventListener('change', function() {
        follow();
        watchRatio();
      }, {once: true});
    })();
  },
});

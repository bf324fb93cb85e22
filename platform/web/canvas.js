// The canvas side of the browser layer. The page's canvas is the window; every
// frame is drawn into a back buffer of the same size, shown by web_swap. Window
// pixels come with the origin at the bottom left, as GL counts them.
mergeInto(LibraryManager.library, {
  $webWindow: {
    front: null,
    back: null,
    ctx: null,
    glyphs: {},  // thresholded characters, by character and colour
    held: 0,     // DOM buttons pressed on the canvas and not yet released
  },

  $webResize__deps: ['$webWindow'],
  $webResize: function(width, height) {
    webWindow.front.width = webWindow.back.width = width;
    webWindow.front.height = webWindow.back.height = height;
  },

  $webColor: function(r, g, b) {
    return 'rgb(' + Math.round(r * 255) + ',' + Math.round(g * 255) + ',' + Math.round(b * 255) + ')';
  },

  web_create_window__deps: ['$webWindow', '$webResize'],
  web_create_window: function(title, width, height) {
    document.title = UTF8ToString(title);
    webWindow.front = Module['canvas'];
    webWindow.back = document.createElement('canvas');
    webWindow.ctx = webWindow.back.getContext('2d');
    webResize(width, height);
  },

  web_clear__deps: ['$webWindow'],
  web_clear: function() {
    var ctx = webWindow.ctx;
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
  },

  // GL_POINTS (0) as discs of the point size; GL_LINES (1), GL_LINE_LOOP (2),
  // GL_LINE_STRIP (3) and GL_POLYGON (9, always an outline) as segments of the line
  // width. A segment between two colours blends them along its length, as GL's
  // smooth shading does.
  web_draw__deps: ['$webWindow', '$webColor'],
  web_draw: function(mode, vertices, count, pointSize, lineWidth) {
    var ctx = webWindow.ctx, height = ctx.canvas.height, base = vertices >> 2;
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
  // rendered once per character and colour and thresholded to whole pixels, so
  // text is crisp and in its exact colour, as a bitmap font is.
  web_character__deps: ['$webWindow', '$webColor'],
  web_character: function(c, x, y, r, g, b) {
    var color = webColor(r, g, b), key = c + ' ' + color;
    var glyph = webWindow.glyphs[key];
    if (!glyph) {
      glyph = document.createElement('canvas');
      glyph.width = 8;
      glyph.height = 13;
      var gctx = glyph.getContext('2d', {willReadFrequently: true});
      gctx.font = '13px monospace';
      gctx.textBaseline = 'alphabetic';
      gctx.fillStyle = '#fff';
      gctx.fillText(String.fromCharCode(c), 0, 11);
      var image = gctx.getImageData(0, 0, 8, 13), px = image.data;
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
    // raster position, less the font's origin (2 rows below the baseline).
    webWindow.ctx.drawImage(glyph, Math.floor(x), webWindow.ctx.canvas.height - Math.floor(y) - 11);
  },

  web_swap__deps: ['$webWindow'],
  web_swap: function() {
    webWindow.front.getContext('2d').drawImage(webWindow.back, 0, 0);
  },

  // Mouse events in window pixels from the top left. As with a desktop window,
  // a press on the canvas keeps the pointer until its release: motion with a
  // button held goes to the motion callback even outside the canvas, motion
  // without any button to the passive callback while over the canvas; a button
  // pressed elsewhere on the page gives the program nothing. The vertical wheel
  // gives a press and a release of button 3 (up) or 4 (down).
  web_listen__deps: ['$webWindow', '$webResize'],
  web_listen: function() {
    var canvas = webWindow.front;
    function at(e) {
      var rect = canvas.getBoundingClientRect();
      return [Math.floor(e.clientX - rect.left), Math.floor(e.clientY - rect.top)];
    }
    function isButton(b) { return b === 0 || b === 1 || b === 2; }  // left, middle, right: GLUT's codes too
    canvas.addEventListener('mousedown', function(e) {
      if (!isButton(e.button)) return;
      e.preventDefault();
      webWindow.held |= 1 << e.button;
      var p = at(e);
      _web_mouse(e.button, 0, p[0], p[1]);
    });
    window.addEventListener('mouseup', function(e) {
      var bit = 1 << e.button;
      if (!isButton(e.button) || !(webWindow.held & bit)) return;
      webWindow.held &= ~bit;
      var p = at(e);
      _web_mouse(e.button, 1, p[0], p[1]);
    });
    window.addEventListener('mousemove', function(e) {
      if (e.buttons === 0) webWindow.held = 0;  // a release the page never saw
      var p = at(e);
      if (webWindow.held) _web_motion(1, p[0], p[1]);
      else if (e.buttons === 0 && e.target === canvas) _web_motion(0, p[0], p[1]);
    });
    canvas.addEventListener('wheel', function(e) {
      if (e.deltaY === 0) return;  // sideways only: no wheel button of GLUT's
      e.preventDefault();
      var button = e.deltaY < 0 ? 3 : 4, p = at(e);
      _web_mouse(button, 0, p[0], p[1]);
      _web_mouse(button, 1, p[0], p[1]);
    }, {passive: false});
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    new ResizeObserver(function() {
      var width = canvas.clientWidth, height = canvas.clientHeight;
      if (width === canvas.width && height === canvas.height) return;
      webResize(width, height);
      _web_resize(width, height);
    }).observe(canvas);
  },
});

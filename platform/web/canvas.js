// The canvas side of the browser layer. The page's canvas is the window, always of
// the program's designed size in its own pixels (origin at the bottom left, as GL
// counts them). The page shows it at the size it has room for, keeping its aspect
// ratio: at most the designed size in CSS pixels, less on a narrower page, the
// whole screen in full screen. The backing store holds that CSS size times
// devicePixelRatio, so the figure is drawn sharp at the device's resolution.
//
// Each frame is recorded as the primitives and labels the program drew, then
// written out: onto the canvas at the swap, or as an SVG drawing on request.
mergeInto(LibraryManager.library, {
  $webWindow: {
    canvas: null,
    ctx: null,
    width: 0,    // the program's window, in window pixels
    height: 0,
    scaleX: 1,   // backing-store pixels per window pixel
    scaleY: 1,
    ratio: 1,    // the devicePixelRatio the backing store was sized for
    glyphs: {},  // thresholded characters, by character, colour and scale
    frame: [],   // what the program is drawing: primitives and labels, in order
    shown: [],   // the frame last swapped in
    labels: '',  // the text labels last put on the page
  },

  $webColor: function(r, g, b) {
    return 'rgb(' + Math.round(r * 255) + ',' + Math.round(g * 255) + ',' + Math.round(b * 255) + ')';
  },

  // The segments of a line primitive: GL_LINES (1) in pairs; GL_LINE_LOOP (2),
  // GL_LINE_STRIP (3) and GL_POLYGON (9, always an outline) from vertex to vertex,
  // the loop and the polygon closed.
  $webSegments: function(item) {
    var v = item.vertices, n = v.length, out = [];
    if (item.mode === 1) {
      for (var j = 0; j + 1 < n; j += 2) out.push([v[j], v[j + 1]]);
      return out;
    }
    for (var s = 0; s + 1 < n; ++s) out.push([v[s], v[s + 1]]);
    if ((item.mode === 2 || item.mode === 9) && n > 2) out.push([v[n - 1], v[0]]);
    return out;
  },

  // The canvas writer. Points (GL_POINTS, 0) are discs of the point size; segments have
  // the line width and blend their two colours along their length, as GL's smooth
  // shading does.
  $webPaintPrimitive__deps: ['$webWindow', '$webSegments'],
  $webPaintPrimitive: function(item) {
    var ctx = webWindow.ctx;
    if (item.mode === 0) {
      item.vertices.forEach(function(p) {
        ctx.fillStyle = p.color;
        ctx.beginPath();
        ctx.arc(p.x, p.y, item.pointSize / 2, 0, 2 * Math.PI);
        ctx.fill();
      });
      return;
    }
    webSegments(item).forEach(function(ab) {
      var a = ab[0], b = ab[1], style = a.color;
      if (a.color !== b.color) {
        style = ctx.createLinearGradient(a.x, a.y, b.x, b.y);
        style.addColorStop(0, a.color);
        style.addColorStop(1, b.color);
      }
      ctx.strokeStyle = style;
      ctx.lineWidth = item.lineWidth;
      ctx.beginPath();
      ctx.moveTo(a.x, a.y);
      ctx.lineTo(b.x, b.y);
      ctx.stroke();
    });
  },

  // An 8x13 cell: 11 rows above the baseline, 2 below. The monospace font is rendered
  // once per character, colour and scale at the backing store's resolution and
  // thresholded to whole pixels, so text is crisp and in its exact colour, as a bitmap
  // font is. At 11 pixels it has the bitmap font's proportions (x-height 6 rows,
  // ascenders 8) and its descenders end within the cell's 2 rows below the baseline;
  // at 13 the tails of g, p, q and y fell below the cell and were cut off.
  $webGlyph__deps: ['$webWindow'],
  $webGlyph: function(c, color, rgb) {
    var w = webWindow, key = c + ' ' + color + ' ' + w.scaleX + ' ' + w.scaleY;
    var glyph = w.glyphs[key];
    if (glyph) return glyph;
    glyph = w.glyphs[key] = document.createElement('canvas');
    glyph.width = Math.max(1, Math.round(8 * w.scaleX));
    glyph.height = Math.max(1, Math.round(13 * w.scaleY));
    var gctx = glyph.getContext('2d', {willReadFrequently: true});
    gctx.setTransform(w.scaleX / w.scaleY, 0, 0, 1, 0, 0);  // a window stretched unevenly stretches text too
    gctx.font = 11 * w.scaleY + 'px monospace';
    gctx.textBaseline = 'alphabetic';
    gctx.fillStyle = '#fff';
    gctx.fillText(String.fromCharCode(c), 0, 11 * w.scaleY);
    var image = gctx.getImageData(0, 0, glyph.width, glyph.height), px = image.data;
    for (var i = 0; i < px.length; i += 4) {
      var on = px[i + 3] >= 128;
      px[i] = rgb[0];
      px[i + 1] = rgb[1];
      px[i + 2] = rgb[2];
      px[i + 3] = on ? 255 : 0;
    }
    gctx.putImageData(image, 0, 0);
    return glyph;
  },

  // As GL places a bitmap: its lower left corner on the whole pixel below and left of the
  // raster position, less the font's origin (2 rows below the baseline). Glyphs are copied
  // unscaled onto whole backing-store pixels, so no smoothing softens them.
  $webPaintLabel__deps: ['$webWindow', '$webGlyph'],
  $webPaintLabel: function(label) {
    var w = webWindow, ctx = w.ctx;
    ctx.save();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    for (var i = 0; i < label.text.length; ++i) {
      ctx.drawImage(webGlyph(label.text.charCodeAt(i), label.color, label.rgb),
                    Math.round((label.x + 8 * i) * w.scaleX), Math.round((label.y - 11) * w.scaleY));
    }
    ctx.restore();
  },

  $webPaint__deps: ['$webWindow', '$webPaintPrimitive', '$webPaintLabel'],
  $webPaint: function(frame) {
    var w = webWindow, ctx = w.ctx;
    ctx.setTransform(w.scaleX, 0, 0, w.scaleY, 0, 0);
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, w.width, w.height);
    frame.forEach(function(item) {
      if (item.text === undefined) webPaintPrimitive(item);
      else webPaintLabel(item);
    });
  },

  // The SVG writer: the same frame at the designed size, points as circles, segments as
  // lines (a gradient where the two ends differ), each label as one <text> in a monospace
  // font stretched to the 8-pixel cells. For print, the background is white and what the
  // screen shows in white is black.
  $webDrawing__deps: ['$webWindow', '$webSegments'],
  $webDrawing: function(print) {
    var w = webWindow, body = [], defs = [];
    function num(x) { return String(Math.round(x * 1000) / 1000); }
    function ink(color) { return print && color === 'rgb(255,255,255)' ? 'rgb(0,0,0)' : color; }
    function escape(text) {
      return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
    }
    w.shown.forEach(function(item) {
      if (item.text !== undefined) {
        if (!item.text) return;
        body.push('<text x="' + item.x + '" y="' + item.y + '" fill="' + ink(item.color) +
                  '" font-family="monospace" font-size="13" textLength="' + 8 * item.text.length +
                  '" lengthAdjust="spacingAndGlyphs" xml:space="preserve">' + escape(item.text) + '</text>');
      } else if (item.mode === 0) {
        item.vertices.forEach(function(p) {
          body.push('<circle cx="' + num(p.x) + '" cy="' + num(p.y) + '" r="' + num(item.pointSize / 2) +
                    '" fill="' + ink(p.color) + '"/>');
        });
      } else {
        webSegments(item).forEach(function(ab) {
          var a = ab[0], b = ab[1], ends = ' x1="' + num(a.x) + '" y1="' + num(a.y) + '" x2="' + num(b.x) +
                                           '" y2="' + num(b.y) + '"';
          var stroke = ink(a.color);
          if (a.color !== b.color) {
            var id = 'blend' + defs.length;
            defs.push('<linearGradient id="' + id + '" gradientUnits="userSpaceOnUse"' + ends + '><stop offset="0" ' +
                      'stop-color="' + ink(a.color) + '"/><stop offset="1" stop-color="' + ink(b.color) +
                      '"/></linearGradient>');
            stroke = 'url(#' + id + ')';
          }
          body.push('<line' + ends + ' stroke="' + stroke + '" stroke-width="' + num(item.lineWidth) + '"/>');
        });
      }
    });
    return '<svg xmlns="http://www.w3.org/2000/svg" width="' + w.width + '" height="' + w.height +
           '" viewBox="0 0 ' + w.width + ' ' + w.height + '">\n' +
           (defs.length ? '<defs>' + defs.join('') + '</defs>\n' : '') +
           '<rect width="' + w.width + '" height="' + w.height + '" fill="' + (print ? '#fff' : '#000') + '"/>\n' +
           body.join('\n') + '\n</svg>\n';
  },

  // Sizes the backing store to the canvas's laid-out CSS size times the device's ratio;
  // false if nothing changed or the canvas is not laid out.
  $webFit__deps: ['$webWindow'],
  $webFit: function() {
    var w = webWindow, rect = w.canvas.getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
    var width = Math.round(Math.round(rect.width) * ratio), height = Math.round(Math.round(rect.height) * ratio);
    if (width <= 0 || height <= 0) return false;
    if (width === w.canvas.width && height === w.canvas.height && ratio === w.ratio) return false;
    w.canvas.width = width;
    w.canvas.height = height;
    w.ratio = ratio;
    w.scaleX = width / w.width;
    w.scaleY = height / w.height;
    return true;
  },

  web_create_window__deps: ['$webWindow', '$webFit', '$webDrawing'],
  web_create_window: function(title, width, height) {
    document.title = UTF8ToString(title);
    var w = webWindow, canvas = w.canvas = Module['canvas'];
    w.width = width;
    w.height = height;
    w.ctx = canvas.getContext('2d');
    canvas.style.width = '100%';
    canvas.style.maxWidth = width + 'px';
    canvas.style.aspectRatio = width + ' / ' + height;
    canvas.style.touchAction = 'none';  // a drag on the canvas never scrolls, zooms or navigates
    canvas.style.userSelect = canvas.style.webkitUserSelect = 'none';
    webFit();
    // For the page's own controls: the last frame as an SVG drawing, for the screen or for print.
    Module['drawing'] = webDrawing;
  },

  web_clear__deps: ['$webWindow'],
  web_clear: function() { webWindow.frame = []; },

  // One primitive: `count` vertices of x, y (window pixels from the bottom left), r, g, b.
  web_draw__deps: ['$webWindow', '$webColor'],
  web_draw: function(mode, vertices, count, pointSize, lineWidth) {
    var height = webWindow.height, base = vertices >> 2, v = [];
    for (var i = 0; i < count; ++i) {
      var k = base + 5 * i;
      v.push({x: HEAPF32[k], y: height - HEAPF32[k + 1],
              color: webColor(HEAPF32[k + 2], HEAPF32[k + 3], HEAPF32[k + 4])});
    }
    webWindow.frame.push({mode: mode, vertices: v, pointSize: pointSize, lineWidth: lineWidth});
  },

  // A label's cells start on the whole pixel at or left of the raster position; its
  // baseline is kept from the top, as the canvas counts.
  web_label__deps: ['$webWindow', '$webColor'],
  web_label: function(x, y, r, g, b) {
    webWindow.frame.push({x: Math.floor(x), y: webWindow.height - Math.floor(y), text: '',
                          color: webColor(r, g, b), rgb: [Math.round(r * 255), Math.round(g * 255), Math.round(b * 255)]});
  },

  web_character__deps: ['$webWindow'],
  web_character: function(c) {
    var frame = webWindow.frame;
    for (var i = frame.length - 1; i >= 0; --i) {
      if (frame[i].text !== undefined) {
        frame[i].text += String.fromCharCode(c);
        return;
      }
    }
  },

  // Shows the frame, and puts its text labels (one per line, those that drew something)
  // on the page when they differ from those shown, so that a screen reader announces
  // only changes; then the page may follow the figure (Module.onFrame). The next frame
  // starts from this one, as a back buffer would.
  web_swap__deps: ['$webWindow', '$webPaint'],
  web_swap: function() {
    var w = webWindow;
    w.shown = w.frame;
    w.frame = w.shown.slice();
    webPaint(w.shown);
    var text = w.shown.filter(function(item) { return item.text; })
                      .map(function(item) { return item.text; }).join('\n');
    var element = Module['labels'];
    if (element && text !== w.labels) element.textContent = text;
    w.labels = text;
    if (Module['onFrame']) Module['onFrame']();
  },

  // Pointer input in window pixels from the top left, mapped from the CSS pixels the
  // canvas is shown at. A mouse acts as on the desktop: its left, middle and right
  // buttons are GLUT's 0, 1 and 2, and a press on the canvas keeps the pointer until
  // the last button is released (motion with a button held goes to the motion callback
  // even outside the canvas, motion with none to the passive callback while over the
  // canvas); a press elsewhere on the page gives the program nothing; the vertical
  // wheel gives a press and a release of button 3 (up) or 4 (down), and still scrolls
  // the page. A finger or a pen is the left button, and a finger reaches further when
  // it picks. Only the primary pointer drives the program, and only one at a time.
  web_listen__deps: ['$webWindow', '$webFit', '$webPaint'],
  web_listen: function() {
    var w = webWindow, canvas = w.canvas;
    var active = null;  // the pointer that pressed on the canvas, until it lets go
    var touching = false;  // that pointer is a finger
    var held = 0;       // GLUT buttons that pointer holds, as bits
    var last = [0, 0];  // where that pointer was last seen
    var domBit = [1, 4, 2];  // PointerEvent.buttons bit of the left, middle and right button
    var fingerReach = 22;  // CSS pixels: a 24-pixel target, with a little slack

    function at(e) {
      var rect = canvas.getBoundingClientRect();
      return [Math.floor((e.clientX - rect.left) * w.width / rect.width),
              Math.floor((e.clientY - rect.top) * w.height / rect.height)];
    }
    // A button event, with a finger's reach in window pixels while a finger picks.
    function mouse(b, state, p) {
      if (touching) _web_set_pick_reach(fingerReach * w.width / canvas.getBoundingClientRect().width);
      _web_mouse(b, state, p[0], p[1]);
      if (touching) _web_set_pick_reach(0);
    }
    function buttonOf(e) { return e.pointerType === 'mouse' ? e.button : 0; }
    function isButton(b) { return b === 0 || b === 1 || b === 2; }
    function press(e, b) {
      var p = last = at(e);
      if (active === null) {
        active = e.pointerId;
        touching = e.pointerType === 'touch';
        // Synthetic events have no pointer to capture.
        try { canvas.setPointerCapture(e.pointerId); } catch (error) {}
      }
      held |= 1 << b;
      mouse(b, 0, p);
    }
    function release(b, p) {
      held &= ~(1 << b);
      mouse(b, 1, p);
      if (!held) active = null, touching = false;
    }
    function releaseAll(p) {
      for (var b = 0; b < 3; ++b) if (held & (1 << b)) release(b, p);
      active = null;
      touching = false;
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
        touching = false;
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
    // Passive: the wheel scrolls the page as well.
    canvas.addEventListener('wheel', function(e) {
      if (e.deltaY === 0) return;  // sideways only: no wheel button of GLUT's
      var button = e.deltaY < 0 ? 3 : 4, p = at(e);
      _web_mouse(button, 0, p[0], p[1]);
      _web_mouse(button, 1, p[0], p[1]);
    }, {passive: true});
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });

    // In full screen the canvas takes as much of the screen as its aspect ratio allows.
    document.addEventListener('fullscreenchange', function() {
      var full = document.fullscreenElement && document.fullscreenElement.contains(canvas);
      canvas.style.width = full ? 'min(100vw, ' + 100 * w.width / w.height + 'vh)' : '100%';
      canvas.style.maxWidth = full ? 'none' : w.width + 'px';
    });
    // A new CSS size or device ratio changes the backing store, never the window: the
    // last frame is shown again at once, and the program draws the next.
    function follow() {
      if (!webFit()) return;
      webPaint(w.shown);
      _web_refresh();
    }
    new ResizeObserver(follow).observe(canvas);
    window.addEventListener('resize', follow);
    // The ratio changes with the zoom or when the window moves to another screen.
    (function watchRatio() {
      matchMedia('(resolution: ' + w.ratio + 'dppx)').addEventListener('change', function() {
        follow();
        watchRatio();
      }, {once: true});
    })();
  },
});

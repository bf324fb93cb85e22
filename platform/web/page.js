// The page's own controls around the program's figure: full screen; the figure saved
// as a picture or a drawing, and put on paper when the page is printed; the figure kept
// in the address (a link), undone, redone and reset; and every point of it reached and
// moved with the keyboard or with single taps. Module is the program's module.
(function() {
  function $(id) { return document.getElementById(id); }

  function download(blob, name) {
    var link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 1000);
  }

  // The shortest decimal that reads back to the same float, so a link loses nothing.
  function shortest(f) {
    if (Object.is(f, -0)) return '-0';
    for (var digits = 1; digits < 9; ++digits) {
      var text = String(Number(f.toPrecision(digits)));
      if (Math.fround(Number(text)) === f) return text;
    }
    return String(Number(f.toPrecision(9)));
  }
  // Coordinates in a point's name: enough to tell where it is, short enough to hear.
  function spoken(f) { return String(Number(f.toFixed(3)) || 0); }

  // The figure as the shell gives it: the named points' x, y in store order, then the cursor's.
  var count, buffer;
  function readState() {
    Module._web_read_state(buffer);
    return Array.from(HEAPF32.subarray(buffer >> 2, (buffer >> 2) + 2 * (count + 1)));
  }
  function writeState(state) {
    HEAPF32.set(state, buffer >> 2);
    return Module._web_write_state(buffer, count + 1) === 1;
  }
  function samePoints(a, b) {
    for (var i = 0; i < 2 * count; ++i) if (!Object.is(a[i], b[i])) return false;
    return true;
  }

  // A link: "v1/<program>/<x>,<y>/.../<cursor x>,<cursor y>", every point of the
  // figure in store order, then the cursor. A later format gets a version of its own.
  function linkOf(state) {
    var parts = ['v1', Module.program];
    for (var i = 0; i < state.length; i += 2) parts.push(shortest(state[i]) + ',' + shortest(state[i + 1]));
    return parts.join('/');
  }
  var decimal = /^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$/;
  // The state a link gives, or null if it is not a link to a figure of this program.
  function stateOf(link) {
    var parts = link.split('/');
    if (parts[0] !== 'v1' || parts[1] !== Module.program || parts.length !== count + 3) return null;
    var state = [];
    for (var i = 2; i < parts.length; ++i) {
      var xy = parts[i].split(',');
      if (xy.length !== 2 || !decimal.test(xy[0]) || !decimal.test(xy[1])) return null;
      state.push(Math.fround(Number(xy[0])), Math.fround(Number(xy[1])));
    }
    return state.every(isFinite) ? state : null;
  }

  function start() {
    var canvas = Module.canvas, figure = $('figure'), status = $('status');
    count = Module._web_point_count();
    buffer = Module._malloc(8 * (count + 1));
    var startUp = readState();
    function say(text) { status.textContent = text; }

    // Full screen shows the figure alone, with this button to come back; where the
    // browser cannot, the button is not shown.
    var full = $('fullscreen');
    if (figure.requestFullscreen && document.fullscreenEnabled) {
      full.hidden = false;
      full.onclick = function() {
        if (document.fullscreenElement) document.exitFullscreen();
        else figure.requestFullscreen().catch(function() {});
      };
      document.addEventListener('fullscreenchange', function() {
        full.setAttribute('aria-pressed', String(document.fullscreenElement === figure));
      });
    }
    $('save-picture').onclick = function() {
      canvas.toBlob(function(blob) { download(blob, Module.program + '.png'); }, 'image/png');
    };
    $('save-drawing').onclick = function() {
      download(new Blob([Module.drawing(false)], {type: 'image/svg+xml'}), Module.program + '.svg');
    };
    // Paper gets the drawing, white where the screen is black and black where it is white.
    window.addEventListener('beforeprint', function() { $('print-figure').innerHTML = Module.drawing(true); });

    // The address keeps the figure: brought up to date at the end of a gesture, or once
    // the figure has rested a moment, never on every event.
    var linked = linkOf(startUp), linkTimer = 0;
    function keepLink() {
      clearTimeout(linkTimer);
      var link = linkOf(readState());
      if (link !== linked) history.replaceState(null, '', '#' + link);
      linked = link;
    }
    function keepLinkSoon() {
      clearTimeout(linkTimer);
      linkTimer = setTimeout(keepLink, 300);
    }
    function open(link) {
      if (!link) return;
      var state = stateOf(link);
      if (state && writeState(state)) {
        linked = link;
        say('');
      } else {
        say('This link could not be read, so the figure is shown as it starts.');
      }
    }
    function fragment() {
      try {
        return decodeURIComponent(location.hash.slice(1));
      } catch (error) {
        return location.hash.slice(1);  // not a link of ours either way
      }
    }
    open(fragment());
    window.addEventListener('hashchange', function() { open(fragment()); });
    $('copy-link').onclick = function() {
      keepLink();
      var done = function() { say('Link copied.'); };
      var fallback = function() {
        var text = document.createElement('textarea');
        text.value = location.href;
        document.body.appendChild(text);
        text.select();
        document.execCommand('copy') ? done() : say('The link could not be copied: ' + location.href);
        text.remove();
      };
      if (navigator.clipboard && window.isSecureContext) navigator.clipboard.writeText(location.href).then(done, fallback);
      else fallback();
    };

    // Undo and redo, one step per finished gesture that moved something or per run of
    // keyboard moves of one point; the cursor stays where the pointer is.
    var undo = [], redo = [], keyRun = null, dragging = false, before = null;
    var maxSteps = 100;
    function points() { return readState().slice(0, 2 * count); }
    function step(previous) {
      undo.push(previous);
      if (undo.length > maxSteps) undo.shift();
      redo = [];
      showSteps();
    }
    function restore(target) {
      var state = readState();
      writeState(target.concat(state.slice(2 * count)));
      keyRun = null;
      showSteps();
      keepLink();
    }
    function back() {
      if (dragging || !undo.length) return;
      redo.push(points());
      restore(undo.pop());
    }
    function forth() {
      if (dragging || !redo.length) return;
      undo.push(points());
      restore(redo.pop());
    }
    function reset() {
      if (dragging || samePoints(points(), startUp)) return;
      step(points());
      restore(startUp.slice(0, 2 * count));
    }
    function showSteps() {
      $('undo').setAttribute('aria-disabled', String(!undo.length));
      $('redo').setAttribute('aria-disabled', String(!redo.length));
    }
    $('undo').onclick = back;
    $('redo').onclick = forth;
    $('reset').onclick = reset;
    document.addEventListener('keydown', function(e) {
      if (!(e.ctrlKey || e.metaKey) || e.altKey) return;
      var key = e.key.toLowerCase();
      if (key === 'z' && !e.shiftKey) back();
      else if ((key === 'z' && e.shiftKey) || (key === 'y' && !e.shiftKey && !e.metaKey)) forth();
      else return;
      e.preventDefault();
    });
    showSteps();

    // One focusable element over the canvas per point, and one for the cursor where the
    // program follows it, in store order. Invisible until focused, they let the pointer
    // through to the canvas; arrows move their point by a window pixel (ten with Shift),
    // as a drag to that pixel would.
    var marks = [], lastFocused = 0;
    var pixel = Module._malloc(8);  // the two ints of a point's window pixel
    function pixelOf(i) {
      if (!Module._web_point_pixel(i, pixel, pixel + 4)) return null;
      return [HEAP32[pixel >> 2], HEAP32[(pixel >> 2) + 1]];
    }
    function move(i, dx, dy) {
      var p = pixelOf(i);
      if (dragging || !p) return;
      if (i < count && keyRun !== i) {
        step(points());
        keyRun = i;
      }
      Module._web_move_point(i, p[0] + dx, p[1] + dy);
      keepLinkSoon();
    }
    var arrows = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
    var total = count + (Module._web_has_cursor() ? 1 : 0);
    for (var i = 0; i < total; ++i) {
      var mark = document.createElement('div');
      mark.className = 'point';
      mark.tabIndex = 0;
      mark.setAttribute('role', 'button');
      mark.setAttribute('aria-roledescription', 'movable point');
      mark.setAttribute('aria-describedby', 'keys');
      mark.onfocus = (function(i) { return function() { lastFocused = i; }; })(i);
      mark.onkeydown = (function(i) {
        return function(e) {
          var d = arrows[e.key];
          if (!d || e.ctrlKey || e.metaKey || e.altKey) return;
          e.preventDefault();
          var by = e.shiftKey ? 10 : 1;
          move(i, d[0] * by, d[1] * by);
        };
      })(i);
      $('points').appendChild(mark);
      marks.push(mark);
    }
    [['move-left', -1, 0], ['move-right', 1, 0], ['move-up', 0, -1], ['move-down', 0, 1]].forEach(function(b) {
      $(b[0]).onclick = function() { if (total) move(lastFocused, b[1], b[2]); };
    });
    // After every frame: each element over its point, named with its place.
    Module.onFrame = function() {
      var state = readState(), width = canvas.clientWidth, height = canvas.clientHeight;
      marks.forEach(function(mark, i) {
        var x = state[2 * i], y = state[2 * i + 1];
        var left = canvas.offsetLeft + (x + 1) / 2 * width + 'px', top = canvas.offsetTop + (1 - y) / 2 * height + 'px';
        if (mark.style.left !== left) mark.style.left = left;
        if (mark.style.top !== top) mark.style.top = top;
        var name = UTF8ToString(Module._web_point_name(i)) + ', x ' + spoken(x) + ', y ' + spoken(y);
        if (mark.getAttribute('aria-label') !== name) mark.setAttribute('aria-label', name);
      });
      if (!dragging && linkOf(state) !== linked) keepLinkSoon();
    };

    // A gesture on the canvas: one undo step if it moved something, the link kept at its
    // end, and the point it picked given the focus.
    canvas.addEventListener('pointerdown', function(e) {
      if (!e.isPrimary || dragging) return;
      dragging = true;
      keyRun = null;
      before = points();
      var picked = Module._web_selected_point();
      if (picked >= 0) marks[picked].focus({preventScroll: true});
    });
    function release(e) {
      if (!e.isPrimary || !dragging) return;
      dragging = false;
      if (!samePoints(before, points())) step(before);
      keepLink();
    }
    canvas.addEventListener('pointerup', release);
    canvas.addEventListener('pointercancel', release);
  }

  Module.postRun = (Module.postRun || []).concat(start);
})();

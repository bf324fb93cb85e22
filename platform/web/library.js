// The canvas layer's entry points for the program's GL and GLUT calls (web_canvas.h). Each
// copies what it needs out of the module's memory and hands it to the layer that the page's
// script made (Module.web, src/canvas/layer.js), which records, paints and listens.
mergeInto(LibraryManager.library, {
  web_create_window: function(title, width, height) { Module['web'].createWindow(UTF8ToString(title), width, height); },
  web_clear: function() { Module['web'].clear(); },
  // `count` vertices of x, y (window pixels from the bottom left), r, g, b.
  web_draw: function(mode, vertices, count, pointSize, lineWidth) {
    var from = vertices >> 2;
    Module['web'].draw(mode, HEAPF32.slice(from, from + 5 * count), pointSize, lineWidth);
  },
  web_label: function(x, y, r, g, b) { Module['web'].label(x, y, r, g, b); },
  web_character: function(c) { Module['web'].character(c); },
  web_swap: function() { Module['web'].swap(); },
  web_listen: function() { Module['web'].listen(); },
});

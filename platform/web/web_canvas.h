// The canvas side of the browser layer (library.js, which hands on to the page's canvas layer
// in src/canvas/), called from the GL and GLUT entry points.
#pragma once

extern "C" {
/// Makes the page's canvas the window of `width` x `height` pixels, shown at most that many CSS
/// pixels wide (smaller on a narrower page, larger in full screen), and sets the page title.
void web_create_window(const char* title, int width, int height);
/// Fills the back buffer with black.
void web_clear();
/// Draws `count` vertices (x, y window pixels from the bottom left, r, g, b) as one GL primitive.
void web_draw(int mode, const float* vertices, int count, float pointSize, float lineWidth);
/// Starts a label at raster position (x, y), window pixels from the bottom left, in colour (r, g, b).
void web_label(float x, float y, float r, float g, float b);
/// Appends one character of the 8x13 font to the label last started.
void web_character(int c);
/// Shows the frame drawn since the last swap, with its labels.
void web_swap();
/// Starts feeding pointer and size events to the exported handlers of web_glut.cpp.
void web_listen();
}

/// One character of the label at the current raster position, unless that position is invalid.
void webBitmapCharacter(int c);
/// Shows the frame drawn since the last swap, with its labels.
void webSwapBuffers();

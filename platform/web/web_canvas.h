// The canvas side of the browser layer (canvas.js), called from the GL and GLUT entry points.
#pragma once

/// The bitmap font's advance per character, in pixels.
inline constexpr float webCharacterWidth = 8;

extern "C" {
/// Lays the canvas out at most `*width` x `*height` CSS pixels, sets the page title, and
/// writes back the size it was laid out at.
void web_create_window(const char* title, int* width, int* height);
/// Fills the back buffer with black.
void web_clear();
/// Draws `count` vertices (x, y window pixels from the bottom left, r, g, b) as one GL primitive.
void web_draw(int mode, const float* vertices, int count, float pointSize, float lineWidth);
/// Draws one character of the 8x13 font with its baseline origin at window pixel (x, y).
void web_character(int c, float x, float y, float r, float g, float b);
/// Shows the back buffer; `labels` are the frame's text labels, one per line.
void web_swap(const char* labels);
/// Starts feeding pointer and resize events to the exported handlers of web_glut.cpp.
void web_listen();
}

/// The character at the current raster position, which it then advances.
void webBitmapCharacter(int c);
/// Shows the frame drawn since the last swap, with its labels.
void webSwapBuffers();

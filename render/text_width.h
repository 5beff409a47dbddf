// The width of a line of text: a bitmap font has no metrics to ask, so the
// line is printed unseen and the raster position shows how far it went.
#pragma once

// Prints `text` from the current raster position with colour and depth
// writes off (the raster position moves on by it) and returns its width in
// window pixels.
float measureText(const char* text);

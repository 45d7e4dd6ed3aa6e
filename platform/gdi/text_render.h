// Drawing runs of system-font text into a canvas; shared by the text calls and DrawTextA.
#pragma once

#include <win32.h>

#include "gdi/raster.h"

namespace gdi {

// Draws n characters with the top-left of the first cell at surface (sx, sy), in the
// DC's text colour. With `background` the cells are first filled with the DC's
// background colour. `dx` (optional) gives each character's advance. `limit` (surface
// coordinates, optional) narrows the clip. Returns the total advance.
int render_text(const DeviceContext& dc, Canvas& canvas, int sx, int sy, const char* text, int n,
                const INT* dx, bool background, const RECT* limit);

// A one-pixel underline for the mnemonic character at cell (sx, sy) of the given width.
void render_underline(const DeviceContext& dc, Canvas& canvas, int sx, int sy, int width,
                      const RECT* limit);

}  // namespace gdi

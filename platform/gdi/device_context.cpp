// Device contexts: creation, default state, selection bookkeeping and coordinates.
#include "gdi/device_context.h"

#include <algorithm>

#include "gdi/stock_objects.h"

namespace gdi {

namespace {

void adjust_selection(HGDIOBJ handle, int delta) {
  if (!handle) return;
  std::shared_ptr<GdiObject> object = find_object(handle);
  if (!object) return;
  object->selections += delta;
  if (object->type == OBJ_BITMAP && object->selections <= 0)
    static_cast<Bitmap&>(*object).owner = nullptr;
}

}  // namespace

LONG add_clamped(long long a, long long b) {
  // Far beyond any surface, yet far from overflowing when sizes are added to it.
  constexpr long long kCoordinateLimit = 1LL << 28;
  return static_cast<LONG>(std::clamp(a + b, -kCoordinateLimit, kCoordinateLimit));
}

RECT DeviceContext::to_surface(const RECT& r) const {
  POINT a = to_surface(r.left, r.top);
  POINT b = to_surface(r.right, r.bottom);
  return RECT{a.x, a.y, b.x, b.y};
}

ClipRegion DeviceContext::effective_clip() const {
  ClipRegion clip = visible;
  if (state.clip) {
    ClipRegion app = *state.clip;
    app.offset(origin.x, origin.y);
    clip.intersect(app);
  }
  if (surface) clip.intersect(surface->bounds());
  else clip.clear();
  return clip;
}

Pixel DeviceContext::device_color(COLORREF c) const {
  Pixel p = to_pixel(c & 0x00FFFFFF);
  if (!monochrome) return p;
  unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
  return sum >= 3 * 128 ? 0xFFFFFF : 0x000000;
}

std::shared_ptr<DeviceContext> find_dc(HDC hdc) {
  std::shared_ptr<GdiObject> object = find_object(hdc);
  if (!object || (object->type != OBJ_DC && object->type != OBJ_MEMDC)) return nullptr;
  return std::static_pointer_cast<DeviceContext>(object);
}

void retain_state(const DcState& s) {
  for (HGDIOBJ h : {HGDIOBJ(s.pen), HGDIOBJ(s.brush), HGDIOBJ(s.font), HGDIOBJ(s.bitmap),
                    HGDIOBJ(s.palette)})
    adjust_selection(h, +1);
}

void release_state(const DcState& s) {
  for (HGDIOBJ h : {HGDIOBJ(s.pen), HGDIOBJ(s.brush), HGDIOBJ(s.font), HGDIOBJ(s.bitmap),
                    HGDIOBJ(s.palette)})
    adjust_selection(h, -1);
}

std::shared_ptr<DeviceContext> make_dc(bool memory_dc) {
  auto dc = std::make_shared<DeviceContext>(memory_dc);
  dc->state.pen = handle_cast<HPEN>(stock_object(BLACK_PEN));
  dc->state.brush = handle_cast<HBRUSH>(stock_object(WHITE_BRUSH));
  dc->state.font = handle_cast<HFONT>(stock_object(SYSTEM_FONT));
  dc->state.palette = handle_cast<HPALETTE>(stock_object(DEFAULT_PALETTE));
  if (memory_dc) {
    dc->state.bitmap = default_bitmap();
    bind_selected_bitmap(*dc);
  }
  retain_state(dc->state);
  return dc;
}

void bind_selected_bitmap(DeviceContext& dc) {
  std::shared_ptr<Bitmap> bm = find_bitmap(dc.state.bitmap);
  if (!bm) return;
  dc.surface = bm->pixels;
  dc.monochrome = bm->monochrome();
  dc.visible = ClipRegion(bm->pixels->bounds());
}

void release_selections(DeviceContext& dc) {
  release_state(dc.state);
  for (const DcState& s : dc.saved) release_state(s);
  dc.saved.clear();
  dc.state = DcState{};
}

}  // namespace gdi

// The system icons and cursors, drawn by us: simple, recognisable shapes in the classic
// palette. Icons are 32x32; cursors are 32x32 with their art in the top-left corner.
// LoadIconA / LoadCursorA hand them out for a null instance and ask the resource
// layer's loader for anything else.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <mutex>

#include "gdi/gdi_error.h"
#include "gdi/icon.h"
#include "gdi/system_font.h"

namespace gdi {

namespace {

constexpr int kSize = 32;
constexpr Pixel kBlack = 0x000000, kWhite = 0xFFFFFF, kNavy = 0x000080, kRed = 0xFF0000,
                kYellow = 0xFFFF00, kBlue = 0x0000FF, kSilver = 0xC0C0C0;

std::atomic<IconResourceLoader> resource_loader{nullptr};

std::shared_ptr<Icon> blank(bool is_icon) {
  auto icon = std::make_shared<Icon>();
  icon->width = icon->height = kSize;
  icon->is_icon = is_icon;
  icon->shared = true;
  icon->color.assign(kSize * kSize, 0);
  icon->mask.assign(kSize * kSize, 1);
  return icon;
}

void put(Icon& icon, int x, int y, Pixel c) {
  if (x < 0 || y < 0 || x >= icon.width || y >= icon.height) return;
  icon.color[y * icon.width + x] = c;
  icon.mask[y * icon.width + x] = 0;
}

// Paints every pixel whose centre satisfies `inside`.
void shape(Icon& icon, Pixel c, const std::function<bool(double, double)>& inside) {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (inside(x + 0.5, y + 0.5)) put(icon, x, y, c);
}

bool in_circle(double x, double y, double cx, double cy, double r) {
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// A system-font character drawn twice its size, centred on (cx, cy).
void big_char(Icon& icon, char ch, int cx, int cy, Pixel c) {
  const SystemFontGlyph& g = system_glyph(static_cast<unsigned char>(ch));
  int top = 16, bottom = 0, left = 16, right = 0;
  for (int y = 0; y < kSystemFontHeight; ++y)
    for (int x = 0; x < g.advance; ++x)
      if (glyph_ink(g, x, y)) {
        top = std::min(top, y), bottom = std::max(bottom, y + 1);
        left = std::min(left, x), right = std::max(right, x + 1);
      }
  int ox = cx - (right - left), oy = cy - (bottom - top);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (glyph_ink(g, x, y))
        for (int d = 0; d < 4; ++d) put(icon, ox + 2 * (x - left) + d % 2, oy + 2 * (y - top) + d / 2, c);
}

std::shared_ptr<Icon> application_icon() {
  // A small window: frame, navy caption bar, white client area.
  auto icon = blank(true);
  shape(*icon, kBlack, [](double x, double y) { return x > 2 && x < 30 && y > 4 && y < 28; });
  shape(*icon, kWhite, [](double x, double y) { return x > 3 && x < 29 && y > 10 && y < 27; });
  shape(*icon, kNavy, [](double x, double y) { return x > 3 && x < 29 && y > 5 && y < 10; });
  shape(*icon, kSilver, [](double x, double y) { return x > 25 && x < 28 && y > 6 && y < 9; });
  return icon;
}

std::shared_ptr<Icon> hand_icon() {
  // A red disc with a white cross.
  auto icon = blank(true);
  shape(*icon, kBlack, [](double x, double y) { return in_circle(x, y, 16, 16, 15); });
  shape(*icon, kRed, [](double x, double y) { return in_circle(x, y, 16, 16, 14); });
  shape(*icon, kWhite, [](double x, double y) {
    double u = x - 16, v = y - 16;
    return std::abs(u) < 7.5 && std::abs(v) < 7.5 && (std::abs(u - v) < 2.2 || std::abs(u + v) < 2.2);
  });
  return icon;
}

std::shared_ptr<Icon> balloon_icon(char mark) {
  // A white speech balloon with a blue mark ('?' or 'i').
  auto icon = blank(true);
  auto body = [](double x, double y, double grow) {
    double u = (x - 16) / (14 + grow), v = (y - 13) / (11 + grow);
    return u * u + v * v <= 1.0;
  };
  auto tail = [](double x, double y, double grow) {
    return y > 20 && y < 30 + grow && x > 8 - grow && x < 14 + grow && (x - 8) > (y - 22) * 0.5 - grow;
  };
  shape(*icon, kBlack, [&](double x, double y) { return body(x, y, 1) || tail(x, y, 1); });
  shape(*icon, kWhite, [&](double x, double y) { return body(x, y, 0) || tail(x, y, 0); });
  big_char(*icon, mark, 16, 13, kBlue);
  return icon;
}

std::shared_ptr<Icon> exclamation_icon() {
  // A yellow warning triangle with a black '!'.
  auto icon = blank(true);
  auto triangle = [](double x, double y, double grow) {
    return y < 29 + grow && y > 2 - grow && std::abs(x - 16) < (y - 2) * 0.55 + grow;
  };
  shape(*icon, kBlack, [&](double x, double y) { return triangle(x, y, 1); });
  shape(*icon, kYellow, [&](double x, double y) { return triangle(x, y, 0); });
  big_char(*icon, '!', 16, 19, kBlack);
  return icon;
}

// Cursor art: 'X' black, '.' white, anything else transparent.
std::shared_ptr<Icon> cursor_from_art(const char* const* rows, int count, POINT hotspot) {
  auto icon = blank(false);
  icon->hotspot = hotspot;
  for (int y = 0; y < count; ++y)
    for (int x = 0; rows[y][x]; ++x) {
      if (rows[y][x] == 'X') put(*icon, x, y, kBlack);
      else if (rows[y][x] == '.') put(*icon, x, y, kWhite);
    }
  return icon;
}

constexpr const char* kArrow[] = {
    "X",          "XX",          "X.X",         "X..X",        "X...X",
    "X....X",     "X.....X",     "X......X",    "X.......X",   "X........X",
    "X.....XXXXX", "X..X..X",    "X.X X..X",    "XX  X..X",    "X    X..X",
    "     X..X",  "      X..X",  "      X..X",  "       XX",
};

constexpr const char* kHourglass[] = {
    "XXXXXXXXXXXXXXX", "X.............X", "XXXXXXXXXXXXXXX", " X...........X",
    " X...........X",  " X..X.X.X.X..X",  "  X..X.X.X..X",   "   X..X.X..X",
    "    X..X..X",     "     X...X",      "      X.X",       "     X...X",
    "    X.....X",     "   X...X...X",    "  X...X.X...X",   " X..X.X.X.X..X",
    " X.X.X.X.X.X.X",  " X...........X",  "XXXXXXXXXXXXXXX", "X.............X",
    "XXXXXXXXXXXXXXX",
};

constexpr const char* kIBeam[] = {
    "XXX XXX", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X",
    "   X",     "   X", "   X", "   X", "   X", "   X", "XXX XXX",
};

constexpr const char* kCross[] = {
    "       X", "       X", "       X", "       X", "       X", "       X", "       X",
    "XXXXXXXXXXXXXXX", "       X", "       X", "       X", "       X", "       X",
    "       X", "       X",
};

template <std::size_t N>
std::shared_ptr<Icon> cursor(const char* const (&rows)[N], POINT hotspot) {
  return cursor_from_art(rows, static_cast<int>(N), hotspot);
}

struct SystemEntry {
  WORD id;
  HICON handle;
};

// Looks an id up in a table made once; null when the id is not a system one.
HICON lookup(const std::vector<SystemEntry>& table, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  WORD id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
  for (const SystemEntry& e : table)
    if (e.id == id) return e.handle;
  return nullptr;
}

WORD id_of(LPCSTR name) { return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name)); }

}  // namespace

void SetIconResourceLoader(IconResourceLoader loader) { resource_loader.store(loader); }

HICON system_icon(LPCSTR name) {
  static const std::vector<SystemEntry> icons = [] {
    std::vector<SystemEntry> t;
    t.push_back({id_of(IDI_APPLICATION), insert_icon(application_icon())});
    t.push_back({id_of(IDI_WINLOGO), t.back().handle});
    t.push_back({id_of(IDI_HAND), insert_icon(hand_icon())});
    t.push_back({id_of(IDI_QUESTION), insert_icon(balloon_icon('?'))});
    t.push_back({id_of(IDI_EXCLAMATION), insert_icon(exclamation_icon())});
    t.push_back({id_of(IDI_ASTERISK), insert_icon(balloon_icon('i'))});
    return t;
  }();
  return lookup(icons, name);
}

HCURSOR system_cursor(LPCSTR name) {
  static const std::vector<SystemEntry> cursors = [] {
    std::vector<SystemEntry> t;
    t.push_back({id_of(IDC_ARROW), insert_icon(cursor(kArrow, POINT{0, 0}))});
    t.push_back({id_of(IDC_IBEAM), insert_icon(cursor(kIBeam, POINT{3, 8}))});
    t.push_back({id_of(IDC_WAIT), insert_icon(cursor(kHourglass, POINT{7, 10}))});
    t.push_back({id_of(IDC_CROSS), insert_icon(cursor(kCross, POINT{7, 7}))});
    return t;
  }();
  return lookup(cursors, name);
}

}  // namespace gdi

namespace {

HICON load(HINSTANCE instance, LPCSTR name, bool is_icon) {
  if (!name) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  HICON found = nullptr;
  if (!instance) {
    found = is_icon ? gdi::system_icon(name) : gdi::system_cursor(name);
  } else if (gdi::IconResourceLoader loader = gdi::resource_loader.load()) {
    found = loader(instance, name, is_icon);
  } else {
    found = gdi::load_module_icon(instance, name, is_icon);
  }
  if (!found) gdi::set_error(gdi::kErrorResourceNameNotFound);
  return found;
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR name) { return load(hInstance, name, true); }

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR name) {
  return load(hInstance, name, false);
}

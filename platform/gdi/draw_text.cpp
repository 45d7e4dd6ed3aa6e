// DrawTextA: text laid out in a rectangle. Lines break at CR/LF (unless single-line) and,
// with DT_WORDBREAK, between words that would pass the right edge; a word wider than
// the rectangle stays whole. '&' marks the next character as the mnemonic and is drawn
// underlined ("&&" shows one '&'). Tabs expand to every eighth average character width
// with DT_EXPANDTABS. Vertical centring and bottom alignment apply to single lines only.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gdi/dc_call.h"
#include "gdi/gdi_error.h"
#include "gdi/system_font.h"
#include "gdi/text_render.h"

using gdi::DeviceContext;

namespace {

constexpr int kTabColumns = 8;

struct Line {
  std::string shown;   // prefix characters already removed
  int underline = -1;  // index in `shown` of the mnemonic character
};

class Layout {
 public:
  explicit Layout(UINT format) : format_(format) {}

  // Width of `s` as drawn, tabs expanded from the start of the line.
  int width(const std::string& s) const { return advance_to(s, static_cast<int>(s.size())); }
  // x offset of character i of the line.
  int advance_to(const std::string& s, int i) const {
    int x = 0;
    int tab = gdi::system_font_average_width() * kTabColumns;
    for (int k = 0; k < i; ++k) {
      if (s[k] == '\t' && (format_ & DT_EXPANDTABS)) x = (x / tab + 1) * tab;
      else x += gdi::system_glyph(static_cast<unsigned char>(s[k])).advance;
    }
    return x;
  }

  std::vector<Line> lines(const char* text, int n, int max_width) const {
    std::vector<Line> out;
    bool single = format_ & DT_SINGLELINE;
    int start = 0;
    for (int i = 0; i <= n; ++i) {
      bool end = i == n;
      bool newline = !end && !single && (text[i] == '\n' || text[i] == '\r');
      if (!end && !newline) continue;
      Line paragraph = strip_prefix(text + start, i - start);
      wrap(paragraph, max_width, out);
      if (newline && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    return out;
  }

 private:
  Line strip_prefix(const char* s, int n) const {
    Line line;
    bool prefixes = !(format_ & DT_NOPREFIX);
    for (int i = 0; i < n; ++i) {
      if (prefixes && s[i] == '&') {
        if (i + 1 < n && s[i + 1] == '&') {
          line.shown += '&';
          ++i;
          continue;
        }
        if (i + 1 < n) line.underline = static_cast<int>(line.shown.size());
        continue;
      }
      line.shown += s[i];
    }
    return line;
  }

  void wrap(const Line& paragraph, int max_width, std::vector<Line>& out) const {
    if (!(format_ & DT_WORDBREAK) || (format_ & DT_SINGLELINE)) {
      out.push_back(paragraph);
      return;
    }
    const std::string& s = paragraph.shown;
    int n = static_cast<int>(s.size());
    int pos = 0;
    do {
      int end = pos;     // end of the text that fits so far (a word boundary)
      int next = pos;    // where the following line starts
      int i = pos;
      while (i < n) {
        int word_end = i;
        while (word_end < n && s[word_end] != ' ') ++word_end;
        std::string candidate = s.substr(pos, word_end - pos);
        if (end > pos && width(candidate) > max_width) break;
        end = word_end;
        i = word_end;
        while (i < n && s[i] == ' ') ++i;
        next = i;
      }
      if (end == pos && next == pos) next = end = n;
      Line line{s.substr(pos, end - pos), -1};
      if (paragraph.underline >= pos && paragraph.underline < end)
        line.underline = paragraph.underline - pos;
      out.push_back(line);
      pos = next;
    } while (pos < n);
  }

  UINT format_;
};

void draw_line(const DeviceContext& dc, gdi::Canvas& canvas, const Layout& layout, const Line& line,
               POINT at, UINT format, const RECT* limit) {
  bool background = dc.state.bk_mode == OPAQUE;
  if (!(format & DT_PREFIXONLY)) {
    // Tabs are gaps; the runs between them are drawn where the layout puts them.
    int run = 0;
    int n = static_cast<int>(line.shown.size());
    for (int i = 0; i <= n; ++i) {
      bool tab = i < n && line.shown[i] == '\t' && (format & DT_EXPANDTABS);
      if (i < n && !tab) continue;
      int x = at.x + layout.advance_to(line.shown, run);
      gdi::render_text(dc, canvas, x, at.y, line.shown.data() + run, i - run, nullptr, background,
                       limit);
      run = i + 1;
    }
  }
  if (line.underline >= 0 && !(format & DT_HIDEPREFIX)) {
    int x = at.x + layout.advance_to(line.shown, line.underline);
    int w = gdi::system_glyph(static_cast<unsigned char>(line.shown[line.underline])).advance;
    gdi::render_underline(dc, canvas, x, at.y, w, limit);
  }
}

}  // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT lprc, UINT format) {
  if (!text || !lprc) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return 0;
  }
  if (count < 0) count = static_cast<int>(std::strlen(text));
  return gdi::with_dc(hdc, 0, [&](DeviceContext& dc) {
    if (count == 0) return 0;
    Layout layout(format);
    RECT box = *lprc;
    std::vector<Line> lines = layout.lines(text, count, box.right - box.left);
    int line_height = gdi::kSystemFontHeight;
    int height = line_height * static_cast<int>(lines.size());
    int widest = 0;
    for (const Line& l : lines) widest = std::max(widest, layout.width(l.shown));

    if (format & DT_CALCRECT) {
      lprc->right = gdi::add_clamped(box.left, widest);
      lprc->bottom = gdi::add_clamped(box.top, height);
      return height;
    }

    int top = box.top;
    int result = height;
    if (format & DT_SINGLELINE) {
      if (format & DT_VCENTER) top = box.top + ((box.bottom - box.top) - height) / 2;
      else if (format & DT_BOTTOM) top = box.bottom - height;
      if (format & (DT_VCENTER | DT_BOTTOM)) result = top - box.top + height;
    }

    gdi::Canvas canvas(dc);
    if (!canvas.ready()) return result;
    RECT limit = gdi::rect_normalized(dc.to_surface(box));
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : &limit;
    int y = top;
    for (const Line& line : lines) {
      int w = layout.width(line.shown);
      int x = box.left;
      if (format & DT_CENTER) x = box.left + ((box.right - box.left) - w) / 2;
      else if (format & DT_RIGHT) x = box.right - w;
      draw_line(dc, canvas, layout, line, dc.to_surface(x, y), format, clip);
      y = gdi::add_clamped(y, line_height);
    }
    return result;
  });
}

#include "display/sdl/direct_put.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace display::sdl {
namespace {

// Set by the error handler while an attach is being tried (display thread only).
std::atomic<bool> attach_failed{false};

int note_attach_failure(Display*, XErrorEvent*) {
  attach_failed = true;
  return 0;
}

bool little_endian_host() {
  const std::uint32_t one = 1;
  unsigned char first;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

}  // namespace

struct DirectPut::Connection {
  Display* display = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  GC gc = nullptr;
  XImage* image = nullptr;
  XShmSegmentInfo segment{};

  ~Connection() {
    drop_image(image, segment);
    if (gc) XFreeGC(display, gc);
    if (display) XCloseDisplay(display);
  }

  void drop_image(XImage*& img, XShmSegmentInfo& seg) {
    if (!img) return;
    XShmDetach(display, &seg);
    XSync(display, False);
    shmdt(seg.shmaddr);
    img->data = nullptr;  // the segment, not Xlib's to free
    XDestroyImage(img);
    img = nullptr;
    seg = XShmSegmentInfo{};
  }

  // A shared-memory image of this size attached to the server; null when the server
  // refuses it (a server on another machine cannot see our memory).
  XImage* make_image(int width, int height, XShmSegmentInfo& seg) {
    XImage* img = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &seg,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!img) return nullptr;
    if (img->bits_per_pixel != 32 || img->byte_order != (little_endian_host() ? LSBFirst : MSBFirst)) {
      XDestroyImage(img);
      return nullptr;
    }
    seg.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(img->bytes_per_line) * static_cast<size_t>(height), IPC_CREAT | 0600);
    if (seg.shmid < 0) {
      XDestroyImage(img);
      return nullptr;
    }
    void* at = shmat(seg.shmid, nullptr, 0);
    if (at == reinterpret_cast<void*>(-1)) {
      shmctl(seg.shmid, IPC_RMID, nullptr);
      XDestroyImage(img);
      return nullptr;
    }
    seg.shmaddr = img->data = static_cast<char*>(at);
    seg.readOnly = False;
    XSync(display, False);
    attach_failed = false;
    auto* before = XSetErrorHandler(note_attach_failure);
    Status attached = XShmAttach(display, &seg);
    XSync(display, False);
    XSetErrorHandler(before);
    // Gone once both sides let go of it, whatever happens to the process.
    shmctl(seg.shmid, IPC_RMID, nullptr);
    if (!attached || attach_failed) {
      shmdt(seg.shmaddr);
      img->data = nullptr;
      XDestroyImage(img);
      seg = XShmSegmentInfo{};
      return nullptr;
    }
    return img;
  }
};

DirectPut::DirectPut(std::unique_ptr<Connection> connection) : x_(std::move(connection)) {}

DirectPut::~DirectPut() = default;

std::unique_ptr<DirectPut> DirectPut::open(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  auto x = std::make_unique<Connection>();
  x->display = XOpenDisplay(DisplayString(info.info.x11.display));
  if (!x->display) return nullptr;
  int major = 0, minor = 0;
  Bool pixmaps = False;
  if (!XShmQueryVersion(x->display, &major, &minor, &pixmaps)) return nullptr;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(x->display, info.info.x11.window, &attributes)) return nullptr;
  Visual* v = attributes.visual;
  // SDL may pick a DirectColor visual; it keeps its colour map the identity, and its own
  // window surface writes the same bytes into the same kind of image as we do.
  if ((v->c_class != TrueColor && v->c_class != DirectColor) || v->red_mask != 0xFF0000ul || v->green_mask != 0xFF00ul || v->blue_mask != 0xFFul ||
      attributes.depth != 24)
    return nullptr;
  x->visual = v;
  x->depth = attributes.depth;
  XGCValues values{};
  values.graphics_exposures = False;
  x->gc = XCreateGC(x->display, info.info.x11.window, GCGraphicsExposures, &values);
  x->image = x->make_image(attributes.width, attributes.height, x->segment);
  if (!x->image) return nullptr;
  return std::unique_ptr<DirectPut>(new DirectPut(std::move(x)));
}

bool DirectPut::suits(unsigned long xid) {
  XWindowAttributes attributes;
  if (!xid || !XGetWindowAttributes(x_->display, xid, &attributes)) return false;
  return attributes.visual == x_->visual && attributes.depth == x_->depth;
}

bool DirectPut::reserve(int width, int height) {
  if (width <= x_->image->width && height <= x_->image->height) return true;
  XShmSegmentInfo segment{};
  XImage* bigger = x_->make_image(std::max(width, x_->image->width), std::max(height, x_->image->height), segment);
  if (!bigger) return false;
  x_->drop_image(x_->image, x_->segment);
  x_->image = bigger;
  x_->segment = segment;
  return true;
}

void DirectPut::put(unsigned long xid, const PutSource& source, const std::vector<PutRect>& rects, int factor) {
  XImage* img = x_->image;
  const int f = std::max(1, factor);
  const int right_edge = std::min(source.width, img->width / f);
  const int bottom_edge = std::min(source.height, img->height / f);
  bool any = false;
  for (const PutRect& r : rects) {
    const int left = std::max(0, r.x), top = std::max(0, r.y);
    // Widened before adding: a rectangle near INT_MAX must clip, not wrap.
    const int right = static_cast<int>(std::min<long long>(right_edge, static_cast<long long>(r.x) + r.width));
    const int bottom = static_cast<int>(std::min<long long>(bottom_edge, static_cast<long long>(r.y) + r.height));
    if (left >= right || top >= bottom) continue;
    const int w = right - left;
    for (int y = top; y < bottom; ++y) {
      const std::uint32_t* src = source.pixels + static_cast<size_t>(y) * static_cast<size_t>(source.stride) + left;
      for (int dy = 0; dy < f; ++dy) {
        char* line = img->data + static_cast<size_t>(y * f + dy) * static_cast<size_t>(img->bytes_per_line);
        auto* out = reinterpret_cast<std::uint32_t*>(line) + static_cast<size_t>(left) * f;
        if (f == 1) {
          std::memcpy(out, src, static_cast<size_t>(w) * 4);
        } else {
          for (int i = 0; i < w; ++i)
            for (int dx = 0; dx < f; ++dx) *out++ = src[i];
        }
      }
    }
    XShmPutImage(x_->display, xid, x_->gc, img, left * f, top * f, left * f, top * f, static_cast<unsigned>(w * f),
                 static_cast<unsigned>((bottom - top) * f), False);
    any = true;
  }
  if (any) XSync(x_->display, False);
}

}  // namespace display::sdl

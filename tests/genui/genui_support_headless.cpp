// genui_support's display half on the headless display: a box is answered with the Enter
// key, and the test resources are registered at run time.
#include <win32_headless.h>
#include <win32_resources.h>

#include <cstring>
#include <vector>

#include "box_answer.h"
#include "genui_support.h"
#include "platform/dialogs/template_builder.h"

namespace genui_test {

void WaitUntilBoxTakesInput(HWND box) { headless::wait_idle(box); }

void ChooseDefaultButton(HWND) { headless::press_key(VK_RETURN); }

void RegisterTestResources() {
  static bool registered = false;
  if (registered) return;
  registered = true;

  // A bottom-up 24-bit DIB without file header, as RT_BITMAP holds it.
  static std::vector<unsigned char> dib;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = kBitmapWidth;
  header.biHeight = kBitmapHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  dib.resize(sizeof header);
  std::memcpy(dib.data(), &header, sizeof header);
  const int stride = (kBitmapWidth * 3 + 3) & ~3;
  for (int row = 0; row < kBitmapHeight; ++row) {
    const int y = kBitmapHeight - 1 - row;
    std::vector<unsigned char> line(static_cast<size_t>(stride), 0);
    for (int x = 0; x < kBitmapWidth; ++x) {
      const bool top = y < kBitmapHeight / 2;
      const bool left = x < kBitmapWidth / 2;
      const COLORREF c = top ? (left ? kTopLeft : kTopRight) : (left ? kBottomLeft : kBottomRight);
      line[static_cast<size_t>(x) * 3] = GetBValue(c);
      line[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
      line[static_cast<size_t>(x) * 3 + 2] = GetRValue(c);
    }
    dib.insert(dib.end(), line.begin(), line.end());
  }

  static dialog_test::TemplateBuilder narrow(0x84000000, 0, 0, 30, 40);
  narrow.item(dialog_test::kStatic, 100, "x", 0x50000000, 2, 2, 20, 10);
  static std::vector<unsigned char> narrowBytes(
      reinterpret_cast<const unsigned char*>(narrow.get()),
      reinterpret_cast<const unsigned char*>(narrow.get()) + narrow.size());

  static const win32::ResourceRecord records[] = {
      {2, "TESTBITMAP", 0, dib.data(), dib.size()},
      {5, "NARROWDLG", 0, narrowBytes.data(), narrowBytes.size()},
  };
  win32::register_resources(records, sizeof records / sizeof records[0]);
}

}  // namespace genui_test

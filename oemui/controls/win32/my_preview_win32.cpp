// CMyPreview's window: paints its picture centred on white.
#include <windows.h>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/my_preview.h"
#include "oemui/controls/win32/list_controls_win32.h"

namespace kvt {
namespace {

class PreviewWindow final : public AttachedControl, public PreviewTarget {
 public:
  explicit PreviewWindow(HWND window) : window_(window) {}

  CustomControl Kind() const override { return CustomControl::kPreview; }
  PreviewTarget* AsPreview() override { return this; }

  std::uint32_t SetImage(const CMyDibSection2& image) override {
    const std::uint32_t result = preview_.SetImage(image);
    ::InvalidateRect(window_, nullptr, FALSE);
    return result;
  }

  std::uint32_t Create() { return preview_.OnCreate(); }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    const CMyDibSection2& image = preview_.image();
    if (!image.empty()) {
      const PreviewOrigin origin =
          PreviewPlacement(client.right, client.bottom, image.width(), image.height());
      image.DrawTo(dc, origin.x, origin.y, image.width(), image.height());
      // White around the picture only: filling under it too would flash.
      ::ExcludeClipRect(dc, origin.x, origin.y, origin.x + image.width(),
                        origin.y + image.height());
    }
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::EndPaint(window_, &paint);
  }

 private:
  HWND window_;
  CMyPreview preview_;
};

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = WindowObjectFor<PreviewWindow>(window, message);
  switch (message) {
    case WM_CREATE:
      return self != nullptr && self->Create() == 0 ? 0 : -1;
    case WM_ERASEBKGND:
      // Painting covers every pixel; erasing first would only flicker.
      return 1;
    case WM_PAINT:
      if (self != nullptr) {
        self->Paint();
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

bool RegisterPreviewClass(HMODULE module) {
  return RegisterCustomWindowClass(module, &PreviewProc, IDC_ARROW, kPreviewClass);
}

}  // namespace kvt

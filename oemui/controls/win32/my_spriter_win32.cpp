// CMySpriter's window: draws the grip, shows the north-south cursor and
// reports drags to its parent with message 1632.
#include <windows.h>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/my_spriter.h"
#include "oemui/controls/win32/list_controls_win32.h"

namespace kvt {
namespace {

// The pointer position of a mouse message (as windowsx.h's PointerX,
// whose header would also turn DeleteBitmap into a macro).
int PointerX(LPARAM lparam) { return static_cast<short>(LOWORD(lparam)); }
int PointerY(LPARAM lparam) { return static_cast<short>(HIWORD(lparam)); }

class SplitterWindow final : public AttachedControl {
 public:
  explicit SplitterWindow(HWND window) : window_(window) {}

  CustomControl Kind() const override { return CustomControl::kSplitter; }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    CMyDibSection2 picture;
    if (RenderSplitter(client.right, client.bottom, ::GetSysColor(COLOR_BTNFACE),
                       ::GetSysColor(COLOR_3DDKSHADOW), &picture) == kImageOk) {
      picture.DrawTo(dc, 0, 0, client.right, client.bottom);
    } else {
      ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::EndPaint(window_, &paint);
  }

  void Press(LPARAM lparam) {
    ::SetCapture(window_);
    drag_.Press(PointerX(lparam), PointerY(lparam));
  }

  void Move(LPARAM lparam) {
    if (::GetCapture() != window_) return;
    POINT pointer = {PointerX(lparam), PointerY(lparam)};
    HWND parent = ::GetParent(window_);
    ::MapWindowPoints(window_, parent, &pointer, 1);
    std::uint32_t packed = 0;
    if (drag_.Move(pointer.x, pointer.y, &packed)) {
      ::PostMessageW(parent, kMsgSplitterMoved, packed, 0);
    }
  }

  void Release() {
    drag_.Release();
    if (::GetCapture() == window_) ::ReleaseCapture();
  }

  // Another window took the capture (a message box, Alt+Tab): the drag is
  // over even though no button-up will come.
  void CaptureLost() { drag_.Release(); }

 private:
  HWND window_;
  SplitterDrag drag_;
};

LRESULT CALLBACK SplitterProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = WindowObjectFor<SplitterWindow>(window, message);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (self == nullptr) break;
      self->Paint();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) break;
      ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN:
      if (self == nullptr) break;
      self->Press(lparam);
      return 0;
    case WM_MOUSEMOVE:
      if (self == nullptr) break;
      self->Move(lparam);
      return 0;
    case WM_LBUTTONUP:
      if (self == nullptr) break;
      self->Release();
      return 0;
    case WM_CAPTURECHANGED:
      if (self != nullptr) self->CaptureLost();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

bool RegisterSplitterClass(HMODULE module) {
  return RegisterCustomWindowClass(module, &SplitterProc, IDC_SIZENS, kSplitterClass);
}

}  // namespace kvt

#include "oemui/win32/page_frame_win32.h"

#include "oemui/page_frame.h"

namespace kvt {

void ExcludePictureAndList(HWND page, HDC dc) {
  HWND preview = GetDlgItem(page, kPreviewId);
  HWND list = GetDlgItem(page, kSettingsListId);
  if (preview == nullptr || list == nullptr) return;
  RECT top_left;
  RECT bottom_right;
  GetWindowRect(preview, &top_left);
  GetWindowRect(list, &bottom_right);
  POINT corners[2] = {{top_left.left, top_left.top}, {bottom_right.right, bottom_right.bottom}};
  MapWindowPoints(nullptr, page, corners, 2);
  ExcludeClipRect(dc, corners[0].x - 1, corners[0].y - 1, corners[1].x + 1, corners[1].y + 1);
}

}  // namespace kvt

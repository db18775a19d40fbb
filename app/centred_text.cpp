#include "app/centred_text.h"

namespace varnett {

void DrawCentredText(HDC dc, RECT box, const std::wstring& text) {
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  RECT measure = box;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, format | DT_CALCRECT);
  int height = measure.bottom - measure.top;
  RECT target = box;
  if (height < box.bottom - box.top) target.top += (box.bottom - box.top - height) / 2;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &target, format);
}

std::wstring WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace varnett

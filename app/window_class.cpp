#include "app/window_class.h"

namespace varnett {

bool RegisterWindowClass(WNDCLASSEXW cls) {
  cls.cbSize = sizeof cls;
  return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HICON SmallProgramIcon(HINSTANCE instance) {
  return static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_SHARED));
}

}  // namespace varnett

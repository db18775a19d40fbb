#include "app/window_class.h"

namespace varnett {

bool RegisterWindowClass(WNDCLASSEXW cls) {
  cls.cbSize = sizeof cls;
  return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace varnett

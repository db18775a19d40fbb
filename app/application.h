// The application object: the hidden window that carries the application
// title "Helvane Ver2.3" (the program's taskbar entry, distinct from the main
// window's caption), the message loop, and the default error box in which
// errors escaping a window event are shown.
#pragma once

#include <windows.h>

#include <string>

namespace varnett {

class Application {
 public:
  static constexpr const wchar_t* kTitle = L"Helvane Ver2.3";

  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates the application window; the main window is owned by it.
  bool Initialize(HINSTANCE instance);
  HWND handle() const { return handle_; }

  // The window whose closing ends the message loop.
  void SetMainWindow(HWND main) { main_ = main; }
  // Ends the message loop once the current handler returns.
  void Terminate();
  bool terminated() const { return terminated_; }
  int Run();

  // Minimises the whole application: the main window disappears into the
  // taskbar entry and comes back with it.
  void Minimize();
  // Brings back the main window after the taskbar entry or another copy of
  // the program restored it.
  void Restore();

  // The default error box: the message with a full stop when its last
  // character sorts after ".", the application title, an error icon, OK.
  // Errors that escape a window event or any window procedure come here.
  void ShowException(const std::string& cp949_message);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
  HWND main_ = nullptr;
  bool terminated_ = false;
};

}  // namespace varnett

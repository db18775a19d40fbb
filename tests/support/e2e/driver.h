// Drives the real program from outside, as a user and a screen reader would:
// starts a copy of Varnett.exe, finds its windows by caption, reads its
// controls and message boxes, presses buttons and takes screenshots.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/win32/build_folder.h"
#include "tests/support/win32/top_windows.h"

namespace varnett::e2e {

using support::BuildFolder;
using support::FirstTopWindow;
using support::TextOf;
using support::TopWindows;

// One child control as automation sees it; the position is relative to the
// top-left corner of the main window.
struct Control {
  int id = 0;
  std::wstring cls;
  std::wstring text;
  RECT rect = {};
  bool enabled = false;
  bool visible = false;
};

// A message box of the program: title, text and button captions.
struct Box {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;
};

class Program {
 public:
  // Copies Varnett.exe (or the program at `source`) into `folder` (created),
  // named `name`, so each test has its own start-up log and ".log" file. A
  // copy that fails makes Start fail.
  explicit Program(const std::wstring& folder, const std::wstring& name = L"Varnett.exe",
                   const std::wstring& source = L"");
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  const std::wstring& exe() const { return exe_; }
  // Starts the copy in an empty scratch folder of its own (current_folder())
  // with `arguments` appended to its command line; when it
  // cannot, start_error() says why, with the system's error code and the
  // time the attempt took; made through support::StartForTest, which starts
  // again what Wine reports ended inside its own start-up.
  bool Start(const std::wstring& arguments = L"");
  const std::string& start_error() const { return start_error_; }
  const std::wstring& current_folder() const { return current_folder_; }
  // Waits for the main window to exist (it may still be hidden).
  HWND WaitForWindow(int timeout_ms = 15000);
  // Waits for the main window to become visible and then painted, which a
  // message round trip and its update regions tell. A box that appears first
  // ends the wait: it is answered and its title and text kept in
  // `unexpected`, unless its text is `expected_box`, which is answered and
  // waited past.
  bool WaitVisible(int timeout_ms = 15000, std::wstring* unexpected = nullptr,
                   const std::wstring& expected_box = L"");
  // Waits for a visible dialog-class box of this process.
  bool WaitForBox(Box* box, int timeout_ms = 15000);
  // Presses a box button by its ID (posted, never sent: the box is modal)
  // and waits for the box to go.
  static void Press(HWND box, int id);
  // Closes the main window and waits for the process to end.
  bool Close(int timeout_ms = 15000);
  // Waits for the process to end by itself; false on timeout.
  bool WaitExit(int timeout_ms = 15000, DWORD* code = nullptr);
  HWND window() const { return window_; }
  DWORD pid() const { return process_.dwProcessId; }

 private:
  std::wstring exe_;
  std::string start_error_;
  std::wstring current_folder_;
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

// Returns once the thread of `window` has handled a message sent now, that is
// finished what it was doing and looked at its messages again (a modal box
// runs its own loop, so a box that was coming exists by then). False when it
// did not within the time.
bool RoundTrip(HWND window, int timeout_ms = 5000);

// True once `window` and every window inside it have nothing left to paint.
bool Painted(HWND window);

// Waits until `window`, shown, is Painted: round trips to its thread, which
// let it get back to its loop and handle the paint messages, until nothing
// is left to paint. The condition WaitVisible waits for, and the one to
// meet before a picture of a window is taken. False when it did not come
// within the time, or the window went.
bool WaitPainted(HWND window, int timeout_ms = 5000);

// What failed and the system's error code and text for it, for test messages.
std::string SystemError(const std::string& what, DWORD code = GetLastError());

// The main window's caption, and the main window of any copy.
inline constexpr wchar_t kCaption[] = L"Varnett Ver2.3";
HWND FindMainWindow(DWORD pid);

std::vector<Control> ReadControls(HWND window);
const Control* FindControl(const std::vector<Control>& controls, int id);
RECT WindowRect(HWND window);

// Clicks a point of the main window given relative to its top-left corner.
void ClickAt(HWND window, int x, int y, bool double_click = false);
// A real click at a point of the screen: the system decides which window
// gets it, as for a click of the user's.
bool ClickOnScreen(int x, int y);

// A key pressed and released, as the keyboard would send it to `target`.
void PostKey(HWND target, UINT virtual_key);
// The window that has the keyboard focus in the thread of `window`, read
// after a message round trip: while the thread handles a key, the focus may
// pass through the window itself on its way to a control.
HWND FocusIn(HWND window);

// What the screen shows in a rectangle: bottom-up 24-bit rows.
struct Picture {
  int width = 0, height = 0;
  std::string bits;
};
Picture Capture(const RECT& screen_rect);

// Saves what the screen shows of `window` as a 24-bit BMP; false on failure.
bool SaveScreenshot(HWND window, const std::wstring& path);

// Registry and folder preparation.
bool SetString(HKEY root, const std::wstring& key, const std::wstring& name,
               const std::wstring& value);
bool SetDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name);
bool MakeFolders(const std::wstring& path);
bool WriteFile(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
std::string ReadFile(const std::wstring& path);

// The system's DPI, which the program scales its 96-DPI design to, and a
// designed length at that DPI (rounded like the program rounds).
int Dpi();
inline int Scaled(int designed) { return MulDiv(designed, Dpi(), 96); }

// For test messages.
std::string Utf8(const std::wstring& text);

// Environment variable, empty when unset.
std::wstring Env(const wchar_t* name);

}  // namespace varnett::e2e

// The main window: a banner and one section per game edition, each with four
// command buttons, plus a home-page button per edition. Its controls come
// from the layout table (main_window_layout.h), what shows and works from
// the state rules (window_state.h), the banner's painting from banner.h; the
// window itself is the plumbing between them and the commands.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "actions/game_commands.h"
#include "actions/virtual_drive_set.h"
#include "app/application.h"
#include "app/banner.h"
#include "app/locator_thread.h"
#include "app/main_window_layout.h"
#include "app/skin.h"
#include "app/win32_dialogs.h"
#include "app/win32_platform.h"
#include "app/win32_wait_windows.h"
#include "app/window_state.h"
#include "locator/edition_paths.h"

namespace varnett {

class MainWindow {
 public:
  // `locator`, when given, may have found the folders ahead of OnFirstShow.
  MainWindow(Win32Platform& platform, Application& application, const SkinTheme& theme,
             LocatorThread* locator = nullptr);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window with its controls (hidden) and runs OnCreate.
  bool Create(HINSTANCE instance);
  // Runs OnFirstShow, then places and shows the window unless the program is
  // ending.
  void Show();
  HWND handle() const { return handle_; }

 private:
  // One control of the layout table, as made.
  struct Control {
    const ControlDesign* design;
    HWND handle;
    DesignedRect rect;  // where it is now, relative to its parent, at 96 DPI
  };

  // Window events.
  void OnCreate();     // the single-instance guard and the placement
  void OnFirstShow();  // looks for the editions and applies the state rules
  void OnClose();      // removes the virtual drives
  void OnDestroy();    // deletes the ".log" file beside the program

  // The commands of the sections' buttons.
  void OnOpenGameFolder(GameEdition edition);
  void OnOpenScreenshotFolder();
  void OnDeleteScreenshots();
  void OnResetGame(GameEdition edition);
  void OnOpenHomePage(GameEdition edition);

  // Closing runs once: commands started after it do nothing, and a close
  // asked for while a command runs waits for that command to end.
  void RequestClose();
  void Close();

  void CreateControls();
  const Control* ControlWithId(int id) const;
  HWND ControlHandle(int id) const;
  void ApplyState(const WindowState& state);
  // Sizes and positions are designed at 96 DPI; these keep the design and
  // put it on the screen scaled to the window's DPI.
  void Place(Control& control, const DesignedRect& rect);
  void SetOuterSize(int width, int height);
  void ApplyDpi(int dpi);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void PassFocusOn();
  void OnCommand(int id);
  void RunCommand(int id);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void DrawSectionTitle(const DRAWITEMSTRUCT& item);
  void Paint();
  void ShowSystemMenu();
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  Win32Platform& platform_;
  Application& application_;
  const SkinTheme& theme_;
  LocatorThread* locator_;
  SkinFrame frame_;
  HWND handle_ = nullptr;
  HWND bottom_edge_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  HICON icon_ = nullptr;
  BannerPictures banner_;
  std::vector<Control> controls_;  // in the order of the layout table
  bool first_instance_ = true;     // no other copy ran when the window was made
  bool centre_ = false;
  bool closing_ = false;
  int running_commands_ = 0;  // more than one while commands run nested in a wait
  SIZE designed_size_ = {};
  int dpi_ = 96;

  // Process-wide values: the folders found at show time and the three
  // virtual drive slots.
  EditionPaths paths_;
  VirtualDriveSet drive_slots_;
  // The window owns its boxes and wait windows, so they and the commands
  // that show them are made once it exists.
  std::optional<Win32Dialogs> dialogs_;
  std::optional<Win32WaitWindows> waits_;
  std::optional<GameCommands> commands_;
};

}  // namespace varnett

// The main window `fMain`: a banner and one section per game edition, each
// with four command buttons, plus a home-page button per edition.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "actions/folder_commands.h"
#include "actions/virtual_drive_set.h"
#include "app/application.h"
#include "app/locator_thread.h"
#include "app/scoped_gdi.h"
#include "app/skin.h"
#include "app/win32_dialogs.h"
#include "app/win32_platform.h"
#include "app/win32_wait_windows.h"
#include "app/window_state.h"
#include "locator/edition_paths.h"

namespace varnett {

class TfMain {
 public:
  // `locator`, when given, may have found the folders ahead of FormShow.
  TfMain(Win32Platform& platform, Application& application, const SkinTheme& theme,
         LocatorThread* locator = nullptr);
  ~TfMain();
  TfMain(const TfMain&) = delete;
  TfMain& operator=(const TfMain&) = delete;

  // Creates the window with its controls (hidden) and runs FormCreate.
  bool Create(HINSTANCE instance);
  // Runs FormShow, then places and shows the window unless the program is
  // ending.
  void Show();
  HWND handle() const { return handle_; }

  // Process-wide values: the folders found at show time and the three
  // virtual drive slots.
  EditionPaths paths;
  VirtualDriveSet drives;
  bool IsFirstInstance = true;

 private:
  // Window events.
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();

  // Button commands.
  void Netmarble_Button1Click();
  void Netmarble_Button2Click();
  void Netmarble_Button3Click();
  void Netmarble_Button4Click();
  void Button7Click();
  void Nexon_Button1Click();
  void Nexon_Button3Click();
  void Button10Click();

  // Closing runs once: commands started after it do nothing, and a close
  // asked for while a command runs waits for that command to end.
  void RequestClose();
  void Close();

  void CreateControls();
  void ApplyState(const WindowState& state);
  // Sizes and positions are designed at 96 DPI; these keep the design and
  // put it on the screen scaled to the window's DPI.
  HWND Keep(HWND control, int x, int y, int width, int height);
  void MoveUp(HWND control, int designed_pixels);
  void SetOuterSize(int width, int height);
  void ApplyDpi(int dpi);
  void ScaleBanner();  // the banner at dpi_ (none needed at the designed DPI)
  void OnDpiChanged(int dpi, const RECT& suggested);
  void PassFocusOn();
  void OnCommand(int id);
  void RunCommand(int id);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void DrawBannerItem(const DRAWITEMSTRUCT& item);
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
  ScopedBitmap banner_;         // Image1, as designed (96 DPI)
  ScopedBitmap scaled_banner_;  // Image1 at the window's DPI, when that differs
  ScopedBitmap picture_;        // Image2
  bool centre_ = false;
  bool closing_ = false;
  int running_commands_ = 0;  // more than one while commands run nested in a wait

  struct Placement {
    HWND control;
    RECT designed;  // relative to the parent, at 96 DPI
  };
  std::vector<Placement> placements_;
  SIZE designed_size_ = {};
  int dpi_ = 96;
  // The window owns its boxes and wait windows, so they and the commands
  // that show them are made once it exists.
  std::optional<Win32Dialogs> dialogs_;
  std::optional<Win32WaitWindows> waits_;
  std::optional<FolderCommands> commands_;

  // Controls, by their designed names.
  HWND Label3 = nullptr;
  HWND Netmarble_Button1 = nullptr;
  HWND Netmarble_Button2 = nullptr;
  HWND Netmarble_Button3 = nullptr;
  HWND Netmarble_Button4 = nullptr;
  HWND Panel1 = nullptr;
  HWND Image1 = nullptr;
  HWND Label1 = nullptr;
  HWND Label2 = nullptr;
  HWND Image2 = nullptr;
  HWND Button7 = nullptr;
  HWND Label4 = nullptr;
  HWND Nexon_Button1 = nullptr;
  HWND Nexon_Button2 = nullptr;
  HWND Nexon_Button3 = nullptr;
  HWND Nexon_Button4 = nullptr;
  HWND Button10 = nullptr;
};

}  // namespace varnett

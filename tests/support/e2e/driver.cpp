#include "tests/support/e2e/driver.h"

#include <filesystem>
#include <fstream>

#include "tests/support/file_bytes.h"
#include "tests/support/win32/temp_folder.h"
#include "tests/support/win32/test_process.h"
#include "text/conversions.h"
#include "text/win32/system_error_text.h"

namespace varnett::e2e {

bool MakeFolders(const std::wstring& path) {
  for (size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
  }
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

Program::Program(const std::wstring& folder, const std::wstring& name, const std::wstring& source) {
  exe_ = folder + L"\\" + name;
  if (!MakeFolders(folder)) {
    start_error_ = SystemError("creating " + Utf8(folder));
  } else if (!CopyFileW((source.empty() ? BuildFolder() + L"\\Varnett.exe" : source).c_str(),
                        exe_.c_str(), FALSE)) {
    start_error_ = SystemError("copying " + Utf8(source.empty() ? L"Varnett.exe" : source) +
                               " into " + Utf8(folder));
  }
}

Program::~Program() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  if (!current_folder_.empty()) support::RemoveTree(current_folder_);
}

bool Program::Start(const std::wstring& arguments) {
  if (!start_error_.empty()) return false;
  std::wstring cmd = L"\"" + exe_ + L"\"";
  if (!arguments.empty()) cmd += L" " + arguments;
  const support::TestStart start = support::StartForTest(exe_, cmd);
  if (!start.current_folder.empty()) {
    if (!current_folder_.empty()) support::RemoveTree(current_folder_);
    current_folder_ = start.current_folder;
  }
  if (start.started) {
    process_ = start.process;
    return true;
  }
  start_error_ = SystemError("starting " + Utf8(exe_) + " (try " + std::to_string(start.tries) +
                                 ", " + std::to_string(start.last_try_ms) + " ms)",
                             start.error);
  return false;
}

std::string SystemError(const std::string& what, DWORD code) {
  const std::u16string message = SystemErrorText(code);
  return what + " failed: error " + std::to_string(code) +
         (message.empty() ? "" : " (" + Utf16ToUtf8(message) + ")");
}

bool RoundTrip(HWND window, int timeout_ms) {
  DWORD_PTR result;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout_ms),
                             &result) != 0;
}

namespace {

BOOL CALLBACK FindUnpainted(HWND child, LPARAM lparam) {
  if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(lparam) = false;
  return FALSE;
}

}  // namespace

bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

bool WaitPainted(HWND window, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 20) {
    if (!RoundTrip(window)) return false;
    if (Painted(window)) return true;
    Sleep(20);
  }
  return false;
}

HWND FindMainWindow(DWORD pid) { return FirstTopWindow({pid, nullptr, kCaption, false}); }

HWND Program::WaitForWindow(int timeout_ms) {
  for (int waited = 0; waited < timeout_ms && !window_; waited += 20) {
    window_ = FindMainWindow(process_.dwProcessId);
    if (!window_) Sleep(20);
  }
  return window_;
}

bool Program::WaitVisible(int timeout_ms, std::wstring* unexpected,
                          const std::wstring& expected_box) {
  if (!WaitForWindow(timeout_ms)) return false;
  for (int waited = 0; waited < timeout_ms; waited += 20) {
    if (IsWindowVisible(window_)) return WaitPainted(window_, timeout_ms - waited);
    HWND box = FirstTopWindow({process_.dwProcessId, L"#32770"});
    if (box) {
      RoundTrip(box);
      std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
      Press(box, IDOK);
      if (!expected_box.empty() && text == expected_box) continue;
      if (unexpected) *unexpected = TextOf(box) + L": " + text;
      return false;
    }
    Sleep(20);
  }
  return false;
}

bool Program::WaitForBox(Box* box, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 20) {
    HWND found = FirstTopWindow({process_.dwProcessId, L"#32770"});
    if (found) {
      RoundTrip(found);  // laid out before its loop looks at messages
      box->window = found;
      box->title = TextOf(found);
      box->text = TextOf(GetDlgItem(found, 0xFFFF));
      box->buttons.clear();
      for (int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
        HWND b = GetDlgItem(found, id);
        if (b) box->buttons.push_back(TextOf(b));
      }
      return true;
    }
    Sleep(20);
  }
  return false;
}

void Program::Press(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
  for (int waited = 0; waited < 5000 && IsWindow(box) && IsWindowVisible(box); waited += 10)
    Sleep(10);
}

bool Program::Close(int timeout_ms) {
  if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
  return WaitExit(timeout_ms);
}

bool Program::WaitExit(int timeout_ms, DWORD* code) {
  if (!process_.hProcess) return false;
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0)
    return false;
  if (code) GetExitCodeProcess(process_.hProcess, code);
  return true;
}

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

namespace {

struct ChildScan {
  HWND top;
  std::vector<Control>* out;
};

BOOL CALLBACK AddChild(HWND child, LPARAM lparam) {
  auto* scan = reinterpret_cast<ChildScan*>(lparam);
  Control c;
  c.id = GetDlgCtrlID(child);
  c.cls = support::ClassOf(child);
  c.text = TextOf(child);
  RECT r = WindowRect(child);
  RECT top = WindowRect(scan->top);
  c.rect = RECT{r.left - top.left, r.top - top.top, r.right - top.left, r.bottom - top.top};
  c.enabled = IsWindowEnabled(child);
  c.visible = IsWindowVisible(child);
  scan->out->push_back(c);
  return TRUE;
}

}  // namespace

std::vector<Control> ReadControls(HWND window) {
  std::vector<Control> controls;
  ChildScan scan{window, &controls};
  EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(&scan));
  return controls;
}

const Control* FindControl(const std::vector<Control>& controls, int id) {
  for (const Control& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

void ClickAt(HWND window, int x, int y, bool double_click) {
  LPARAM at = MAKELPARAM(x, y);
  PostMessageW(window, WM_MOUSEMOVE, 0, at);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
  if (double_click) {
    PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
  }
}

bool ClickOnScreen(int x, int y) {
  // The pointer may take a moment to get there; the click waits for it.
  bool there = false;
  for (int attempt = 0; attempt < 100 && !there; ++attempt) {
    POINT at;
    there = SetCursorPos(x, y) && GetCursorPos(&at) && at.x == x && at.y == y;
    if (!there) Sleep(20);
  }
  if (!there) return false;
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return SendInput(2, input, sizeof(INPUT)) == 2;
}

void PostKey(HWND target, UINT virtual_key) {
  UINT scan = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, virtual_key, 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, virtual_key, 1 | (scan << 16) | 0xC0000000u);
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  RoundTrip(window);
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

Picture Capture(const RECT& r) {
  Picture picture;
  picture.width = r.right - r.left;
  picture.height = r.bottom - r.top;
  if (picture.width <= 0 || picture.height <= 0) return picture;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BOOL copied = BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top,
                       SRCCOPY | CAPTUREBLT);
  GdiFlush();
  SelectObject(memory, old);
  size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
  if (copied && bits)
    picture.bits.assign(static_cast<const char*>(bits),
                        stride * static_cast<size_t>(picture.height));
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
  Picture picture = Capture(WindowRect(window));
  if (picture.bits.empty()) return false;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.bits.size());
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(picture.bits.data(), static_cast<std::streamsize>(picture.bits.size()));
  return out.good();
}

bool SetString(HKEY root, const std::wstring& key, const std::wstring& name,
               const std::wstring& value) {
  HKEY k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG rc = RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return rc == ERROR_SUCCESS;
}

bool SetDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
  HKEY k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG rc = RegSetValueExW(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof value);
  RegCloseKey(k);
  return rc == ERROR_SUCCESS;
}

void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) {
  HKEY k;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
  RegDeleteValueW(k, name.c_str());
  RegCloseKey(k);
}

bool WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out << bytes;
  return out.good();
}

bool FileExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFile(const std::wstring& path) { return FileBytes(path); }

// The program is DPI aware, and so is its driver: a DPI-unaware one would be
// shown every position of it scaled back to 96 DPI on a high-DPI Windows PC.
// Done on first use, which may come before main (test constants use it).
[[maybe_unused]] const bool kDpiAware = Dpi() > 0;

int Dpi() {
  static const bool aware = SetProcessDPIAware() != FALSE;
  (void)aware;
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::string Utf8(const std::wstring& text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[2048];
  DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
  return n > 0 && n < 2048 ? std::wstring(buffer, n) : std::wstring();
}

}  // namespace varnett::e2e

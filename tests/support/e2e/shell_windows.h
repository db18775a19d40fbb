// What the folder commands leave behind outside the program: windows of the
// shell on drive roots and the test prefix's "subst" log.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace varnett::e2e {

// Polls `done` every 20 ms until it holds or the time is up.
bool WaitFor(const std::function<bool()>& done, int timeout_ms = 15000);

// The shell's window on a drive's root ("X:"), which it names "<label> (X:)";
// with an empty drive, the first shell window on any drive root, whose drive
// goes to `drive`.
HWND ShellWindowOn(const std::wstring& drive);
HWND AnyShellWindowOnADrive(std::wstring* drive);
// Closes a window of another program and waits for it to go.
void CloseAndWait(HWND window);

// The lines of a UTF-8 text file, without line ends and trailing blanks.
std::vector<std::wstring> LogLines(const std::wstring& path);
std::wstring SystemFolder();
// Every command line the prefix's "subst" was given (its log in system32).
std::vector<std::wstring> SubstLog();

// The message of a wait window.
std::wstring WaitWindowText(HWND wait);

// Presses a control of the main window the way a click does (posted).
void Click(HWND main, int id);

}  // namespace varnett::e2e

// What the commands leave behind outside the program: windows of the shell
// on drive roots, the test prefix's "subst" log and the stand-in browser's.
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
// Every command line the prefix's "subst" was given (its log in system32),
// and that log emptied.
std::vector<std::wstring> SubstLog();
void ClearSubstLog();

// Presses a folder button of the main window, waits for the shell's window on
// the drive the command made and closes it: the drive ("X:"), or "" when no
// such window showed.
std::wstring OpenFolderOnADrive(HWND main, int id);

// The stand-in browser made the prefix's browser for http and https, its log
// emptied; false when the build has none. Its log holds a line for every
// address it was given.
bool UseStandInBrowser();
std::wstring BrowserLog();

// The message of a wait window.
std::wstring WaitWindowText(HWND wait);

// Presses a control of the main window the way a click does (posted).
void Click(HWND main, int id);

}  // namespace varnett::e2e

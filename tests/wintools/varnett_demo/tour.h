// The demo's tour: every button of the running window pressed in turn.
#pragma once

#include <string>

namespace varnett::demo {

// Presses every button of the demo's running window in turn, answering Yes
// to each question, saving a picture of what each press brings up into
// `pictures` and saying on standard output what happened; at the end closes
// the window, which removes the drives. False when a step did not come to
// pass (the window never showed, a folder did not open, it did not close).
// The home pages go to whichever browser the prefix has; when that is the
// stand-in, `browser_log` is where it writes what it was given.
bool PressEveryButton(const std::wstring& pictures, const std::wstring& browser_log);

// Saves a picture (BMP) of the demo's main window once it shows and has
// painted; false when it did not within the time.
bool PictureOfWindow(const std::wstring& path);

}  // namespace varnett::demo

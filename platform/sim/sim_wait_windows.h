// Wait windows that only record what was opened and closed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/wait_windows.h"

namespace varnett {

class SimWaitWindows : public WaitWindows {
 public:
  // "open N TEXT" and "close N", in call order.
  std::vector<std::string> calls;
  // Handles of the windows still open, oldest first.
  std::vector<Handle> open;
  // Runs after a window opens, as the messages processed then would (optional).
  std::function<void()> while_open;

  Handle Open(const std::string& text) override {
    Handle handle = ++last_;
    calls.push_back("open " + std::to_string(handle) + " " + text);
    open.push_back(handle);
    if (while_open) while_open();
    return handle;
  }
  void Close(Handle handle) override {
    calls.push_back("close " + std::to_string(handle));
    for (auto it = open.begin(); it != open.end(); ++it) {
      if (*it == handle) {
        open.erase(it);
        break;
      }
    }
  }

 private:
  Handle last_ = 0;
};

}  // namespace varnett

// Message boxes answered from a script; every box shown is recorded.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace varnett {

class SimDialogs : public Dialogs {
 public:
  // "info TEXT", "confirm TEXT" or "system TITLE|TEXT", in the order shown.
  std::vector<std::string> shown;
  // Answers for the next confirmation boxes; a box with no answer left says No.
  std::deque<bool> answers;
  // Runs while a box is open, as the user's other clicks would (optional).
  std::function<void()> while_open;

  void Information(const std::string& text) override {
    shown.push_back("info " + text);
    if (while_open) while_open();
  }
  bool Confirm(const std::string& text) override {
    shown.push_back("confirm " + text);
    if (while_open) while_open();
    if (answers.empty()) return false;
    bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void SystemMessage(const std::string& text, const std::string& title) override {
    shown.push_back("system " + title + "|" + text);
  }
};

}  // namespace varnett

#include "locator/locator_ahead.h"

#include <utility>

#include "locator/install_locator.h"

namespace varnett {

void HeldBackDialogs::Information(const std::string& text) {
  boxes_.push_back({Box::Kind::kInformation, text, {}});
}

bool HeldBackDialogs::Confirm(const std::string& text) {
  boxes_.push_back({Box::Kind::kConfirmation, text, {}});
  return false;
}

void HeldBackDialogs::SystemMessage(const std::string& text, const std::string& title) {
  boxes_.push_back({Box::Kind::kSystem, text, title});
}

void HeldBackDialogs::ShowThrough(Dialogs& dialogs) {
  std::vector<Box> boxes;
  boxes.swap(boxes_);
  for (const Box& box : boxes) {
    switch (box.kind) {
      case Box::Kind::kInformation:
        dialogs.Information(box.text);
        break;
      case Box::Kind::kConfirmation:
        dialogs.Confirm(box.text);
        break;
      case Box::Kind::kSystem:
        dialogs.SystemMessage(box.text, box.title);
        break;
    }
  }
}

void LocatorAhead::Run() noexcept {
  try {
    InstallLocator({environment_, registry_, files_, held_}).Run(paths_);
  } catch (...) {
    error_ = std::current_exception();
  }
}

void LocatorAhead::TakeResults(Dialogs& dialogs, EditionPaths& paths) {
  held_.ShowThrough(dialogs);
  paths = std::move(paths_);
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

}  // namespace varnett

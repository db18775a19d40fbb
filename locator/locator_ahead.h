// The locator run ahead of the window: started on another thread while the
// main window is being built, so the catalogue is read on the second core.
// Nothing it finds reaches the user before the window's own thread takes the
// results: the boxes it would have shown are held back and shown then, in
// the order they came, by the window that owns them, followed by the error
// that ended the run, if any.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "locator/edition_paths.h"
#include "locator/locator_system.h"
#include "platform/dialogs.h"

namespace varnett {

// Boxes noted instead of shown, to be shown later through other dialogs.
class HeldBackDialogs : public Dialogs {
 public:
  void Information(const std::string& text) override;
  // A question cannot wait for its answer: it is held back and answered No.
  // The locator asks none.
  bool Confirm(const std::string& text) override;
  void SystemMessage(const std::string& text, const std::string& title) override;

  // Shows every box held back, in order, and forgets them.
  void ShowThrough(Dialogs& dialogs);

 private:
  struct Box {
    enum class Kind { kInformation, kConfirmation, kSystem } kind;
    std::string text;
    std::string title;  // system boxes only
  };
  std::vector<Box> boxes_;
};

class LocatorAhead {
 public:
  // The parts of the system the locator reads; its boxes are held back.
  LocatorAhead(Environment& environment, Registry& registry, FileSystem& files)
      : environment_(environment), registry_(registry), files_(files) {}
  LocatorAhead(const LocatorAhead&) = delete;
  LocatorAhead& operator=(const LocatorAhead&) = delete;

  // Runs the whole locator; on any thread, once. Never throws: the error
  // that ends the run is kept for TakeResults.
  void Run() noexcept;

  // On the window's thread, after Run has returned: shows the boxes held
  // back through `dialogs`, in order, fills `paths` as the run left them,
  // then raises the error that ended the run, if there was one, exactly as
  // a locator run on this thread would have raised it.
  void TakeResults(Dialogs& dialogs, EditionPaths& paths);

 private:
  Environment& environment_;
  Registry& registry_;
  FileSystem& files_;
  HeldBackDialogs held_;
  EditionPaths paths_;
  std::exception_ptr error_;
};

}  // namespace varnett

// The data module `fDM`: created before the main window, because the main
// window's frame and buttons take their look from its theme while they are
// created.
#pragma once

#include "app/skin.h"

namespace varnett {

struct TfDM {
  varnett::SkinTheme SkinTheme;
};

}  // namespace varnett

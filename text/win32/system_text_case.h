#pragma once

#include "text/text_case.h"

namespace varnett {

// The system's upper-casing applied to the text read as code page 949,
// whatever the machine's own ANSI code page is.
class Win32TextCase : public TextCase {
 public:
  std::string UpperCase(const std::string& cp949) override;
};

}  // namespace varnett

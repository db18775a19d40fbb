// A café prepared in the test prefix: the hidden folder and the editions'
// install folders, made known through the editions' registry values.
#pragma once

#include <string>

namespace varnett::e2e {

struct Cafe {
  bool netmarble = false;
  bool nexon = false;
};

// Root of everything the tests create inside the prefix.
inline const std::wstring kRoot = L"C:\\varnett-e2e";

// Creates the folders and sets (or removes) the registry values so the next
// start finds exactly the editions asked for.
void PrepareCafe(const Cafe& cafe);

}  // namespace varnett::e2e

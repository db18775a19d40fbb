// An in-memory registry: values are set by tests, reads are recorded.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/registry.h"
#include "text/cp949.h"

namespace varnett {

class SimRegistry : public Registry {
 public:
  void SetText(RegistryRoot root, const std::string& key, const std::string& name,
               const std::string& text) {
    values_[{root, Upper(key), Upper(name)}] = {RegistryValue::Kind::kText, text};
  }
  void SetOtherType(RegistryRoot root, const std::string& key, const std::string& name) {
    values_[{root, Upper(key), Upper(name)}] = {RegistryValue::Kind::kOtherType, ""};
  }

  // Each read as "HKCU\key\name" or "HKLM\key\name".
  std::vector<std::string> reads;

  RegistryValue Read(RegistryRoot root, const std::string& key, const std::string& name) override {
    reads.push_back(std::string(root == RegistryRoot::kCurrentUser ? "HKCU\\" : "HKLM\\") + key +
                    "\\" + name);
    auto it = values_.find({root, Upper(key), Upper(name)});
    return it == values_.end() ? RegistryValue{} : it->second;
  }

 private:
  static std::string Upper(const std::string& s) { return AsciiUpperCase(s); }
  std::map<std::tuple<RegistryRoot, std::string, std::string>, RegistryValue> values_;
};

}  // namespace varnett

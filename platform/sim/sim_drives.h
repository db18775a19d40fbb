// Drive letters held in a table the test fills; every query is recorded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace varnett {

class SimDrives : public Drives {
 public:
  struct Drive {
    uint32_t type = kDriveFixed;
    std::string target;
    bool target_readable = true;
  };
  // Upper-case letter -> drive; letters not here are free.
  std::map<char, Drive> letters;
  // "type Z:\" and "target Z:", in call order.
  std::vector<std::string> queries;

  void Use(char letter, const std::string& target, uint32_t type = kDriveFixed) {
    letters[letter] = Drive{type, target, true};
  }
  void Free(char letter) { letters.erase(letter); }
  // Every letter from A to Z in use.
  void UseAll() {
    for (char c = 'A'; c <= 'Z'; ++c) Use(c, std::string("\\Device\\Disk") + c);
  }

  uint32_t DriveType(const std::string& root) override {
    queries.push_back("type " + root);
    auto it = root.empty() ? letters.end() : letters.find(root[0]);
    return it == letters.end() ? kDriveNoRootDir : it->second.type;
  }
  std::string DosDeviceTarget(const std::string& drive_name) override {
    queries.push_back("target " + drive_name);
    auto it = drive_name.empty() ? letters.end() : letters.find(drive_name[0]);
    if (it == letters.end() || !it->second.target_readable) return {};
    return it->second.target;
  }
};

}  // namespace varnett

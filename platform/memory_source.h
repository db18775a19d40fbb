// A read-at-offset source over bytes held in memory (tests, fuzzing, tools).
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "platform/file_system.h"

namespace varnett {

class MemorySource : public ReadSource {
 public:
  explicit MemorySource(std::string bytes)
      : bytes_(std::make_shared<const std::string>(std::move(bytes))) {}
  // Bytes held elsewhere too, read where they are.
  explicit MemorySource(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}
  uint64_t Size() const override { return bytes_->size(); }
  bool ReadAt(uint64_t offset, void* buffer, size_t count) override {
    if (offset > bytes_->size() || count > bytes_->size() - offset) return false;
    if (count != 0) std::memcpy(buffer, bytes_->data() + offset, count);
    return true;
  }

 private:
  std::shared_ptr<const std::string> bytes_;
};

}  // namespace varnett

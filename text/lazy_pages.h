// Answers the system gives a character at a time, kept: a table of 65,536
// entries, indexed by a UTF-16 unit or a CP949 pair, made a page of 256 at a
// time when the page is first asked for and kept for the life of the process.
// Asking the system costs far more than reading the table, and most texts
// use a few pages. Safe to read from several threads.
#pragma once

#include <atomic>
#include <mutex>

namespace varnett {

template <typename Entry>
class LazyPages {
 public:
  // Fills the 256 entries of page `page` (the index's high byte).
  using Fill = void (*)(unsigned page, Entry* entries);

  // Constant-initialised, so a table at namespace scope is ready before any
  // other start-up code could ask it.
  constexpr explicit LazyPages(Fill fill) : fill_(fill) {}
  LazyPages(const LazyPages&) = delete;
  LazyPages& operator=(const LazyPages&) = delete;

  // `index` below 65,536.
  Entry At(unsigned index) {
    const Entry* page = pages_[index >> 8].load(std::memory_order_acquire);
    if (!page) page = Make(index >> 8);
    return page[index & 0xFF];
  }

 private:
  const Entry* Make(unsigned page) {
    std::lock_guard<std::mutex> lock(mutex_);
    const Entry* done = pages_[page].load(std::memory_order_acquire);
    if (done) return done;
    Entry* entries = new Entry[256];  // kept for the life of the process
    fill_(page, entries);
    pages_[page].store(entries, std::memory_order_release);
    return entries;
  }

  Fill fill_;
  std::atomic<const Entry*> pages_[256] = {};
  std::mutex mutex_;
};

}  // namespace varnett

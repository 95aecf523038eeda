#pragma once
// Watches the allocations through operator new, to show that a large text is not copied. The
// header replaces the global operator new: include it in one file of a test program only.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace wintarvel::testing::allocations {

inline std::atomic<bool> watching{false};
inline std::atomic<std::size_t> largest{0};
inline std::atomic<std::size_t> countFrom{SIZE_MAX};
inline std::atomic<int> counted{0};

// Starts watching afresh: the largest allocation, and how many are at least `threshold` bytes.
inline void watch(std::size_t threshold = SIZE_MAX) {
  largest = 0;
  counted = 0;
  countFrom = threshold;
  watching = true;
}

inline void stop() {
  watching = false;
}

inline void note(std::size_t size) {
  if (!watching.load(std::memory_order_relaxed)) return;
  std::size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size)) {
  }
  if (size >= countFrom.load(std::memory_order_relaxed)) counted.fetch_add(1);
}

}  // namespace wintarvel::testing::allocations

void* operator new(std::size_t size) {
  wintarvel::testing::allocations::note(size);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

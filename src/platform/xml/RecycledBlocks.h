#pragma once

#include <array>
#include <cstddef>
#include <new>

namespace tovrel {

// Recycles the blocks of one small size that a walk through a document allocates and frees at
// every step (the node handles), keeping up to kKept freed blocks per thread for the next
// allocations. What a thread keeps is plain data, so nothing runs when the thread ends (the
// library may be unloaded by then); the blocks it kept are not returned (at most kKept × kSize
// bytes per thread that walked a document).
template <std::size_t kSize>
class RecycledBlocks {
 public:
  static void* Allocate() {
    if constexpr (kSanitized) return ::operator new(kSize);
    Kept& kept = ThreadKept();
    if (kept.count > 0) return kept.blocks[--kept.count];
    return ::operator new(kSize);
  }

  static void Free(void* block) {
    Kept& kept = ThreadKept();
    if (!kSanitized && kept.count < kKept) {
      kept.blocks[kept.count++] = block;
    } else {
      ::operator delete(block);
    }
  }

 private:
  static constexpr std::size_t kKept = 32;
  // Under AddressSanitizer every block goes back at once, so that it sees each handle's life.
#if defined(__SANITIZE_ADDRESS__)
  static constexpr bool kSanitized = true;
#elif defined(__has_feature)
  static constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
  static constexpr bool kSanitized = false;
#endif
  struct Kept {
    std::array<void*, kKept> blocks;
    std::size_t count;
  };
  static Kept& ThreadKept() {
    thread_local constinit Kept kept{};
    return kept;
  }
};

// Gives a class its allocations from RecycledBlocks: for the handles a walk makes and drops at
// every step.
template <typename Derived>
struct RecycledAllocation {
  static void* operator new(std::size_t size) {
    return size == sizeof(Derived) ? RecycledBlocks<sizeof(Derived)>::Allocate()
                                   : ::operator new(size);
  }
  static void operator delete(void* block, std::size_t size) {
    if (size == sizeof(Derived)) {
      RecycledBlocks<sizeof(Derived)>::Free(block);
    } else {
      ::operator delete(block);
    }
  }
};

}  // namespace tovrel

// A small open-addressing hash index: maps keys to indices of an array the
// caller owns, so the lookups of merging, accumulation and pairing stay
// linear without a node allocation per section. Keys are compared through
// the caller's predicate on the stored index.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

namespace kvem::detail {

class IndexTable {
 public:
  explicit IndexTable(std::size_t expected) {
    std::size_t size = 16;
    while (size < expected * 2) size *= 2;
    slots_.assign(size, 0);
    mask_ = size - 1;
  }

  // The slot of the entry whose stored index satisfies `equal`, or the empty
  // slot where such an entry goes. A slot holds index + 1; 0 is empty.
  template <typename Equal>
  std::uint32_t& Slot(std::uint64_t hash, Equal&& equal) {
    std::size_t i = static_cast<std::size_t>(Mix(hash)) & mask_;
    for (;;) {
      std::uint32_t& slot = slots_[i];
      if (slot == 0 || equal(slot - 1)) return slot;
      i = (i + 1) & mask_;
    }
  }

  // Lookup only: the stored index or -1.
  template <typename Equal>
  long Find(std::uint64_t hash, Equal&& equal) const {
    std::size_t i = static_cast<std::size_t>(Mix(hash)) & mask_;
    for (;;) {
      const std::uint32_t slot = slots_[i];
      if (slot == 0) return -1;
      if (equal(slot - 1)) return static_cast<long>(slot - 1);
      i = (i + 1) & mask_;
    }
  }

 private:
  static std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
  }

  std::vector<std::uint32_t> slots_;
  std::size_t mask_ = 0;
};

inline std::uint64_t HashText(std::string_view text) {
  return std::hash<std::string_view>{}(text);
}

// Hash of a double that agrees with ==: 0.0 and -0.0 hash alike.
inline std::uint64_t HashDouble(double value) {
  if (value == 0.0) value = 0.0;
  return std::bit_cast<std::uint64_t>(value);
}

inline std::uint64_t Combine(std::uint64_t seed, std::uint64_t value) {
  return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

}  // namespace kvem::detail

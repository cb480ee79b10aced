// A small open-addressing hash index: maps keys to indices of an array the
// caller owns, so the lookups of merging, accumulation and pairing stay
// linear without a node allocation per section. Keys are compared through
// the caller's predicate on the stored index; each slot also keeps 32 bits
// of the key's hash, so a probe past another key rarely has to look at the
// caller's array.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>

#include "platform/large_data.h"

namespace kvem::detail {

class IndexTable {
 public:
  explicit IndexTable(std::size_t expected) {
    std::size_t size = 16;
    while (size < expected * 2) size *= 2;
    slots_.assign(size, 0);
    mask_ = size - 1;
  }

  // A reference to the index stored for the key (index + 1; 0 when the key
  // is new, to be set by the caller). `equal` tells whether a stored index
  // holds the key.
  class Entry {
   public:
    Entry(std::uint64_t& slot, std::uint32_t tag) : slot_(slot), tag_(tag) {}
    std::uint32_t get() const { return static_cast<std::uint32_t>(slot_); }
    operator std::uint32_t() const { return get(); }  // NOLINT: reads like the index itself
    Entry& operator=(std::uint32_t indexPlusOne) {
      slot_ = (std::uint64_t{tag_} << 32) | indexPlusOne;
      return *this;
    }

   private:
    std::uint64_t& slot_;
    std::uint32_t tag_;
  };

  template <typename Equal>
  Entry Slot(std::uint64_t hash, Equal&& equal) {
    const std::uint64_t mixed = Mix(hash);
    const auto tag = static_cast<std::uint32_t>(mixed >> 32);
    std::size_t i = static_cast<std::size_t>(mixed) & mask_;
    for (;;) {
      std::uint64_t& slot = slots_[i];
      if (slot == 0) return Entry(slot, tag);
      if (static_cast<std::uint32_t>(slot >> 32) == tag &&
          equal(static_cast<std::uint32_t>(slot) - 1))
        return Entry(slot, tag);
      i = (i + 1) & mask_;
    }
  }

  // Asks for the slot where a lookup of `hash` starts, ahead of the lookup.
  void Prefetch(std::uint64_t hash) const {
    __builtin_prefetch(&slots_[static_cast<std::size_t>(Mix(hash)) & mask_]);
  }

  // The first stored index whose hash bits match, without comparing keys, or
  // -1: what a lookup will most likely compare against, to be fetched early.
  long Candidate(std::uint64_t hash) const {
    const std::uint64_t mixed = Mix(hash);
    const auto tag = static_cast<std::uint32_t>(mixed >> 32);
    for (std::size_t i = static_cast<std::size_t>(mixed) & mask_;; i = (i + 1) & mask_) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) return -1;
      if (static_cast<std::uint32_t>(slot >> 32) == tag)
        return static_cast<long>(static_cast<std::uint32_t>(slot) - 1);
    }
  }

  // Lookup only: the stored index or -1.
  template <typename Equal>
  long Find(std::uint64_t hash, Equal&& equal) const {
    const std::uint64_t mixed = Mix(hash);
    const auto tag = static_cast<std::uint32_t>(mixed >> 32);
    std::size_t i = static_cast<std::size_t>(mixed) & mask_;
    for (;;) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) return -1;
      const auto index = static_cast<std::uint32_t>(slot) - 1;
      if (static_cast<std::uint32_t>(slot >> 32) == tag && equal(index))
        return static_cast<long>(index);
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

  LargeVector<std::uint64_t> slots_;
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

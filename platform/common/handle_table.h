// Handles are table entries with generations: a handle value packs a slot index and the
// slot's generation at the time the object was stored, so a stale or forged handle finds
// nothing instead of touching freed memory. Every handle family (kernel objects,
// windows, GDI objects, menus, ...) keeps one table of its own, each with its own tag
// in the top bits so that a handle of one family is never found in another.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace win32 {

enum class HandleFamily : std::uint32_t {
  Kernel = 1,
  Window = 2,
  Gdi = 3,
  Menu = 4,
  Hook = 5,
  Resource = 6,
  Module = 7,
  Icon = 8,
  Accelerator = 9,
};

// REQUIRES: T is the object type the family stores. Lookups return shared ownership, so
// an object closed on one thread stays alive for a caller on another that already
// looked it up.
template <typename T>
class HandleTable {
 public:
  explicit HandleTable(HandleFamily family) : family_(family) {}

  static constexpr std::uint32_t kCapacity = (1u << 16) - 4;

  // Stores the object and returns its handle value, or 0 when the table is full.
  std::uintptr_t insert(std::shared_ptr<T> object) {
    std::lock_guard lock(mutex_);
    std::uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      if (slots_.size() >= kCapacity) return 0;
      index = static_cast<std::uint32_t>(slots_.size());
      slots_.push_back(Slot{});
    }
    Slot& slot = slots_[index];
    slot.object = std::move(object);
    return encode(index, slot.generation);
  }

  // The object of a live handle, or null for a stale, foreign or forged one.
  std::shared_ptr<T> find(std::uintptr_t handle) const {
    std::lock_guard lock(mutex_);
    const Slot* slot = locate(handle);
    return slot ? slot->object : nullptr;
  }

  // Removes the handle's object and returns it (null when the handle was not live).
  // The slot's generation moves on, so the old handle value never finds anything again.
  std::shared_ptr<T> erase(std::uintptr_t handle) {
    std::lock_guard lock(mutex_);
    Slot* slot = const_cast<Slot*>(locate(handle));
    if (!slot) return nullptr;
    std::shared_ptr<T> object = std::move(slot->object);
    slot->object.reset();
    slot->generation = (slot->generation + 1) & kGenerationMask;
    if (slot->generation == 0) slot->generation = 1;
    free_.push_back(index_of(handle));
    return object;
  }

  bool contains(std::uintptr_t handle) const { return find(handle) != nullptr; }

  // Calls fn(handle, object) for every live entry; fn must not touch this table.
  template <typename Fn>
  void for_each(Fn&& fn) const {
    std::lock_guard lock(mutex_);
    for (std::uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].object) fn(encode(i, slots_[i].generation), slots_[i].object);
  }

 private:
  static constexpr std::uint32_t kIndexBits = 16;
  static constexpr std::uint32_t kGenerationBits = 12;
  static constexpr std::uint32_t kGenerationMask = (1u << kGenerationBits) - 1;
  static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;

  struct Slot {
    std::shared_ptr<T> object;
    std::uint32_t generation = 1;
  };

  // Handle layout (low 32 bits, as Win32 handles fit in 32 bits): family in bits 28-31,
  // generation in bits 16-27, slot index in bits 0-15 (plus 4 so no handle is < 0x10,
  // where small integers such as resource ids live).
  std::uintptr_t encode(std::uint32_t index, std::uint32_t generation) const {
    return (static_cast<std::uintptr_t>(family_) << 28) |
           (static_cast<std::uintptr_t>(generation) << kIndexBits) | ((index + 4) & kIndexMask);
  }
  static std::uint32_t index_of(std::uintptr_t handle) {
    return static_cast<std::uint32_t>((handle & kIndexMask) - 4);
  }
  const Slot* locate(std::uintptr_t handle) const {
    if ((handle >> 28) != static_cast<std::uintptr_t>(family_)) return nullptr;
    if ((handle & kIndexMask) < 4) return nullptr;
    std::uint32_t index = index_of(handle);
    std::uint32_t generation = static_cast<std::uint32_t>(handle >> kIndexBits) & kGenerationMask;
    if (index >= slots_.size()) return nullptr;
    const Slot& slot = slots_[index];
    if (!slot.object || slot.generation != generation) return nullptr;
    return &slot;
  }

  HandleFamily family_;
  mutable std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_;
};

}  // namespace win32

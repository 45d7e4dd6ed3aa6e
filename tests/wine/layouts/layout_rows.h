// The layout of every type and struct member the stand-in's headers declare, as whichever
// win32.h this is compiled against sees it: the generated stand_in_layouts.inc names them.
#pragma once

#include <win32.h>

#include <cstddef>
#include <type_traits>

namespace layouts {

struct Row {
  const char* type;
  const char* member;  // "" for the type itself
  std::size_t offset;
  std::size_t size;
  bool isSigned;  // of the member's element type; false for pointers, structs, handles
};

template <class T>
constexpr bool kSigned = std::is_signed_v<std::remove_all_extents_t<T>>;

#define LAYOUT_TYPE(T) {#T, "", 0, sizeof(T), kSigned<T>},
#define LAYOUT_STRUCT(T) {#T, "", 0, sizeof(T), false},
#define LAYOUT_FIELD(T, m) {#T, #m, offsetof(T, m), sizeof(T::m), kSigned<decltype(T::m)>},
inline constexpr Row kRows[] = {
#include "stand_in_layouts.inc"
};
#undef LAYOUT_TYPE
#undef LAYOUT_STRUCT
#undef LAYOUT_FIELD

}  // namespace layouts

// The stock objects of GetStockObject. They are made once, on first use, and marked
// permanent so that no DeleteObject can take them away.
#pragma once

#include <win32.h>

namespace gdi {

// Null for an index that has no stock object.
HGDIOBJ stock_object(int index);

}  // namespace gdi

#include "engine/run_options.h"

#include <atomic>

namespace {

// Written by the command line's thread, read by the GUI thread when a disk test begins.
std::atomic<bool> bypassFileCache{false};

}  // namespace

void SetEngineRunOptions(const EngineRunOptions& options) {
  bypassFileCache.store(options.bypassFileCache, std::memory_order_release);
}

EngineRunOptions CurrentEngineRunOptions() {
  EngineRunOptions options;
  options.bypassFileCache = bypassFileCache.load(std::memory_order_acquire);
  return options;
}

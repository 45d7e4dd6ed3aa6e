// Options of a run that the window program never sets. Its runs keep the disk test exactly
// as the window has always run it; only the command line sets these, once, before the
// program starts (the one thing it asks of the engine beyond the program's windows).
#pragma once

struct EngineRunOptions {
  // The disk test opens its scratch file with FILE_FLAG_NO_BUFFERING and moves its blocks
  // through a buffer aligned for that, so every transfer reaches the drive instead of the
  // system's file cache. A file system that refuses unbuffered files fails the create
  // phase with the system's reason; the test never falls back to a cached figure.
  bool bypassFileCache = false;
};

// REQUIRES: no disk test is running (set before the program's first run).
void SetEngineRunOptions(const EngineRunOptions& options);

EngineRunOptions CurrentEngineRunOptions();

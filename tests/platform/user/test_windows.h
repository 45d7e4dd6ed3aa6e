// Window classes and helpers shared by the window-system tests.
#pragma once

#include <win32.h>

#include <functional>

#include "message_log.h"

namespace user_test {

// One log for the running test; procedures and hooks write into it.
MessageLog& log();

// A class whose procedure logs every message (with its window) and then lets an
// optional per-test override answer, else DefWindowProcA.
extern const char kLoggingClass[];
using Override = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
void set_override(Override fn);

// A plain class handled entirely by DefWindowProcA.
extern const char kPlainClass[];

// Registers both classes once per process.
void register_test_classes();

HWND make_top_level(const char* cls = kPlainClass, const char* title = "top");
HWND make_child(HWND parent, int id, const char* cls = kPlainClass);

// Dispatches everything queued (translating keys), until the queue is empty.
void pump();

}  // namespace user_test

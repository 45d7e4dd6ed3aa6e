// Test-only hooks of the kernel part of the platform. Never included by the program.
#pragma once

namespace win32_test {

// Builds the drive table again from the environment, so a test can set TORVEX_DRIVES
// after the table was first used.
void reload_drive_table();

}  // namespace win32_test

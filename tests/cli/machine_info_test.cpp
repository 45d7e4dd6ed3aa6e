// The machine record's pieces, read from samples of the system files.
#include "cli/machine_info.h"

#include <gtest/gtest.h>
#include <sys/statfs.h>

#include "win32_test_kernel.h"

namespace {

using namespace cli;

TEST(MachineInfo, ProcessorMemoryAndSystemNames) {
  EXPECT_EQ(CpuModelFrom("processor\t: 0\nvendor_id\t: X\nmodel name\t: Example CPU @ 2.00GHz \nflags\t: fpu\n"),
            "Example CPU @ 2.00GHz");
  EXPECT_EQ(CpuModelFrom("processor\t: 0\nHardware\t: BCM2835\n"), "BCM2835");
  EXPECT_EQ(CpuModelFrom(""), "");
  EXPECT_EQ(MemoryBytesFrom("MemFree:  100 kB\nMemTotal:       16318272 kB\n"), 16318272ull * 1024);
  EXPECT_EQ(OsNameFrom("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
            "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(OsNameFrom("PRETTY_NAME=Plain\n"), "Plain");
}

TEST(MachineInfo, TheDrivesMountIsTheLongestMountPointAboveIt) {
  const char* mountinfo =
      "21 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 21 0:26 / /tmp rw,nosuid shared:5 - tmpfs tmpfs rw\n"
      "31 21 8:2 / /data rw - xfs /dev/sdb1 rw\n"
      "32 21 8:3 / /data/my\\040disk rw - btrfs /dev/sdc1 rw\n";
  DriveInfo drive;
  MountOf(mountinfo, "/tmp/bench", drive);
  EXPECT_EQ(drive.fileSystem, "tmpfs");
  EXPECT_TRUE(drive.inMemory);
  MountOf(mountinfo, "/tmpfoo", drive);  // a name that only starts like a mount point
  EXPECT_EQ(drive.fileSystem, "ext4");
  EXPECT_EQ(drive.device, "/dev/sda1");
  EXPECT_FALSE(drive.inMemory);
  MountOf(mountinfo, "/data/my disk/x", drive);
  EXPECT_EQ(drive.fileSystem, "btrfs");
  MountOf(mountinfo, "/data", drive);
  EXPECT_EQ(drive.device, "/dev/sdb1");
}

TEST(MachineInfo, TheDirectorysOwnFileSystemTypeNamesAMemoryDrive) {
  EXPECT_EQ(cli::InMemoryFileSystemOfType(0x01021994), "tmpfs");
  EXPECT_EQ(cli::InMemoryFileSystemOfType(0x858458f6), "ramfs");
  EXPECT_EQ(cli::InMemoryFileSystemOfType(0xEF53), "");  // ext4
  struct statfs system;
  if (::statfs("/dev/shm", &system) != 0 || cli::InMemoryFileSystemOfType(static_cast<long>(system.f_type)) != "tmpfs")
    GTEST_SKIP() << "/dev/shm is not a tmpfs here";
  ::setenv("TORVEX_DRIVES", "c=/dev/shm", 1);
  win32_test::reload_drive_table();
  MachineInfo info = ReadMachineInfo("c:");
  ::unsetenv("TORVEX_DRIVES");
  win32_test::reload_drive_table();
  EXPECT_TRUE(info.drive.inMemory);
  EXPECT_EQ(info.drive.fileSystem, "tmpfs");
}

TEST(MachineInfo, TheDriveDirectoryComesFromTheProgramsDriveTable) {
  ::setenv("TORVEX_DRIVES", "c=/", 1);
  win32_test::reload_drive_table();
  MachineInfo info = ReadMachineInfo("c:");
  ::unsetenv("TORVEX_DRIVES");
  win32_test::reload_drive_table();
  EXPECT_EQ(info.drive.directory, "/");
  EXPECT_FALSE(info.drive.fileSystem.empty());
  EXPECT_GE(info.logicalCores, 1);
  EXPECT_GE(info.logicalCores, info.onlineCores);
  EXPECT_GT(info.memoryBytes, 0u);
}

}  // namespace

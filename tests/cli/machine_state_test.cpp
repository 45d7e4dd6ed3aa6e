// The machine state's pieces from samples, and the warnings a person must not miss.
#include "cli/machine_state.h"

#include <gtest/gtest.h>

namespace {

using namespace cli;

TEST(MachineState, VirtualMachinesAndContainersAreRecognised) {
  EXPECT_TRUE(HypervisorFlagIn("processor\t: 0\nflags\t\t: fpu vme hypervisor lahf_lm\nbugs\t: x\n"));
  EXPECT_FALSE(HypervisorFlagIn("processor\t: 0\nflags\t\t: fpu vme lahf_lm\nbugs\t: hypervisor\n"));
  EXPECT_EQ(ContainerFrom("0::/\n", false, false), "");
  EXPECT_EQ(ContainerFrom("12:cpu:/docker/abc\n", false, false), "docker");
  EXPECT_EQ(ContainerFrom("0::/\n", true, false), "docker");
  EXPECT_EQ(ContainerFrom("0::/\n", true, true), "podman");
}

TEST(MachineState, WarnsOfPowersaveABusyMachineAndTheBattery) {
  MachineState calm;
  calm.governor = "performance";
  calm.loadAverage = 0.9;
  EXPECT_TRUE(StateWarnings(calm, 2).empty());
  MachineState busy = calm;
  busy.governor = "powersave";
  busy.loadAverage = 1.5;  // above half a core's worth on each of two
  busy.onBattery = true;
  std::vector<std::string> warnings = StateWarnings(busy, 2);
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_NE(warnings[0].find("powersave"), std::string::npos);
  EXPECT_NE(warnings[1].find("load average was 1.50 on 2 cores"), std::string::npos);
  EXPECT_NE(warnings[2].find("battery"), std::string::npos);
}

}  // namespace

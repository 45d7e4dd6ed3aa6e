// What the machine was doing when a result was measured, beside what it is: the frequency
// governor, a virtual machine or container, the load, the battery, and how this program
// was built. Two results that differ here may differ for that reason alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct MachineState {
  std::string governor;          // "performance", "powersave", ...; empty when not exposed
  std::string energyPreference;  // "balance_performance", ...; empty when not exposed
  std::string virtualMachine;    // the hypervisor's name, "virtual machine", or empty
  std::string container;         // "docker", "podman", "lxc", ... or empty
  double loadAverage = -1;       // one-minute load average at start; -1 when unknown
  bool onBattery = false;
  std::string compiler;
  std::string buildType;
};

MachineState ReadMachineState();

// One line each for a state that makes processor figures unreliable.
std::vector<std::string> StateWarnings(const MachineState& state, int onlineCores);

// The pieces, over system file texts.
std::string ContainerFrom(std::string_view cgroup, bool dockerEnv, bool podmanEnv);
bool HypervisorFlagIn(std::string_view cpuinfo);

}  // namespace cli

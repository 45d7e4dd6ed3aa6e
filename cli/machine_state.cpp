// Linux answers: cpufreq in /sys, the hypervisor flag and DMI names, the container marks
// and cgroup names, /proc/loadavg and the power supplies.
#include "cli/machine_state.h"

#include <filesystem>
#include <fstream>

#include "cli/number_text.h"

#ifndef TORVEX_BUILD_TYPE
#define TORVEX_BUILD_TYPE "unknown"
#endif

namespace cli {
namespace {

namespace fs = std::filesystem;

// Above this load per online core, other work competes with the benchmark for processors.
constexpr double kBusyLoadPerCore = 0.5;

std::string FirstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

std::string ReadAll(const char* path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string VirtualMachine() {
  std::string vendor = FirstLine("/sys/class/dmi/id/sys_vendor");
  std::string product = FirstLine("/sys/class/dmi/id/product_name");
  bool flagged = HypervisorFlagIn(ReadAll("/proc/cpuinfo"));
  for (const char* known : {"QEMU", "KVM", "VMware", "VirtualBox", "Xen", "Microsoft", "Amazon EC2", "Google",
                            "innotek", "Parallels", "Bochs"}) {
    if (vendor.find(known) != std::string::npos || product.find(known) != std::string::npos)
      return vendor + (product.empty() ? "" : " " + product);
  }
  return flagged ? "virtual machine" : "";
}

bool OnBattery() {
  std::error_code error;
  bool battery = false, mains = false;
  for (const auto& supply : fs::directory_iterator("/sys/class/power_supply", error)) {
    std::string type = FirstLine(supply.path() / "type");
    if (type == "Battery" && FirstLine(supply.path() / "status") == "Discharging") battery = true;
    if (type == "Mains" && FirstLine(supply.path() / "online") == "1") mains = true;
  }
  return battery && !mains;
}

std::string Compiler() {
#if defined(__clang__)
  return std::string("clang ") + __clang_version__;
#elif defined(__GNUC__)
  return std::string("gcc ") + __VERSION__;
#else
  return "unknown";
#endif
}

}  // namespace

bool HypervisorFlagIn(std::string_view cpuinfo) {
  std::size_t flags = cpuinfo.find("\nflags");
  if (flags == std::string_view::npos) return false;
  std::string_view line = cpuinfo.substr(flags + 1, cpuinfo.find('\n', flags + 1) - flags - 1);
  return line.find(" hypervisor") != std::string_view::npos;
}

std::string ContainerFrom(std::string_view cgroup, bool dockerEnv, bool podmanEnv) {
  if (podmanEnv) return "podman";
  if (dockerEnv) return "docker";
  for (const char* name : {"docker", "kubepods", "lxc", "containerd"})
    if (cgroup.find(name) != std::string_view::npos) return name;
  return "";
}

MachineState ReadMachineState() {
  MachineState state;
  state.governor = FirstLine("/sys/devices/system/cpu/cpu0/cpufreq/scaling_governor");
  state.energyPreference = FirstLine("/sys/devices/system/cpu/cpu0/cpufreq/energy_performance_preference");
  state.virtualMachine = VirtualMachine();
  std::error_code error;
  state.container = ContainerFrom(ReadAll("/proc/1/cgroup"), fs::exists("/.dockerenv", error),
                                  fs::exists("/run/.containerenv", error));
  std::string load = FirstLine("/proc/loadavg");
  if (std::optional<double> value = ParseRate(load.substr(0, load.find(' ')))) state.loadAverage = *value;
  state.onBattery = OnBattery();
  state.compiler = Compiler();
  state.buildType = TORVEX_BUILD_TYPE;
  return state;
}

std::vector<std::string> StateWarnings(const MachineState& state, int onlineCores) {
  std::vector<std::string> warnings;
  if (state.governor == "powersave")
    warnings.push_back("the frequency governor is powersave: processor figures may be low");
  if (onlineCores > 0 && state.loadAverage > kBusyLoadPerCore * onlineCores)
    warnings.push_back("the load average was " + FormatFixed(state.loadAverage, 2) + " on " +
                       std::to_string(onlineCores) + " cores at start: other work competed with the benchmarks");
  if (state.onBattery) warnings.push_back("the machine runs on battery: figures may be throttled");
  return warnings;
}

}  // namespace cli

// A file system that refuses direct I/O, reachable without touching the machine's mounts:
// a ramfs in a mount namespace of a child process, seen only by what that child starts
// and gone when it ends. Root enters the namespace directly; anyone else through a user
// namespace of their own, where the system allows those.
#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <string>

namespace cli_run {

// Runs `work` in such a child with a fresh ramfs on `folder` (which must exist) and hands
// back what it returned. Returns why it could not run the work, or "" when it did.
std::string WithPrivateRamfs(const std::filesystem::path& folder, const std::function<nlohmann::json()>& work,
                             nlohmann::json& result);

}  // namespace cli_run

#include "desktop_program.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace desktop_test {
namespace {

constexpr auto kShotTimeout = std::chrono::minutes(4);
constexpr auto kStepPause = std::chrono::milliseconds(60);

std::string temp_dir(const std::string& name) {
  static int serial = 0;
  std::string dir = ::testing::TempDir() + "torvex_desktop_" + std::to_string(getpid()) + "_" + name + "_" +
                    std::to_string(serial++);
  std::filesystem::create_directories(dir);
  return dir;
}

// The disk test writes into the test's own folders, never the build tree.
Environment drives(const std::string& dir) {
  std::string table;
  for (char letter : {'a', 'b', 'c'}) {
    std::string d = dir + "/" + letter;
    std::filesystem::create_directories(d);
    table += (table.empty() ? "" : ";") + std::string(1, letter) + "=" + d;
  }
  return {{"TORVEX_DRIVES", table}};
}

}  // namespace

Layout headless_layout() {
  Layout layout;
  std::string dir = temp_dir("layout");
  std::istringstream lines(run_tool({TORVEX_SHOT_PATH, "layout"}, drives(dir), kShotTimeout));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string kind, name;
    in >> kind;
    if (kind != "frame") in >> name;
    Area a;
    in >> a.left >> a.top >> a.right >> a.bottom;
    if (!in) continue;
    if (kind == "frame") layout.frame = a;
    if (kind == "bar") layout.bar[name] = a;
    if (kind == "field") layout.fields[std::stoi(name)] = a;
  }
  return layout;
}

Picture headless_screen(const std::string& state) {
  std::string dir = temp_dir("reference");
  std::string path = dir + "/screen.png";
  std::vector<std::string> argv{TORVEX_SHOT_PATH, "screen", path};
  if (!state.empty()) argv.push_back(state);
  Environment env = drives(dir);
  run_tool(argv, env, kShotTimeout);
  return Picture::from_png(path);
}

DesktopProgram::DesktopProgram(const XSession& session, const Environment& extra)
    : session_(session), work_dir_(temp_dir("program")) {
  Environment env = session.environment();
  env["TORVEX_DISPLAY"] = "sdl";
  for (const auto& [k, v] : drives(work_dir_)) env[k] = v;
  for (const auto& [k, v] : extra) env[k] = v;
  int errors = open((work_dir_ + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  program_ = ChildProcess({TORVEX_PROGRAM_PATH}, env, -1, errors);
  if (errors >= 0) close(errors);
}

DesktopProgram::~DesktopProgram() {
  program_.stop();
  std::error_code ignored;
  std::filesystem::remove_all(work_dir_, ignored);
}

std::string DesktopProgram::wait_for_window(const std::string& title, std::chrono::seconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string out = run_tool({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"},
                               session_.environment(), std::chrono::seconds(5));
    std::istringstream ids(out);
    std::string id;
    if (ids >> id) return id;
    std::this_thread::sleep_for(kStepPause);
  }
  return "";
}

bool DesktopProgram::wait_until_gone(const std::string& title, std::chrono::seconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string out = run_tool({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"},
                               session_.environment(), std::chrono::seconds(5));
    if (out.find_first_not_of(" \n") == std::string::npos) return true;
    std::this_thread::sleep_for(kStepPause);
  }
  return false;
}

std::vector<std::string> DesktopProgram::windows() {
  std::istringstream ids(run_tool({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(program_.pid())},
                                  session_.environment(), std::chrono::seconds(5)));
  std::vector<std::string> all;
  for (std::string id; ids >> id;) all.push_back(id);
  return all;
}

Area DesktopProgram::geometry(const std::string& window_id) {
  std::istringstream lines(
      run_tool({"xdotool", "getwindowgeometry", "--shell", window_id}, session_.environment(), std::chrono::seconds(5)));
  std::map<std::string, int> values;
  std::string line;
  while (std::getline(lines, line)) {
    auto eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
  }
  return Area{values["X"], values["Y"], values["X"] + values["WIDTH"], values["Y"] + values["HEIGHT"]};
}

Picture DesktopProgram::screen() {
  return Picture::from_xwd(run_tool({"xwd", "-root", "-silent"}, session_.environment(), std::chrono::seconds(10)));
}

Picture DesktopProgram::window_picture(const std::string& window_id) {
  return Picture::from_xwd(
      run_tool({"xwd", "-id", window_id, "-silent"}, session_.environment(), std::chrono::seconds(10)));
}

Picture DesktopProgram::wait_for_area(const Area& area, const Picture& expected, std::chrono::seconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  Picture shot;
  do {
    shot = screen();
    if (shot.crop(area) == expected) break;
    std::this_thread::sleep_for(kStepPause);
  } while (std::chrono::steady_clock::now() < deadline);
  return shot;
}

void DesktopProgram::xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  run_tool(argv, session_.environment(), std::chrono::seconds(10));
}

void DesktopProgram::click(int x, int y) {
  xdotool({"mousemove", std::to_string(x), std::to_string(y)});
  std::this_thread::sleep_for(kStepPause);
  xdotool({"click", "1"});
  std::this_thread::sleep_for(kStepPause);
}

void DesktopProgram::key(const std::string& name) {
  xdotool({"key", name});
  std::this_thread::sleep_for(kStepPause);
}

void DesktopProgram::drag(int from_x, int from_y, int to_x, int to_y) {
  xdotool({"mousemove", std::to_string(from_x), std::to_string(from_y)});
  std::this_thread::sleep_for(kStepPause);
  xdotool({"mousedown", "1"});
  std::this_thread::sleep_for(kStepPause);
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i) {
    xdotool({"mousemove", std::to_string(from_x + (to_x - from_x) * i / kSteps),
             std::to_string(from_y + (to_y - from_y) * i / kSteps)});
    std::this_thread::sleep_for(kStepPause);
  }
  xdotool({"mouseup", "1"});
  std::this_thread::sleep_for(kStepPause);
}

std::string DesktopProgram::describe() {
  std::string text = program_.running() ? "running" : "ended";
  text += "; windows:";
  for (const std::string& w : windows()) text += " " + w;
  std::ifstream errors(work_dir_ + "/stderr.txt");
  std::string said((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
  text += "; stderr: " + said + "; screen: " + keep(screen(), "describe");
  return text;
}

std::string DesktopProgram::keep(const Picture& picture, const std::string& name) {
  std::string path = ::testing::TempDir() + "torvex_desktop_" + name + ".png";
  picture.write_png(path);
  return path;
}

}  // namespace desktop_test

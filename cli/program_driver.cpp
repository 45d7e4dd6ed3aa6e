#include "cli/program_driver.h"

#include <win32_headless.h>

#include <algorithm>
#include <chrono>

#include "cli/disk_failure.h"
#include "cli/interrupt.h"
#include "cli/number_text.h"

namespace cli {
namespace {

// The program's window and the panel's controls, as a person sees them.
constexpr char kMainWindowTitle[] = "TORVEX NT Benchmarks";
constexpr char kMessageBoxClass[] = "#32770";
constexpr int kIdDriveList = 10000;
constexpr int kIdThreads = 10001;
constexpr int kIdBlocks = 10002;
constexpr int kIdRepeat = 10003;
constexpr int kIdStatus = 10007;
constexpr int kResultIds[] = {10004, 10005, 10006};
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr WPARAM kCommandExit = 4003;
constexpr WPARAM kCommandRun = 4004;
// The run command's last text: the run is over once it shows and the GUI thread rests.
constexpr char kRunCompleteText[] = "Benchmarks complete";

constexpr auto kStartTimeout = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr DWORD kIdleTimeoutMs = 60000;
constexpr int kTextCapacity = 512;

std::string WindowText(HWND window) {
  char text[kTextCapacity] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// "[-c-]", the list's drive entry, as the drive text "c:".
std::string DriveOfEntry(const std::string& entry) {
  if (entry.size() == 5 && entry.compare(0, 2, "[-") == 0 && entry.compare(3, 2, "-]") == 0)
    return std::string(1, entry[2]) + ":";
  return "";
}

}  // namespace

ProgramDriver::ProgramDriver(ProgramEntry entry) {
  gui_ = std::thread([this, entry = std::move(entry)] {
    exitCode_ = entry();
    ended_ = true;
  });
}

ProgramDriver::~ProgramDriver() {
  if (gui_.joinable()) {
    if (IsWindow(frame_)) PostMessageA(frame_, WM_CLOSE, 0, 0);
    gui_.join();
  }
  recorder_.Uninstall();
}

std::string ProgramDriver::WaitForWindow() {
  auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (!frame_) {
    HWND found = FindWindowA(nullptr, kMainWindowTitle);
    if (found && IsWindowVisible(found)) frame_ = found;
    else if (ended_) return "the program ended before its window opened";
    else if (std::chrono::steady_clock::now() > deadline) return "the program's window did not open";
    else std::this_thread::sleep_for(kPollInterval);
  }
  guiThread_ = GetWindowThreadProcessId(frame_, nullptr);
  if (!headless::wait_idle(frame_, kIdleTimeoutMs)) return "the program did not become ready";
  panel_ = GetTopWindow(frame_);  // the client dialog, as the run command finds it
  if (!panel_ || !GetDlgItem(panel_, kIdStatus)) return "the program's window has no benchmark panel";
  if (!recorder_.Install(GetDlgItem(panel_, kIdStatus))) return "cannot follow the program's status line";
  return "";
}

std::string ProgramDriver::Text(int id) const {
  char text[kTextCapacity] = {};
  GetDlgItemTextA(panel_, id, text, sizeof text);
  return text;
}

std::string ProgramDriver::Prepare(const Options& options, Inputs& inputs) {
  struct Field {
    int id;
    const std::optional<long long>& value;
    const char* option;
  } fields[] = {{kIdThreads, options.threads, "threads"},
                {kIdBlocks, options.blocks, "blocks"},
                {kIdRepeat, options.repeat, "repeat"}};
  for (const Field& field : fields) {
    if (!field.value) continue;
    std::string typed = std::to_string(*field.value);
    SetDlgItemTextA(panel_, field.id, typed.c_str());
    if (Text(field.id) != typed)
      return "--" + std::string(field.option) + " " + typed + ": the program's field does not take it";
  }
  inputs.threadsRequested = GetDlgItemInt(panel_, kIdThreads, nullptr, FALSE);
  inputs.blocksRequested = GetDlgItemInt(panel_, kIdBlocks, nullptr, FALSE);
  inputs.blocks = static_cast<int>(inputs.blocksRequested);
  inputs.threads = static_cast<int>(inputs.threadsRequested);  // until a run says what it ran with
  inputs.repeat = static_cast<int>(GetDlgItemInt(panel_, kIdRepeat, nullptr, FALSE));

  HWND list = GetDlgItem(panel_, kIdDriveList);
  std::string drives;
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char entry[kTextCapacity] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof entry))
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
    drives += (drives.empty() ? "" : " ") + DriveOfEntry(entry);
  }
  if (options.drive) {
    std::string entry = std::string("[-") + *options.drive + "-]";
    LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    if (index == LB_ERR)
      return "--drive " + std::string(1, *options.drive) + ": is not one of the program's drives (" + drives + ")";
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return "the program selects no drive at start; choose one with --drive (" + drives + ")";
  char entry[kTextCapacity] = {};
  if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0) < static_cast<LRESULT>(sizeof entry))
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(entry));
  inputs.drive = DriveOfEntry(entry);
  return "";
}

void ProgramDriver::AnswerMessageBoxes(const RunEvents& events) {
  HWND box = FindWindowA(kMessageBoxClass, nullptr);
  if (!box || GetWindowThreadProcessId(box, nullptr) != guiThread_ || !IsWindowVisible(box)) return;
  if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) return;
  char text[kTextCapacity] = {};
  GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
  if (events.programSaid) events.programSaid(WindowText(box) + ": " + text);
  answered_.push_back(box);
  // OK, as a person would press it; a box that has no OK takes it as its default answer.
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

std::optional<Run> ProgramDriver::RunOnce(const RunEvents& events, Inputs& inputs) {
  Run run;
  recorder_.Restart();
  auto start = std::chrono::steady_clock::now();
  PostMessageA(frame_, WM_COMMAND, kCommandRun, 0);
  std::size_t seen = 0;
  bool complete = false;
  bool stopping = false;
  while (!complete && !ended_) {
    if (!stopping && Interrupted()) {
      stopping = true;
      if (events.stopping) events.stopping();
    }
    std::vector<StatusLine> lines = recorder_.WaitBeyond(seen, kPollInterval);
    for (; seen < lines.size(); ++seen) {
      if (events.status) events.status(lines[seen]);
      complete = complete || lines[seen].text == kRunCompleteText;
    }
    if (recorder_.Parked()) return std::nullopt;
    if (!complete) AnswerMessageBoxes(events);
  }
  headless::wait_idle(frame_, kIdleTimeoutMs);
  run.status = recorder_.WaitBeyond(0, std::chrono::milliseconds(0));
  for (std::size_t i = seen; i < run.status.size(); ++i)
    if (events.status) events.status(run.status[i]);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  inputs.threads = static_cast<int>(GetDlgItemInt(panel_, kIdThreads, nullptr, FALSE));
  inputs.blocks = static_cast<int>(GetDlgItemInt(panel_, kIdBlocks, nullptr, FALSE));
  for (Benchmark b : kBenchmarks) {
    Result& result = run.results[static_cast<int>(b)];
    result.text = Text(kResultIds[static_cast<int>(b)]);
    result.rate = ParseRate(result.text);
    if (b == Benchmark::Disk) result.failure = LastDiskFailure();
    if (result.failure.empty() && (!result.rate || *result.rate <= 0))
      result.failure = "no rate was measured (the field shows \"" + result.text + "\")";
  }
  return run;
}

std::optional<Run> ProgramDriver::RunWithBlocks(const RunEvents& events, Inputs inputs, int blocks) {
  std::string asked = Text(kIdBlocks);
  SetDlgItemInt(panel_, kIdBlocks, static_cast<UINT>(blocks), FALSE);
  std::optional<Run> run = RunOnce(events, inputs);
  if (run) SetDlgItemTextA(panel_, kIdBlocks, asked.c_str());
  return run;
}

void ProgramDriver::StopOnInterrupt() { recorder_.ParkWhen(Interrupted); }

bool ProgramDriver::Screenshot(const std::string& path) {
  headless::wait_idle(frame_, kIdleTimeoutMs);
  return headless::screenshot_window(frame_, path.c_str());
}

int ProgramDriver::Exit() {
  if (!gui_.joinable()) return exitCode_;
  PostMessageA(frame_, WM_COMMAND, kCommandExit, 0);
  gui_.join();
  recorder_.Uninstall();
  return exitCode_;
}

}  // namespace cli

// Start-up: the time from starting the real program file to its main window being
// mapped on the X server, watched from outside through the server's own map events.
// An item table of 100,000 rows lies beside the program (start-up opens only the
// parameter table, so it must cost nothing). Run it on an X server: bench/app/startup.sh.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "support/filledtable.h"
#include "items/shoptables.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000;
constexpr int kTimeoutMs = 10000;
// The main window's caption begins so (the frame's exact caption is tested elsewhere).
constexpr std::string_view kMainCaption = "Barcode Printing Software";

// A copy of the program beside its tables, the item table the big one.
struct TProgramCopy {
  TProgramCopy() {
    const auto& filled = benchsupport::FilledTable(kRows);
    fs::copy_file(filled.Dir.File("Barmas.DAT"), Dir.File("Barmas.DAT"));
    items::CreateMissingTables(Dir.Path());
    fs::copy_file(PROGRAM_FILE, Dir.File("BarcodePrint"));
  }
  testsupport::TTempDir Dir;
};

std::string WindowName(xcb_connection_t* connection, xcb_window_t window) {
  const auto cookie = xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection, cookie, nullptr), &std::free);
  if (!reply) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// Waits for a top-level window titled as the main window to be mapped; false on timeout.
bool WaitForMainWindow(xcb_connection_t* connection) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (std::chrono::steady_clock::now() < deadline) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
      if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
      const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
      if (!mapped->override_redirect && WindowName(connection, mapped->window).starts_with(kMainCaption)) return true;
    }
    poll(&watch, 1, 50);
  }
  return false;
}

void BM_StartUntilMainWindowMapped(benchmark::State& state) {
  static TProgramCopy copy;
  // One connection for the whole run: an X server without clients resets itself.
  static xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    state.SkipWithError("needs an X server: run bench/app/startup.sh");
    return;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);
  const std::string program = copy.Dir.File("BarcodePrint");
  for (auto _ : state) {
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("the program does not start");
      break;
    }
    const bool mapped = WaitForMainWindow(connection);
    const auto end = std::chrono::steady_clock::now();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!mapped) {
      state.SkipWithError("the main window was not mapped within 10 s");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_StartUntilMainWindowMapped)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

// Program entry.
#include "app/commandline.h"
#include "app/program.h"
#include "base/brokenpipe.h"
#include "base/datadir.h"
#include "controls/guarded.h"

int main(int argc, char** argv) {
  platform::IgnoreBrokenPipeSignal();  // a printer pipe or socket that closes is an error text, not the end
  // Command-line modes run before any application object: they need no display.
  if (const auto status = RunCommandLine(argc, argv, platform::DataDirectory())) return *status;
  controls::TGuardedApplication application(argc, argv);
  SetUpApplication();
  return RunProgram(platform::DataDirectory());
}

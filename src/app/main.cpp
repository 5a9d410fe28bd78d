// Program entry.
#include "app/program.h"
#include "base/brokenpipe.h"
#include "base/datadir.h"
#include "controls/guarded.h"

int main(int argc, char** argv) {
  platform::IgnoreBrokenPipeSignal();  // a printer pipe or socket that closes is an error text, not the end
  controls::TGuardedApplication application(argc, argv);
  SetUpApplication();
  return RunProgram(platform::DataDirectory());
}

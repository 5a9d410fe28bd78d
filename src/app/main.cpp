// Program entry.
#include <string_view>

#include "app/program.h"
#include "app/renderlabel.h"
#include "base/brokenpipe.h"
#include "base/datadir.h"
#include "controls/guarded.h"

int main(int argc, char** argv) {
  platform::IgnoreBrokenPipeSignal();  // a printer pipe or socket that closes is an error text, not the end
  if (argc > 1 && std::string_view(argv[1]) == kRenderLabelOption)
    return RenderLabelMain(argc, argv, platform::DataDirectory());
  controls::TGuardedApplication application(argc, argv);
  SetUpApplication();
  return RunProgram(platform::DataDirectory());
}

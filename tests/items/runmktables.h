// Runs the mktables tool as it is built, with its standard error joined to its output.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace items::test {

struct TMktablesRun {
  int ExitCode;
  std::string Output;
};

inline TMktablesRun RunMktables(const std::string& arguments) {
  const std::string command = std::string(MKTABLES_PATH) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

}  // namespace items::test

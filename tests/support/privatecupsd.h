// A CUPS scheduler of the test's own: configuration, spool, logs and its Unix socket
// in a temporary folder, so no system service runs and the machine's own printers
// are never seen or touched. libcups in this process talks to it (CUPS_SERVER).
#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <cups/cups.h>

#include "support/ci.h"
#include "support/tempdir.h"

namespace testsupport {

class TPrivateCupsd {
 public:
  // listenPort, when given, is a loopback TCP port it listens on besides its socket.
  explicit TPrivateCupsd(int listenPort = 0) {
    namespace fs = std::filesystem;
    for (const char* folder : {"spool", "cache", "state", "log", "tmp", "run"}) fs::create_directory(FDir.File(folder));
    fs::permissions(FDir.Folder(), fs::perms::all);  // the scheduler's own user must reach its spool
    // Filters run as the scheduler's unprivileged user and keep their temporary files here.
    fs::permissions(FDir.File("tmp"), fs::perms::all | fs::perms::sticky_bit);
    FSocket = FDir.File("run/cups.sock");
    std::string tcp = listenPort ? "Listen 127.0.0.1:" + std::to_string(listenPort) + "\n" : "";
    std::ofstream(FDir.File("cupsd.conf")) << "Listen " << FSocket << "\n"
                                           << tcp
                                           << "LogLevel warn\nBrowsing No\nWebInterface No\n"
                                           << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                           << "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                                           << "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                           << "  </Limit>\n</Policy>\n";
    std::ofstream files(FDir.File("cups-files.conf"));
    files << "ServerRoot " << FDir.Path() << "\nRequestRoot " << FDir.File("spool") << "\nCacheDir "
          << FDir.File("cache") << "\nStateDir " << FDir.File("state") << "\nTempDir " << FDir.File("tmp")
          << "\nErrorLog " << FDir.File("log/error_log") << "\nAccessLog " << FDir.File("log/access_log")
          << "\nPageLog " << FDir.File("log/page_log") << "\nFileDevice Yes\n";
    files.close();
    Start();
  }
  ~TPrivateCupsd() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
  }
  TPrivateCupsd(const TPrivateCupsd&) = delete;
  TPrivateCupsd& operator=(const TPrivateCupsd&) = delete;

  // The scheduler's error log, for a test that wants to say why a job did not arrive.
  std::string Log() const {
    std::ifstream log(FDir.File("log/error_log"));
    return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
  }

  // Empty when the scheduler runs; else why it does not.
  const std::string& Failure() const { return FFailure; }

  // Runs a CUPS command-line tool against this scheduler; true when it succeeded.
  bool Run(std::vector<std::string> command) const {
    pid_t child = fork();
    if (child == 0) {
      std::vector<char*> arguments;
      for (std::string& argument : command) arguments.push_back(argument.data());
      arguments.push_back(nullptr);
      execvp(arguments[0], arguments.data());
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  void Start() {
    const char* cupsd = "/usr/sbin/cupsd";
    if (access(cupsd, X_OK) != 0) {
      FFailure = "cupsd is not installed (Debian package cups-daemon)";
      return;
    }
    std::string conf = FDir.File("cupsd.conf"), files = FDir.File("cups-files.conf");
    FPid = fork();
    if (FPid == 0) {
      execl(cupsd, cupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    setenv("CUPS_SERVER", FSocket.c_str(), 1);  // for the tools run from here
    cupsSetServer(FSocket.c_str());
    for (int tries = 0; tries < 100; ++tries) {
      if (Answers()) return;
      int status = 0;
      if (waitpid(FPid, &status, WNOHANG) == FPid) {
        FPid = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::ifstream log(FDir.File("log/error_log"));
    std::string firstLine;
    std::getline(log, firstLine);
    FFailure = "the private cupsd did not start: " + (firstLine.empty() ? "no log" : firstLine);
  }

  bool Answers() const {
    http_t* http = httpConnect2(FSocket.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 500, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
  }

  TTempDir FDir;
  std::string FSocket;
  std::string FFailure;
  pid_t FPid = -1;
};

}  // namespace testsupport

// Ends a printing test's set-up when something it needs is missing: it skips with the
// reason, and fails on CI.
#define SKIP_OR_FAIL_WITHOUT_PRINTING(missing) SKIP_OR_FAIL_WHEN_MISSING(missing)

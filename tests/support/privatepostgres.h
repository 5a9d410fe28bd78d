// A PostgreSQL server of the test's own: initdb in a temporary folder, its Unix
// socket in that folder and a free loopback port for TCP, stopped (and the folder
// removed) with the object; the machine's own cluster is never touched. The server
// refuses to run as root, and tests run as root on CI, so then it runs as nobody.
#pragma once

#include <fcntl.h>
#include <glob.h>
#include <sys/file.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ci.h"
#include "support/loopbacklistener.h"
#include "support/tempdir.h"

namespace testsupport {

class TPrivatePostgres {
 public:
  TPrivatePostgres() {
    FBin = ServerBinaries();
    if (FBin.empty()) {
      FFailure = "the PostgreSQL server is not installed (no /usr/lib/postgresql/*/bin/initdb; apt-get install postgresql)";
      return;
    }
    const int listener = BindLoopback(&FPort);  // a free port: closed again for the server to take
    ::close(listener);
    if (!HandToServerUser() || !MakeCluster()) return;
    Start();
  }
  ~TPrivatePostgres() {
    if (FRunning) Stop("immediate");  // the cluster goes with the folder: nothing to keep
  }
  TPrivatePostgres(const TPrivatePostgres&) = delete;
  TPrivatePostgres& operator=(const TPrivatePostgres&) = delete;

  // Empty when the server runs; else why it does not.
  const std::string& Failure() const { return FFailure; }
  int Port() const { return FPort; }
  // Connection lines for libpq: through the Unix socket, and over loopback TCP.
  std::string SocketLine() const { return Line(FDir.Path()); }
  // The folder of the Unix socket, the host of SocketLine.
  const std::string& SocketFolder() const { return FDir.Path(); }
  std::string TcpLine() const { return Line("127.0.0.1"); }

  // mode: "fast", or "immediate" for a hard stop that leaves recovery to the next start.
  void Stop(const std::string& mode) {
    Run({FBin + "pg_ctl", "-D", Data(), "-m", mode, "-w", "stop"});
    FRunning = false;
  }
  void Start() {
    const std::string options = "-k " + FDir.Path() + " -p " + std::to_string(FPort) +
                                " -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=40";
    FRunning = Run({FBin + "pg_ctl", "-D", Data(), "-l", FDir.File("server.log"), "-o", options, "-w", "start"});
    if (!FRunning) FFailure = "the private PostgreSQL server did not start: " + Log();
  }
  std::string Log() const {
    std::ifstream log(FDir.File("server.log"));
    return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
  }

 private:
  static constexpr char kUser[] = "barcodeprint";

  static std::string ServerBinaries() {
    glob_t found{};
    std::string bin;
    if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0 && found.gl_pathc > 0) {
      std::vector<std::string> paths(found.gl_pathv, found.gl_pathv + found.gl_pathc);
      std::ranges::sort(paths);
      bin = paths.back().substr(0, paths.back().size() - std::string("initdb").size());
    }
    globfree(&found);
    return bin;
  }

  // initdb takes seconds, a copy a fraction of one: with BARCODEPRINT_PG_TEMPLATE naming
  // a folder, the first server of a test run leaves its new cluster there for the others.
  bool MakeCluster() {
    namespace fs = std::filesystem;
    const char* folder = std::getenv("BARCODEPRINT_PG_TEMPLATE");
    const fs::path cluster = folder ? fs::path(folder) / "data" : fs::path();
    std::error_code error;
    if (folder) fs::create_directories(folder, error);
    const int lock = folder ? ::open((fs::path(folder) / "lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600) : -1;
    if (lock >= 0) flock(lock, LOCK_EX);
    bool made = false;
    if (lock >= 0 && fs::exists(cluster / "PG_VERSION")) {
      fs::copy(cluster, Data(), fs::copy_options::recursive, error);
      made = !error && OwnToServerUser(Data());
    } else {
      made = Run({FBin + "initdb", "-D", Data(), "-U", kUser, "-A", "trust", "-E", "UTF8", "--locale=C", "--no-sync"});
      if (made && lock >= 0) {
        fs::remove_all(cluster, error);
        fs::copy(Data(), cluster, fs::copy_options::recursive, error);
      }
    }
    if (lock >= 0) ::close(lock);
    if (!made) FFailure = "initdb failed: " + Log();
    return made;
  }

  bool OwnToServerUser(const std::filesystem::path& path) const {
    if (FUid == 0) return true;
    bool owned = chown(path.c_str(), FUid, FGid) == 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
      owned = owned && lchown(entry.path().c_str(), FUid, FGid) == 0;
    }
    return owned;
  }

  std::string Line(const std::string& host) const {
    return "host=" + host + " port=" + std::to_string(FPort) + " dbname=postgres user=" + kUser;
  }
  std::string Data() const { return FDir.File("data"); }

  // As root the server's folder goes to nobody, who then runs every server command.
  bool HandToServerUser() {
    if (geteuid() != 0) return true;
    const passwd* user = getpwnam("nobody");
    if (!user) {
      FFailure = "there is no user nobody to run the private PostgreSQL server as";
      return false;
    }
    FUid = user->pw_uid;
    FGid = user->pw_gid;
    if (chown(FDir.Folder().c_str(), FUid, FGid) != 0) {
      FFailure = "cannot hand the server's folder to nobody";
      return false;
    }
    return true;
  }

  bool Run(std::vector<std::string> command) const {
    const pid_t child = fork();
    if (child == 0) {
      if (FUid != 0 && (setgid(FGid) != 0 || setuid(FUid) != 0)) _exit(126);
      const int log = ::open(FDir.File("server.log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
      }
      std::vector<char*> arguments;
      for (std::string& argument : command) arguments.push_back(argument.data());
      arguments.push_back(nullptr);
      execv(arguments[0], arguments.data());
      _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  TTempDir FDir;
  std::string FBin;
  std::string FFailure;
  int FPort = 0;
  uid_t FUid = 0;
  gid_t FGid = 0;
  bool FRunning = false;
};

}  // namespace testsupport

// Drives the real program on the test's X server as an operator would: a window
// manager of the run's own, the program file copied beside tables of its own (it
// keeps its data in its own folder), keys and clicks sent through the X server's
// test extension with xdotool, windows found by their caption. Needs a running
// QApplication on the xcb platform (the XVFB tests' main) for screenshots.
#pragma once

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace testsupport {

// Runs a tool to its end and returns what it wrote, less its last line end (a caption's
// own blanks stay); a failed or overdue run throws.
inline std::string RunTool(const QString& program, const QStringList& arguments, int timeoutMs = 15000) {
  QProcess tool;
  tool.start(program, arguments);
  if (!tool.waitForStarted(timeoutMs)) throw std::runtime_error(program.toStdString() + " does not start");
  if (!tool.waitForFinished(timeoutMs)) {
    tool.kill();
    tool.waitForFinished();
    throw std::runtime_error(program.toStdString() + " " + arguments.join(' ').toStdString() + " did not finish");
  }
  if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
    throw std::runtime_error(program.toStdString() + " " + arguments.join(' ').toStdString() + " failed: " +
                             tool.readAllStandardError().toStdString());
  }
  std::string output = QString::fromLocal8Bit(tool.readAllStandardOutput()).toStdString();
  if (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

// A process started for the test and ended with it.
class TChildProcess {
 public:
  TChildProcess(const QString& program, const QStringList& arguments = {},
                const QString& workingDirectory = {}) {
    FProcess.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!workingDirectory.isEmpty()) FProcess.setWorkingDirectory(workingDirectory);
    FProcess.start(program, arguments);
    if (!FProcess.waitForStarted()) throw std::runtime_error(program.toStdString() + " does not start");
  }
  ~TChildProcess() {
    if (FProcess.state() == QProcess::NotRunning) return;
    FProcess.kill();
    FProcess.waitForFinished();
  }
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // The exit code once the process ended by itself within the time; -1 when it did not.
  int WaitForExit(int timeoutMs) {
    if (!FProcess.waitForFinished(timeoutMs)) return -1;
    return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
  }
  bool Running() const { return FProcess.state() != QProcess::NotRunning; }

 private:
  QProcess FProcess;
};

struct TWindowGeometry {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// An X window of the program, found by its caption, and what an operator does to it.
class TXWindow {
 public:
  // Waits until a visible window whose whole caption matches the pattern (a regular
  // expression) is mapped; throws when none comes within the time.
  static TXWindow WaitFor(const std::string& captionPattern, int timeoutMs = 15000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
      QProcess search;
      search.start("xdotool", {"search", "--onlyvisible", "--name", QString::fromStdString(captionPattern)});
      search.waitForFinished(5000);
      const auto ids = QString::fromLocal8Bit(search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
      if (!ids.isEmpty()) return TXWindow(ids.last().trimmed().toStdString());
      QThread::msleep(50);
    }
    throw std::runtime_error("no window titled " + captionPattern + " appeared");
  }
  // True when no visible window matches the pattern any more, within the time.
  static bool WaitForGone(const std::string& captionPattern, int timeoutMs = 15000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
      QProcess search;
      search.start("xdotool", {"search", "--onlyvisible", "--name", QString::fromStdString(captionPattern)});
      search.waitForFinished(5000);
      if (search.readAllStandardOutput().trimmed().isEmpty()) return true;
      QThread::msleep(50);
    }
    return false;
  }

  const std::string& Id() const { return FId; }
  std::string Caption() const { return Xdo({"getwindowname"}); }
  // The client area: what the program sized, without the window manager's frame.
  TWindowGeometry Geometry() const {
    TWindowGeometry geometry;
    const auto shell = QString::fromStdString(Xdo({"getwindowgeometry", "--shell"})).split('\n');
    for (const QString& line : shell) {
      const auto pair = line.split('=');
      if (pair.size() != 2) continue;
      const int value = pair[1].toInt();
      if (pair[0] == "X") geometry.X = value;
      if (pair[0] == "Y") geometry.Y = value;
      if (pair[0] == "WIDTH") geometry.Width = value;
      if (pair[0] == "HEIGHT") geometry.Height = value;
    }
    return geometry;
  }
  bool Maximised() const {
    const std::string state = RunTool("xprop", {"-id", QString::fromStdString(FId), "_NET_WM_STATE"});
    return state.find("_NET_WM_STATE_MAXIMIZED_VERT") != std::string::npos &&
           state.find("_NET_WM_STATE_MAXIMIZED_HORZ") != std::string::npos;
  }
  // Gives the window the keyboard, as a click on its frame would.
  void Activate() const { Xdo({"windowactivate", "--sync"}); }
  // A left click at a point of the client area.
  void ClickAt(int x, int y) const {
    RunTool("xdotool", {"mousemove", "--sync", "--window", QString::fromStdString(FId), QString::number(x),
                        QString::number(y), "click", "1"});
  }
  // What the window shows, kept as a PNG file for a person to look at.
  void Screenshot(const std::filesystem::path& file) const {
    std::filesystem::create_directories(file.parent_path());
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(std::stoul(FId));
    if (shot.isNull() || !shot.save(QString::fromStdString(file.string()), "PNG")) {
      throw std::runtime_error("cannot keep a screenshot in " + file.string());
    }
  }

 private:
  explicit TXWindow(std::string id) : FId(std::move(id)) {}
  std::string Xdo(QStringList arguments) const {
    const QString command = arguments.takeFirst();
    return RunTool("xdotool", QStringList{command} + arguments + QStringList{QString::fromStdString(FId)});
  }
  std::string FId;
};

// Keys to the window that has the keyboard ("Tab", "alt+f", "Return").
inline void PressKeys(const QStringList& keys) { RunTool("xdotool", QStringList{"key", "--delay", "60"} + keys); }
inline void TypeText(const std::string& text) {
  RunTool("xdotool", {"type", "--delay", "30", QString::fromStdString(text)});
}

}  // namespace testsupport

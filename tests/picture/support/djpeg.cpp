#include "djpeg.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace picture::testing {

int RunProgram(std::vector<std::string> argv) {
  std::vector<char*> args;
  for (auto& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

int ReadNumber(std::istream& in) {
  in >> std::ws;
  while (in.peek() == '#') {
    std::string comment;
    std::getline(in, comment);
    in >> std::ws;
  }
  int value = -1;
  in >> value;
  return value;
}

}  // namespace

bool DjpegAvailable() {
  static const bool available = RunProgram({"sh", "-c", "djpeg -version 2>/dev/null"}) == 0;
  return available;
}

TPnmImage RunDjpeg(const std::string& jpegPath, const std::vector<std::string>& arguments) {
  std::string out = jpegPath + ".djpeg.pnm";
  std::vector<std::string> argv{"djpeg"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  argv.insert(argv.end(), {"-pnm", "-outfile", out, jpegPath});
  int status = RunProgram(argv);
  // 2 is djpeg's exit status for "done, with warnings" (a truncated file, for one).
  if (status != 0 && status != 2) throw std::runtime_error("djpeg failed with status " + std::to_string(status));
  TPnmImage image = ReadPnm(out);
  std::filesystem::remove(out);
  return image;
}

TPnmImage ReadPnm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  in >> magic;
  if (magic != "P5" && magic != "P6") throw std::runtime_error("not a binary PNM: " + path);
  TPnmImage image;
  image.Width = ReadNumber(in);
  image.Height = ReadNumber(in);
  int maxValue = ReadNumber(in);
  in.get();  // the single white-space byte before the samples
  if (image.Width <= 0 || image.Height <= 0 || maxValue != 255) throw std::runtime_error("bad PNM header: " + path);
  size_t pixels = static_cast<size_t>(image.Width) * image.Height;
  int channels = magic == "P6" ? 3 : 1;
  std::vector<uint8_t> samples(pixels * channels);
  in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size()));
  if (!in) throw std::runtime_error("short PNM: " + path);
  if (channels == 3) {
    image.Rgb = std::move(samples);
  } else {
    image.Rgb.resize(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) image.Rgb[3 * i] = image.Rgb[3 * i + 1] = image.Rgb[3 * i + 2] = samples[i];
  }
  return image;
}

}  // namespace picture::testing

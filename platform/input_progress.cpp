#include "platform/input_progress.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace varnel {

namespace {

// The files of /proc read here are a few hundred bytes at most.
std::string ReadSmallFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return "";
  char buffer[4096];
  const ssize_t count = read(fd, buffer, sizeof buffer - 1);
  close(fd);
  return count > 0 ? std::string(buffer, static_cast<std::size_t>(count)) : "";
}

// The number after `name` in a /proc file of "name value" lines; 0 when it is missing.
std::uint64_t FieldValue(const std::string& text, const char* name) {
  const std::size_t at = text.find(name);
  if (at == std::string::npos) return 0;
  return std::strtoull(text.c_str() + at + std::strlen(name), nullptr, 10);
}

// The process group of `pid`; -1 when it cannot be read. The command name in
// /proc/<pid>/stat may hold blanks and parentheses, so the fields are counted
// from the last ')'.
pid_t GroupOf(pid_t pid) {
  const std::string stat = ReadSmallFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t end = stat.rfind(')');
  int group = -1;
  if (end == std::string::npos || std::sscanf(stat.c_str() + end + 1, " %*c %*d %d", &group) != 1) {
    return -1;
  }
  return group;
}

pid_t ProcessNumber(const char* name) {
  if (*name < '1' || *name > '9') return 0;
  char* end = nullptr;
  const long number = std::strtol(name, &end, 10);
  return *end == '\0' ? static_cast<pid_t>(number) : 0;
}

struct CloseFolder {
  void operator()(DIR* folder) const { closedir(folder); }
};
using Folder = std::unique_ptr<DIR, CloseFolder>;

Folder OpenFolder(const std::string& path) {
  return Folder(opendir(path.c_str()));
}

}  // namespace

InputProgress::InputProgress(pid_t group, const std::vector<std::string>& paths)
    : group_(group), reached_(paths.size(), 0) {
  for (const std::string& path : paths) {
    Input input;
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
      input = {status.st_dev, status.st_ino,
               S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0};
    }
    inputs_.push_back(input);
    totalSize_ += input.size;
  }
}

std::optional<double> InputProgress::Sample() {
  if (totalSize_ == 0) return std::nullopt;
  return Take(ReadGroup());
}

std::optional<double> InputProgress::Take(const std::vector<ProcessReads>& processes) {
  if (totalSize_ == 0) return std::nullopt;
  for (const ProcessReads& process : processes) {
    for (const ProcessReads::OpenInput& open : process.openInputs) {
      std::uint64_t& reached = reached_[open.input];
      reached = std::max(reached, std::min(open.position, inputs_[open.input].size));
    }
  }
  std::uint64_t reached = 0;
  for (const std::uint64_t position : reached_) reached += position;
  const double share = static_cast<double>(reached) / static_cast<double>(totalSize_);
  shown_ = std::max(shown_, share);
  return shown_;
}

std::vector<ProcessReads> InputProgress::ReadGroup() const {
  std::vector<ProcessReads> processes;
  // Group 0 holds the kernel's own threads, never a run.
  const Folder proc = group_ > 0 ? OpenFolder("/proc") : nullptr;
  if (!proc) return processes;
  while (const dirent* entry = readdir(proc.get())) {
    const pid_t pid = ProcessNumber(entry->d_name);
    if (pid == 0 || GroupOf(pid) != group_) continue;
    const std::string folder = "/proc/" + std::to_string(pid);
    ProcessReads process;
    const Folder descriptors = OpenFolder(folder + "/fd");
    if (!descriptors) continue;
    while (const dirent* fd = readdir(descriptors.get())) {
      if (fd->d_name[0] == '.') continue;
      const std::vector<std::size_t> inputs = InputsOpenAt(pid, fd->d_name);
      if (inputs.empty()) continue;
      const std::uint64_t position =
          FieldValue(ReadSmallFile(folder + "/fdinfo/" + fd->d_name), "pos:");
      for (const std::size_t input : inputs) process.openInputs.push_back({input, position});
    }
    if (!process.openInputs.empty()) processes.push_back(std::move(process));
  }
  return processes;
}

std::vector<std::size_t> InputProgress::InputsOpenAt(pid_t pid, const std::string& fd) const {
  std::vector<std::size_t> found;
  struct stat status;
  if (stat(("/proc/" + std::to_string(pid) + "/fd/" + fd).c_str(), &status) != 0) return found;
  for (std::size_t input = 0; input < inputs_.size(); ++input) {
    if (inputs_[input].size > 0 && inputs_[input].device == status.st_dev &&
        inputs_[input].inode == status.st_ino) {
      found.push_back(input);
    }
  }
  return found;
}

}  // namespace varnel

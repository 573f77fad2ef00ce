#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// One process as /proc shows it: where each of its descriptors on an input
// file stands.
struct ProcessReads {
  struct OpenInput {
    std::size_t input;       // which of the input files, by its place in the list
    std::uint64_t position;  // the descriptor's file position
  };
  std::vector<OpenInput> openInputs;
};

// How far the processes of a run's group have come through its input files,
// taken from outside: the comparer and its command line know nothing of it.
//
// A process that reads a file in order with read() moves the descriptor's
// position, and our comparer keeps it at the furthest byte it has read, also
// when it reads something again in place. So the furthest position seen on
// each file, against the file's size, says how far the run has come: reading
// again never moves it, and it is full only once the last bytes have been
// read. A process's count of the bytes it has read (rchar) would say neither:
// it grows with every byte read again, and with what it reads of anything else.
class InputProgress {
 public:
  // `paths` name the input files; their sizes are taken now. `group` is the
  // process group of the run; with 0 no process is read.
  InputProgress(pid_t group, const std::vector<std::string>& paths);

  // Reads the group's processes from /proc and tells the share of the input
  // files that they have come through so far, from 0 to 1 and never less than
  // before; nullopt when the files have no bytes to measure against. Processes
  // that cannot be read, or end meanwhile, are passed over.
  std::optional<double> Sample();

  // The same, from a view of the group that has been read already.
  std::optional<double> Take(const std::vector<ProcessReads>& processes);

 private:
  struct Input {
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t size = 0;  // 0 for anything but a regular file
  };

  // The group's processes that hold an input file open, as /proc shows them.
  std::vector<ProcessReads> ReadGroup() const;
  // The inputs that the descriptor `fd` of process `pid` is open on.
  std::vector<std::size_t> InputsOpenAt(pid_t pid, const std::string& fd) const;

  pid_t group_;
  std::vector<Input> inputs_;
  std::uint64_t totalSize_ = 0;
  // By input, the furthest position seen, kept so that a file read to its end
  // and closed, or a process that has ended, still counts.
  std::vector<std::uint64_t> reached_;
  double shown_ = 0;
};

}  // namespace varnel

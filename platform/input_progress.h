#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace varnel {

// One process as /proc shows it: how much it has read in all, and where each
// of its descriptors on an input file stands.
struct ProcessReads {
  struct OpenInput {
    std::size_t input;       // which of the input files, by its place in the list
    std::uint64_t position;  // the descriptor's file position
  };
  pid_t pid = 0;
  std::uint64_t readBytes = 0;  // rchar: every byte it has read, from anywhere
  std::vector<OpenInput> openInputs;
};

// How much of a run's input files the processes of its group have read, taken
// from outside: the comparer and its command line know nothing of it.
//
// A process that reads a file with read() moves the descriptor's position, so
// the positions say how far the readers have come. One that reads with
// pread(), as our comparer does, leaves the positions at 0; then its count of
// all the bytes it has read, cut to the sizes of the input files it holds,
// stands for what it has read of them (the few bytes it read elsewhere, to
// start, are lost in that). The larger of the two measures is taken, and the
// count of one process only: helpers that merely inherit a descriptor, and
// read a little of something else, never add up.
class InputProgress {
 public:
  // `paths` name the input files; their sizes are taken now. `group` is the
  // process group of the run; with 0 no process is read.
  InputProgress(pid_t group, const std::vector<std::string>& paths);

  // Reads the group's processes from /proc and tells the share of the input
  // files read so far, from 0 to 1 and never less than before; nullopt when
  // the files have no bytes to measure against. Processes that cannot be
  // read, or end meanwhile, are passed over.
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
  // Kept at their largest, so that a file read to its end and closed, or a
  // process that has ended, still counts.
  std::vector<std::uint64_t> positionRead_;      // by input, from the positions
  std::uint64_t countRead_ = 0;                  // from the best count of one process
  std::map<pid_t, std::set<std::size_t>> held_;  // every input each process held
  std::set<pid_t> readsByPosition_;              // processes that moved a position
  double shown_ = 0;
};

}  // namespace varnel

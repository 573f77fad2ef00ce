#include "fc/run.h"

#include <unistd.h>

#include <memory>
#include <new>

#include "fc/arguments.h"
#include "fc/binary_compare.h"
#include "fc/file_source.h"
#include "fc/input_buffer.h"
#include "fc/output.h"
#include "fc/report.h"
#include "fc/text_compare.h"
#include "fc/text_source.h"

namespace fc {
namespace {

// Reads of this size keep system calls few, and the two files' pieces, read in turn, in the
// processor's cache until they are compared. A text comparison holds at most a chunk and a
// quarter of each file, and a chunk of scratch, whatever the length of the lines (a UTF-16 or
// UTF-32 file adds some 0.4 MiB for decoding, whatever its size); besides that only the resync
// search grows, with its /LB window: by 12 bytes a line, and in a long search by up to some 40 more
// for its index of runs.
constexpr size_t kChunk = size_t{256} << 10;
// The most of each file that is held from the last equal line before a block on, so that the
// search and the report read none of it again (see TextWalk): enough for nearly every block.
// More would rarely save a read, and each page that a comparison touches costs time: a long
// line, held from its start while its equal bytes go by, would touch them all.
constexpr size_t kHold = kChunk / 4;

void Complain(int err_fd, std::string_view line) {
  ssize_t ignored = write(err_fd, line.data(), line.size());
  (void)ignored;
}

ExitCode Finish(Output& out, int err_fd, ExitCode code) {
  if (out.Flush()) return code;
  // A reader that has gone away (`fc a b | head`) wants nothing more: end quietly, as filters do.
  if (!out.reader_gone()) Complain(err_fd, "FC: cannot write the report - " + out.error() + "\n");
  return kExitTrouble;
}

// The most of an input that is read: all of it, unless the report is being written into it
// (`fc a b >> b`); then only what it held when it was opened, so that the report can never
// feed the comparison.
uint64_t ReadLimit(const FileSource& file, uint64_t size, int out_fd) {
  return file.IsOpenAs(out_fd) ? size : InputBuffer::kNoLimit;
}

ExitCode Compare(const Arguments& args, Output& out, int out_fd) {
  const Options& o = args.options;
  bool binary = o.binary || (!o.force_text && NameChoosesBinary(args.file1));
  uint64_t size1 = 0, size2 = 0;
  std::string complaint;
  std::unique_ptr<FileSource> file1 = FileSource::Open(args.file1, &size1, &complaint);
  std::unique_ptr<FileSource> file2;
  if (file1) file2 = FileSource::Open(args.file2, &size2, &complaint);
  if (!file1 || !file2) {
    out.Write(complaint + "\n");
    return kExitTrouble;
  }
  uint64_t limit1 = ReadLimit(*file1, size1, out_fd), limit2 = ReadLimit(*file2, size2, out_fd);
  Report report(out, args.file1, args.file2, binary, o.abbreviate, o.line_numbers);
  if (!report.Start()) return kExitTrouble;
  std::string error;
  Outcome outcome;
  if (binary) {
    InputBuffer in1(*file1, args.file1, limit1, kChunk, 0);
    InputBuffer in2(*file2, args.file2, limit2, kChunk, 0);
    outcome = CompareBinary(in1, in2, report, &error);
  } else {
    // Text is read as the text it holds, in the encoding that a byte-order mark names; the
    // limit then applies to the file's bytes, before any decoding.
    TextSource text1(*file1, limit1, DecodeSizes()), text2(*file2, limit2, DecodeSizes());
    InputBuffer in1(text1, args.file1, InputBuffer::kNoLimit, kChunk, kHold);
    InputBuffer in2(text2, args.file2, InputBuffer::kNoLimit, kChunk, kHold);
    TextOptions text;
    text.key.expand_tabs = !o.keep_tabs;
    text.key.compress_white = o.compress_white;
    text.key.fold_case = o.ignore_case;
    text.max_mismatch = o.max_mismatch;
    text.min_match = o.min_match;
    outcome = CompareText(in1, in2, text, report, &error);
  }
  if (!error.empty()) out.Write(error + "\n");
  if (outcome == Outcome::kSame) return kExitSame;
  return outcome == Outcome::kDifferent ? kExitDifferent : kExitTrouble;
}

ExitCode Run(const std::vector<std::string>& args, int out_fd, int err_fd) {
  Arguments parsed = ParseArguments(args);
  Output out(out_fd);
  switch (parsed.action) {
    case Action::kUsage:
      out.Write(UsageText());
      return Finish(out, err_fd, kExitSame);
    case Action::kRefuse:
      out.Write(parsed.complaint + "\n");
      return Finish(out, err_fd, kExitTrouble);
    case Action::kCompare:
      break;
  }
  ExitCode code = Compare(parsed, out, out_fd);
  return Finish(out, err_fd, code);
}

}  // namespace

ExitCode RunComparer(const std::vector<std::string>& args, int out_fd, int err_fd) {
  try {
    return Run(args, out_fd, err_fd);
  } catch (const std::bad_alloc&) {
    // A huge /LB on long files, under a memory limit. The line is a literal: there may be no
    // memory left to build one.
    Complain(err_fd, "FC: not enough memory to finish the comparison\n");
    return kExitTrouble;
  }
}

}  // namespace fc

// Formats the comparison results as the report the user reads.
#pragma once

#include <string>
#include <string_view>

#include "fc/output.h"
#include "fc/sink.h"

namespace fc {

// Writes the report for one comparison of file1 and file2 (named as given on the command
// line). Every call returns false once the output has failed.
class Report : public TextSink, public BinarySink {
 public:
  // `binary` picks the binary report's ending; `abbreviate` is /A, `numbers` is /N.
  Report(Output& out, std::string name1, std::string name2, bool binary, bool abbreviate,
         bool numbers);

  // The first line: "Comparing files <file1> and <file2>".
  bool Start();

  // The sink calls, each written in the report's format as it comes (see TextSink and
  // BinarySink); each returns false once the output has failed or a line could not be read.
  bool Block(const BlockSide& a, const BlockSide& b, LineAccess& lines) override;
  bool ResyncFailed(uint64_t line_a, bool ended_a, uint64_t line_b, bool ended_b) override;
  bool Difference(uint64_t offset, unsigned char a, unsigned char b) override;
  bool Longer(int longer) override;
  bool Finish(bool differed) override;

 private:
  bool Side(int k, const BlockSide& side, LineAccess& lines);
  bool PrintLines(int k, uint64_t first, uint64_t count, LineAccess& lines);
  bool PrintLine(int k, uint64_t line, LineAccess& lines);
  void WriteLineEnds(std::string_view text, bool* cr);

  Output& out_;
  std::string names_[2];
  bool binary_;
  bool abbreviate_;
  bool numbers_;
};

}  // namespace fc

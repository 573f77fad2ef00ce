// Which side of a comparison block each line of a report stands on.
#pragma once

#include <QString>
#include <QStringView>

namespace varnel {

enum class ReportSide {
  kPlain,   // the first line, a block's "*****" lines, and whatever stands between blocks
  kSource,  // a line of the first file, under "***** <file1>"
  kTarget,  // a line of the second file, under "***** <file2>"
};

// Reads a report one line at a time, from its first line on, and tells on
// which side each line stands. The two names come from the report itself: the
// first line is "Comparing files <file1> and <file2>", and the first line
// that starts with "***** " holds <file1> exactly, so <file2> is what follows
// it on the first line, even where a name holds " and ". A report that does
// not have this shape (no differences, a binary comparison, a complaint) is
// plain throughout. Never fails.
class ReportSides {
 public:
  ReportSide next(QStringView line);

 private:
  enum class State { kFirstLine, kBetweenBlocks, kSource, kTarget, kNoBlocks };

  ReportSide betweenBlocks(QStringView line);
  bool learnNames(QStringView firstHeader);

  State state_ = State::kFirstLine;
  QString firstLine_;
  QString sourceHeader_;
  QString targetHeader_;
};

}  // namespace varnel

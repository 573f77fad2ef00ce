#include "report/report_sides.h"

namespace varnel {

namespace {

const QString kComparing = QStringLiteral("Comparing files ");
const QString kHeader = QStringLiteral("***** ");
const QString kBlockEnd = QStringLiteral("*****");

}  // namespace

// A header is recognised only where it can stand: "***** <file2>" ends the
// first file's lines and "*****" the second's. So where both files have the
// same name, their headers simply alternate.
ReportSide ReportSides::next(QStringView line) {
  switch (state_) {
    case State::kFirstLine:
      firstLine_ = line.toString();
      state_ = State::kBetweenBlocks;
      return ReportSide::kPlain;
    case State::kBetweenBlocks:
      return betweenBlocks(line);
    case State::kSource:
      if (line != targetHeader_) return ReportSide::kSource;
      state_ = State::kTarget;
      return ReportSide::kPlain;
    case State::kTarget:
      if (line != kBlockEnd) return ReportSide::kTarget;
      state_ = State::kBetweenBlocks;
      return ReportSide::kPlain;
    case State::kNoBlocks:
      break;
  }
  return ReportSide::kPlain;
}

ReportSide ReportSides::betweenBlocks(QStringView line) {
  if (!sourceHeader_.isNull()) {
    if (line == sourceHeader_) state_ = State::kSource;
  } else if (line.startsWith(kHeader)) {
    state_ = learnNames(line) ? State::kSource : State::kNoBlocks;
  }
  return ReportSide::kPlain;
}

// False when the header's name does not fit the first line: then the report
// is not one whose blocks can be told apart.
bool ReportSides::learnNames(QStringView firstHeader) {
  QString lead = kComparing;
  lead += firstHeader.mid(kHeader.size());
  lead += QStringLiteral(" and ");
  if (!firstLine_.startsWith(lead)) return false;
  sourceHeader_ = firstHeader.toString();
  targetHeader_ = kHeader;
  targetHeader_ += QStringView(firstLine_).mid(lead.size());
  return true;
}

}  // namespace varnel

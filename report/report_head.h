// The first part of a report file: as much of it as a window can hold and
// still open at once, whatever the size of the file.
#pragma once

#include <QString>
#include <QtGlobal>
#include <string>

namespace varnel {

// The bounds of what a window holds of a report. A plain-text widget in
// Qt 6.4 costs about 470 bytes for each line on top of two or three for each
// character, and lays out every line in view whole, in time that grows with
// its length; so the lines are bounded as well as the bytes, and a very long
// line is cut. Within these bounds a window adds at most about 30 MiB to the
// program and shows its first lines within half a second.
inline constexpr qsizetype kHeadBytes = qsizetype{2} << 20;
inline constexpr qsizetype kHeadLines = 50000;
inline constexpr qsizetype kLongestLine = qsizetype{8} << 10;

struct ReportHead {
  QString text;           // whole lines of the report, each one ending in '\n'
  bool complete = false;  // false when the report goes on past `text`
};

// Reads the head of the report `file` (a path as the system's bytes) with one
// read of at most kHeadBytes + 1 bytes: whole lines only, at most kHeadLines
// of them, each line longer than kLongestLine bytes cut there with `cutMark`
// in place of the rest. Bytes that are not UTF-8 show as U+FFFD. Returns
// false, with the system's reason in *reason, when the file cannot be read.
bool ReadReportHead(const std::string& file, const QString& cutMark, ReportHead* head,
                    std::string* reason);

}  // namespace varnel

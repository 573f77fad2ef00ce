#include "report/report_head.h"

#include <QByteArray>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace varnel {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads up to `size` bytes from the start of `file`; false with the reason
// when it cannot be opened or read.
bool ReadStart(const std::string& file, qsizetype size, QByteArray* data, std::string* reason) {
  const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
  if (!stream) {
    *reason = std::strerror(errno);
    return false;
  }
  data->resize(size);
  const size_t got = std::fread(data->data(), 1, static_cast<size_t>(size), stream.get());
  if (std::ferror(stream.get())) {
    *reason = std::strerror(errno);
    return false;
  }
  data->truncate(static_cast<qsizetype>(got));
  return true;
}

// The length of a line cut to kLongestLine bytes, shortened so that the cut
// does not split a UTF-8 character into bytes that would show as U+FFFD.
qsizetype CutLength(QByteArrayView line) {
  qsizetype length = kLongestLine;
  while (length > kLongestLine - 3 && (static_cast<uchar>(line[length]) & 0xC0) == 0x80) --length;
  return length;
}

// Adds one line of the report, without its line end, to `shown`.
void AddLine(QByteArrayView line, const QByteArray& cutMark, QByteArray* shown) {
  if (line.size() <= kLongestLine) {
    shown->append(line);
  } else {
    shown->append(line.first(CutLength(line)));
    shown->append(cutMark);
  }
  shown->append('\n');
}

// Where the line that begins at `start` ends, or -1 where no line end
// follows; *next is where the next line begins. A CR ends a line as an LF
// does, and CR LF is one line end: the text widget starts a new line at each,
// and each line it holds costs alike.
qsizetype LineEnd(QByteArrayView data, qsizetype start, qsizetype* next) {
  for (qsizetype i = start; i < data.size(); ++i) {
    if (data[i] != '\n' && data[i] != '\r') continue;
    *next = i + (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n' ? 2 : 1);
    return i;
  }
  *next = data.size();
  return -1;
}

}  // namespace

// The last line of the data read is shown only where the file ends with it,
// or where it is to be cut anyway: anywhere else it may go on past the read.
bool ReadReportHead(const std::string& file, const QString& cutMark, ReportHead* head,
                    std::string* reason) {
  QByteArray data;
  if (!ReadStart(file, kHeadBytes + 1, &data, reason)) return false;
  const bool fileEnds = data.size() <= kHeadBytes;
  if (!fileEnds) data.truncate(kHeadBytes);

  const QByteArray mark = cutMark.toUtf8();
  QByteArray shown;
  qsizetype start = 0;
  for (qsizetype lines = 0; start < data.size() && lines < kHeadLines; ++lines) {
    qsizetype next = 0;
    qsizetype end = LineEnd(data, start, &next);
    if (end < 0 && !fileEnds && data.size() - start <= kLongestLine) break;
    if (end < 0) end = data.size();
    AddLine(QByteArrayView(data).sliced(start, end - start), mark, &shown);
    start = next;
  }
  head->complete = fileEnds && start >= data.size();
  data.clear();
  head->text = QString::fromUtf8(shown);
  return true;
}

}  // namespace varnel

// The built program on tiny files made in a scratch folder: the whole report and the exit
// status for each switch and each kind of trouble; and on big generated files, its memory.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "fc/file_source.h"

extern char** environ;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class FcProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
    pattern += "/fc_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
  }

  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  static std::vector<char*> Argv(std::string& program, std::vector<std::string>& args) {
    std::vector<char*> argv{program.data()};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
  }

  // Waits for fc and returns its exit status, or -1 after a signal. A comparer that waits on a
  // pipe or a device would hang here: it gets ten seconds. Sets *peak_kib, when asked, to its
  // peak resident memory.
  int Wait(pid_t pid, long* peak_kib = nullptr) {
    int status = 0;
    struct rusage usage = {};
    for (int tries = 0; wait4(pid, &status, WNOHANG, &usage) == 0; ++tries) {
      if (tries == 1000) {
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
        ADD_FAILURE() << "fc did not finish";
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (peak_kib != nullptr) *peak_kib = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Runs fc in the scratch folder with its standard output on `out_fd`.
  Result FcTo(std::vector<std::string> args, int out_fd) {
    std::string program = FC_PROGRAM, err = dir_ + "/.err";
    std::vector<char*> argv = Argv(program, args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid;
    Result r;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    r.status = Wait(pid);
    r.err = Read(err);
    return r;
  }

  // Runs fc in the scratch folder; stdout goes to a file there unless `out_path` names another.
  Result Fc(std::vector<std::string> args, const std::string& out_path = "") {
    std::string out = out_path.empty() ? dir_ + "/.out" : out_path;
    int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0) << out;
    Result r = FcTo(std::move(args), fd);
    close(fd);
    if (out_path.empty()) r.out = Read(out);
    return r;
  }

  // Runs fc in the scratch folder under an address-space limit of `limit` bytes, its report
  // thrown away, and sets *peak_kib to its peak resident memory. The peak of a forked child
  // counts what it shared with this process before exec, so no input is ever held whole here.
  Result FcLimited(std::vector<std::string> args, rlim_t limit, long* peak_kib) {
    std::string program = FC_PROGRAM, err = dir_ + "/.err";
    std::vector<char*> argv = Argv(program, args);
    pid_t pid = fork();
    if (pid == 0) {
      struct rlimit rl = {limit, limit};
      int out = open("/dev/null", O_WRONLY);
      int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0 || e < 0 || dup2(out, 1) < 0 || dup2(e, 2) < 0 || chdir(dir_.c_str()) != 0 ||
          setrlimit(RLIMIT_AS, &rl) != 0)
        _exit(125);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    Result r;
    EXPECT_GT(pid, 0);
    r.status = Wait(pid, peak_kib);
    r.err = Read(err);
    return r;
  }

  void Expect(std::vector<std::string> args, int status, const std::string& report) {
    Result r = Fc(args);
    EXPECT_EQ(r.status, status) << args.front();
    EXPECT_EQ(r.out, report) << args.front();
    EXPECT_EQ(r.err, "");
  }

  std::string dir_;
};

const char kSame[] = "Comparing files a.txt and b.txt\nFC: no differences encountered\n\n";

TEST_F(FcProgram, PlainBlockAndNoDifferences) {
  Write("a.txt", "one\ntwo\nthree\nfour\n");
  Write("b.txt", "one\nTWO\nthree\nfour\n");
  Expect({"a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n"
         "***** a.txt\none\ntwo\nthree\n***** b.txt\none\nTWO\nthree\n*****\n\n");
  Expect({"/c", "a.txt", "b.txt"}, 0, kSame);
  Expect({"a.txt", "a.txt"}, 0,
         "Comparing files a.txt and a.txt\nFC: no differences encountered\n\n");
}

TEST_F(FcProgram, LineNumbersAndAbbreviation) {
  Write("a.txt", "1\n2\n3\n4\n5\n6\n");
  Write("b.txt", "1\nx\ny\nz\n5\n6\n");
  Expect({"/A", "a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n"
         "***** a.txt\n1\n2\n...\n4\n5\n***** b.txt\n1\nx\n...\nz\n5\n*****\n\n");
  Expect({"/N", "/A", "a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n***** a.txt\n"
         "    1:  1\n    2:  2\n...\n    4:  4\n    5:  5\n***** b.txt\n"
         "    1:  1\n    2:  x\n...\n    4:  z\n    5:  5\n*****\n\n");
  Write("c.txt", "1\nx\ny\n4\n5\n6\n");  // two block lines: /A shows both
  Expect({"/a", "a.txt", "c.txt"}, 1,
         "Comparing files a.txt and c.txt\n"
         "***** a.txt\n1\n2\n3\n4\n***** c.txt\n1\nx\ny\n4\n*****\n\n");
}

TEST_F(FcProgram, WhiteSpaceTabsAndLineEnds) {
  Write("a.txt", "a  b\nx\ty\nend\n");
  Write("b.txt", "\ta b \nx       y\r\nend");
  Expect({"/W", "a.txt", "b.txt"}, 0, kSame);
  Expect({"/T", "/W", "a.txt", "b.txt"}, 0, kSame);
  Expect({"a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n"
         "***** a.txt\na  b\nx\ty\n***** b.txt\n\ta b \nx       y\n*****\n\n");
  Expect({"/T", "/LB2", "a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n"
         "***** a.txt\na  b\nx\ty\nend\n***** b.txt\n\ta b \nx       y\nend\n*****\n\n");
  Expect({"/T", "/LB1", "a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\nResync failed.  Files are too different.\n"
         "No match found again from line 1 of a.txt and line 1 of b.txt.\n\n");
}

TEST_F(FcProgram, LinesAddedOrRemovedAtEitherEnd) {
  Write("a.txt", "1\n2\n");
  Write("b.txt", "1\n2\n3\n4\n");
  Expect({"a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n***** a.txt\n2\n***** b.txt\n2\n3\n4\n*****\n\n");
  Write("c.txt", "x\n1\n2\n");
  Expect({"c.txt", "a.txt"}, 1,
         "Comparing files c.txt and a.txt\n***** c.txt\nx\n1\n***** a.txt\n1\n*****\n\n");
  Write("e.txt", "");
  Expect({"e.txt", "a.txt"}, 1,
         "Comparing files e.txt and a.txt\n***** e.txt\n***** a.txt\n1\n2\n*****\n\n");
}

TEST_F(FcProgram, BlockLinesLongerThanTheReadChunk) {
  // About 1.2 MB a line, several of the comparer's reads: tabs, blanks and two- and three-byte
  // characters run across their edges.
  std::string line;
  while (line.size() < 1200000) line += "word\t\xC3\xA9t\xC3\xA9  K\xE2\x84\xAA ";
  std::string changed = line;
  changed[changed.size() - 700000] = 'X';
  Write("a.txt", "first\n" + line + "\nlast\n");
  Write("b.txt", "first\n" + changed + "\r\nlast\n");
  Expect({"/N", "a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n***** a.txt\n    1:  first\n    2:  " + line +
             "\n    3:  last\n***** b.txt\n    1:  first\n    2:  " + changed +
             "\n    3:  last\n*****\n\n");
  // Only case and blanks differ: equal under /C /W.
  for (size_t at = 0; at < changed.size(); at += 3000)
    changed[at] = changed[at] == ' '
                      ? '\t'
                      : static_cast<char>(toupper(static_cast<unsigned char>(changed[at])));
  changed[changed.size() - 700000] = line[line.size() - 700000];
  Write("b.txt", "first\n" + changed + "\r\nlast\n");
  Expect({"/C", "/W", "a.txt", "b.txt"}, 0, kSame);
}

TEST_F(FcProgram, MinimumMatchDecidesWhereBlocksEnd) {
  Write("a.txt", "s\nA\nm\nB\ne\nf\n");
  Write("b.txt", "s\nX\nm\nY\ne\nf\n");
  const char* one_block =
      "Comparing files a.txt and b.txt\n"
      "***** a.txt\ns\nA\nm\nB\ne\n***** b.txt\ns\nX\nm\nY\ne\n*****\n\n";
  Expect({"a.txt", "b.txt"}, 1, one_block);
  // Counts far beyond the files' length ask for no memory the files do not need.
  Expect({"/LB99999999999", "/99999999999", "a.txt", "b.txt"}, 1, one_block);
  const char* two_blocks =
      "Comparing files a.txt and b.txt\n"
      "***** a.txt\ns\nA\nm\n***** b.txt\ns\nX\nm\n*****\n\n"
      "***** a.txt\nm\nB\ne\n***** b.txt\nm\nY\ne\n*****\n\n";
  Expect({"/1", "a.txt", "b.txt"}, 1, two_blocks);
  Expect({"/", "1", "a.txt", "b.txt"}, 1, two_blocks);
}

TEST_F(FcProgram, FailedResyncNamesWhereMatchingStopped) {
  Write("a.txt", "1\n2\n3\n4\n5\n");
  Write("b.txt", "1\n6\n7\n8\n9\n");
  const char* failed =
      "Comparing files a.txt and b.txt\n"
      "Resync failed.  Files are too different.\n"
      "No match found again from line 2 of a.txt and line 2 of b.txt.\n\n";
  Expect({"/LB2", "a.txt", "b.txt"}, 1, failed);
  Expect({"/LB", "2", "a.txt", "b.txt"}, 1, failed);
  Expect({"/lb4", "a.txt", "b.txt"}, 1,
         "Comparing files a.txt and b.txt\n"
         "***** a.txt\n1\n2\n3\n4\n5\n***** b.txt\n1\n6\n7\n8\n9\n*****\n\n");
}

TEST_F(FcProgram, BinaryComparison) {
  Write("a.txt", "ABCD");
  Write("b.txt", "AbCDE");
  const char* report =
      "Comparing files a.txt and b.txt\n00000001: 42 62\nFC: b.txt longer than a.txt\n\n";
  Expect({"/B", "a.txt", "b.txt"}, 1, report);
  Expect({"/L", "/b", "/N", "a.txt", "b.txt"}, 1, report);
  Write("a.bin", "ABCD");
  Write("b.bin", "ABCD");
  Expect({"a.bin", "b.bin"}, 0,
         "Comparing files a.bin and b.bin\nFC: no differences encountered\n\n");
  Write("c.BIN", "x\n");
  Expect({"c.BIN", "b.bin"}, 1,
         "Comparing files c.BIN and b.bin\n00000000: 78 41\n00000001: 0A 42\n"
         "FC: b.bin longer than c.BIN\n\n");
  Expect({"/L", "c.BIN", "b.bin"}, 1,
         "Comparing files c.BIN and b.bin\n***** c.BIN\nx\n***** b.bin\nABCD\n*****\n\n");
}

// The bytes of `text` in UTF-16, after a byte-order mark when `mark`.
std::string Utf16(const std::u16string& text, bool big_endian, bool mark) {
  std::string bytes = mark ? (big_endian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (char16_t unit : text) {
    char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

// The bytes of `text` in UTF-32, after a byte-order mark.
std::string Utf32(const std::u32string& text, bool big_endian) {
  std::string bytes(big_endian ? "\0\0\xFE\xFF" : "\xFF\xFE\0\0", 4);
  for (char32_t unit : text)
    for (int k = 0; k < 4; ++k) bytes += static_cast<char>(unit >> 8 * (big_endian ? 3 - k : k));
  return bytes;
}

TEST_F(FcProgram, ByteOrderMarkNamesTheEncoding) {
  // The same text as UTF-8 with a mark and without, and as UTF-16 and UTF-32 in either byte
  // order: FF FE 00 00 names UTF-32, not UTF-16 that starts with a NUL.
  const std::string text = "Gr\u00FC\u00DFe\tK\u212A \U0001F600\r\nzwei\n";
  const std::u16string text16 = u"Gr\u00FC\u00DFe\tK\u212A \U0001F600\r\nzwei\n";
  const std::u32string text32 = U"Gr\u00FC\u00DFe\tK\u212A \U0001F600\r\nzwei\n";
  Write("plain.txt", text);
  Write("mark.txt", "\xEF\xBB\xBF" + text);
  Write("le.txt", Utf16(text16, false, true));
  Write("be.txt", Utf16(text16, true, true));
  Write("le32.txt", Utf32(text32, false));
  Write("be32.txt", Utf32(text32, true));
  Write("only_mark.txt", "\xFF\xFE");
  Write("only_mark32.txt", Utf32(U"", false));
  Write("empty.txt", "");
  const std::vector<std::pair<std::string, std::string>> same = {
      {"plain.txt", "mark.txt"},      {"le.txt", "plain.txt"},         {"mark.txt", "be.txt"},
      {"be.txt", "le.txt"},           {"le32.txt", "plain.txt"},       {"be32.txt", "le.txt"},
      {"only_mark.txt", "empty.txt"}, {"only_mark32.txt", "empty.txt"}};
  for (const auto& [x, y] : same)
    Expect({x, y}, 0,
           "Comparing files " + x + " and " + y + "\nFC: no differences encountered\n\n");
  EXPECT_EQ(Fc({"/B", "plain.txt", "mark.txt"}).status, 1);
  // The report gives the decoded lines in UTF-8, numbered as the decoded text's lines.
  Write("le.txt", Utf16(u"Gr\u00FC\u00DFe\nzwei\ndrei\nvier\n", false, true));
  Write("be.txt", Utf16(u"Gr\u00FC\u00DFe\nzwei\nDREI\nvier\n", true, true));
  Expect({"/N", "le.txt", "be.txt"}, 1,
         "Comparing files le.txt and be.txt\n"
         "***** le.txt\n    2:  zwei\n    3:  drei\n    4:  vier\n"
         "***** be.txt\n    2:  zwei\n    3:  DREI\n    4:  vier\n*****\n\n");
  Expect({"/C", "le.txt", "be.txt"}, 0,
         "Comparing files le.txt and be.txt\nFC: no differences encountered\n\n");
  // Units that cannot be decoded are U+FFFD: a lone lead surrogate, a lone trail surrogate, a
  // lead before a whole pair, and an odd last byte.
  std::u16string bad = u"a";
  bad += {char16_t{0xD800}, u'b', u'\n', char16_t{0xDC00}, u'\n', char16_t{0xD83D}};
  bad += u"\U0001F600\nc";
  Write("bad.txt", Utf16(bad, false, true) + "x");
  const std::string fffd = "\xEF\xBF\xBD";
  Write("good.txt", "a" + fffd + "b\n" + fffd + "\n" + fffd + "\xF0\x9F\x98\x80\nc" + fffd);
  Expect({"bad.txt", "good.txt"}, 0,
         "Comparing files bad.txt and good.txt\nFC: no differences encountered\n\n");
  // In UTF-32, in either byte order: a surrogate, units past U+10FFFF, and a last unit of
  // three bytes; and amid runs of ASCII, characters whose low byte is an ASCII letter.
  const std::u32string q(20, U'q');
  std::u32string bad32 = U"a";
  bad32 += {char32_t{0xD800}, U'b', U'\n', char32_t{0x110000}, U'\n'};
  bad32 += q + U"\u0141" + q + U"\U00010041" + q + char32_t{0x41000041} + q + U"\nc";
  const std::string q8(20, 'q');
  Write("good32.txt", "a" + fffd + "b\n" + fffd + "\n" + q8 + "\u0141" + q8 + "\U00010041" + q8 +
                          fffd + q8 + "\nc" + fffd);
  Write("le32.txt", Utf32(bad32, false) + std::string("x\0\0", 3));
  Write("be32.txt", Utf32(bad32, true) + std::string("\0\0x", 3));
  for (const char* name : {"le32.txt", "be32.txt"})
    Expect({name, "good32.txt"}, 0,
           "Comparing files " + std::string(name) +
               " and good32.txt\nFC: no differences encountered\n\n");
}

TEST_F(FcProgram, FilesThatCannotBeUsed) {
  Write("a.txt", "x\n");
  std::filesystem::create_directory(dir_ + "/sub");
  ASSERT_EQ(mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
  Expect({"missing.txt", "a.txt"}, 2, "FC: cannot open missing.txt - No such file or directory\n");
  Expect({"a.txt", "missing.txt"}, 2, "FC: cannot open missing.txt - No such file or directory\n");
  Expect({"a.txt", "sub"}, 2, "FC: sub is a folder, not a file\n");
  Expect({"fifo", "a.txt"}, 2, "FC: fifo is a pipe, not a regular file; it is not read\n");
  Expect({"a.txt", "/dev/zero"}, 2,
         "FC: /dev/zero is a device, not a regular file; it is not read\n");
  if (geteuid() != 0) {  // the superuser reads anything
    Write("locked.txt", "x\n");
    chmod((dir_ + "/locked.txt").c_str(), 0);
    Expect({"locked.txt", "a.txt"}, 2, "FC: cannot open locked.txt - Permission denied\n");
  }
}

TEST_F(FcProgram, CommandLineTrouble) {
  Expect({"/X", "a", "b"}, 2, "FC: invalid switch /X - unknown switch\n");
  Expect({"/LB0.5", "a", "b"}, 2, "FC: invalid switch /LB0.5 - the count must be a whole number\n");
  Expect({"a"}, 2, "FC: two file names are needed, 1 was given\n");
  Result usage = Fc({"/?"});
  EXPECT_EQ(usage.status, 0);
  EXPECT_EQ(usage.out.rfind("Varnel file compare", 0), 0u) << usage.out;
}

TEST_F(FcProgram, FilesAreReadToTheirEndWhateverTheirSizeSays) {
  // Files in /proc say they hold no bytes.
  std::string version = Read("/proc/version");
  ASSERT_TRUE(!version.empty() && version.back() == '\n') << version;
  Write("v.txt", version);
  for (const char* mode : {"/L", "/B"})
    Expect({mode, "/proc/version", "v.txt"}, 0,
           "Comparing files /proc/version and v.txt\nFC: no differences encountered\n\n");
  Write("w.txt", "other\n");
  Expect({"w.txt", "/proc/version"}, 1,
         "Comparing files w.txt and /proc/version\n***** w.txt\nother\n***** /proc/version\n" +
             version + "*****\n\n");
}

// The window reads how far a run has come from the offsets of the comparer's files: each stays
// at the furthest byte read, however the reads go back and forth.
TEST_F(FcProgram, FileOffsetStaysAtTheFurthestByteRead) {
  std::string text;
  for (int k = 0; k < 100; ++k) text += static_cast<char>('0' + k % 10);
  Write("a.txt", text);
  uint64_t size = 0;
  std::string complaint, error;
  std::unique_ptr<fc::FileSource> file = fc::FileSource::Open(dir_ + "/a.txt", &size, &complaint);
  ASSERT_TRUE(file) << complaint;
  int fd = -1;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ignored;
    if (std::filesystem::read_symlink(entry.path(), ignored) == dir_ + "/a.txt")
      fd = std::stoi(entry.path().filename());
  }
  ASSERT_GE(fd, 0);
  char out[64];
  // Each read: where, how much, what comes back and where the offset then stands.
  struct Step {
    uint64_t at;
    size_t size;
    size_t got;
    off_t offset;
  };
  for (Step step : {Step{0, 3, 3, 3}, Step{0, 50, 50, 50}, Step{10, 5, 5, 50}, Step{50, 30, 30, 80},
                    Step{90, 20, 10, 100}, Step{100, 8, 0, 100}, Step{20, 10, 10, 100}}) {
    size_t got = 0;
    ASSERT_TRUE(file->ReadAt(step.at, out, step.size, &got, &error)) << error;
    EXPECT_EQ(std::string(out, got), text.substr(step.at, step.got)) << step.at;
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), step.offset) << step.at;
  }
}

TEST_F(FcProgram, ReportWrittenIntoOneOfItsInputsEnds) {
  // A report that grows the file being read can never keep the comparer reading.
  std::string text;
  for (int k = 0; k < 100000; ++k) text += "line " + std::to_string(k) + "\n";
  Write("a.txt", text);
  Result r = Fc({"/LB1000000", "a.txt", "out.txt"}, dir_ + "/out.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Read(dir_ + "/out.txt"),
            "Comparing files a.txt and out.txt\n***** a.txt\n" + text + "***** out.txt\n*****\n\n");
  // Appended to an input, the report never becomes part of it, though it is written out while
  // that input is still being read: every tenth line differs, so blocks come all the way.
  std::string edited;
  text.clear();
  for (int k = 0; k < 200000; ++k) {
    std::string line = std::to_string(k) + "\n";
    text += "line " + line;
    edited += (k % 10 != 0 ? "line " : "edited ") + line;
  }
  Write("c.txt", text);
  Write("d.txt", edited);
  Result want = Fc({"c.txt", "d.txt"});
  ASSERT_EQ(want.status, 1);
  int fd = open((dir_ + "/d.txt").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  r = FcTo({"c.txt", "d.txt"}, fd);
  close(fd);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Read(dir_ + "/d.txt") == edited + want.out) << "the report fed the comparison";
}

TEST_F(FcProgram, WriteErrorsOnStandardErrorAndAClosedPipeQuietly) {
  Write("a.txt", "x\n");
  Result r = Fc({"a.txt", "a.txt"}, "/dev/full");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "FC: cannot write the report - No space left on device\n");
  // A reader that has gone away, as `fc a b | head -n 1` leaves it: filters end quietly there.
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  close(ends[0]);
  r = FcTo({"a.txt", "a.txt"}, ends[1]);
  close(ends[1]);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "");
}

// Memory independent of the length of lines and of files is the comparer's promise: its peak is
// held far below the size of each input. The address-space limit is a backstop that ends a
// runaway early (the libraries alone take some 40 MiB of it); a huge /LB then runs out, which
// must end in a line on standard error, not an abort. Under the sanitizers, their own memory
// hides the comparer's.
TEST_F(FcProgram, MemoryStaysBoundedAndRunningOutIsAnError) {
  if (kSanitized) GTEST_SKIP() << "the sanitizers' own memory hides the comparer's";
  constexpr long kPeakKib = 16 << 10;
  constexpr rlim_t kAddressSpace = rlim_t{96} << 20;
  // One line of 64 MiB, and a copy with one letter changed in its middle; the same as UTF-16.
  std::string piece;
  while (piece.size() < (size_t{64} << 10)) piece += "word\t\xC3\xA9t\xC3\xA9  K\xE2\x84\xAA ";
  piece.resize(size_t{64} << 10);
  std::string changed = piece;
  changed[0] = 'Q';
  {
    std::ofstream a(dir_ + "/long_a", std::ios::binary), b(dir_ + "/long_b", std::ios::binary);
    for (int k = 0; k < 1024; ++k) {
      a << piece;
      b << (k == 512 ? changed : piece);
    }
    // The same single line of 64 MiB as UTF-16.
    std::u16string piece16;
    while (piece16.size() < (size_t{32} << 10)) piece16 += u"word\t\u00E9t\u00E9  K\u212A ";
    piece16.resize(size_t{32} << 10);
    std::string bytes16 = Utf16(piece16, false, false), changed16 = bytes16;
    changed16[0] = 'Q';
    std::ofstream e(dir_ + "/long16_a", std::ios::binary), f(dir_ + "/long16_b", std::ios::binary);
    e << "\xFF\xFE";
    f << "\xFF\xFE";
    for (int k = 0; k < 1024; ++k) {
      e << bytes16;
      f << (k == 512 ? changed16 : bytes16);
    }
    // Five million short lines, and a copy with one changed in the middle, written in blocks.
    std::ofstream c(dir_ + "/lines_a", std::ios::binary), d(dir_ + "/lines_b", std::ios::binary);
    std::string block_c, block_d;
    for (int k = 0; k < 5000000; ++k) {
      std::string line = std::to_string(10000000 + k) + "\n";
      block_c += line;
      block_d += k == 2500000 ? "changed\n" : line;
      if (block_c.size() < (size_t{1} << 20) && k + 1 < 5000000) continue;
      c << block_c;
      d << block_d;
      block_c.clear();
      block_d.clear();
    }
  }
  const std::vector<std::vector<std::string>> bounded = {{"long_a", "long_b"},
                                                         {"/C", "/W", "long_a", "long_b"},
                                                         {"long16_a", "long16_b"},
                                                         {"/99999999999", "lines_a", "lines_b"}};
  for (const std::vector<std::string>& args : bounded) {
    long peak = 0;
    Result r = FcLimited(args, kAddressSpace, &peak);
    EXPECT_EQ(r.status, 1) << args.front() << ": " << r.err;
    EXPECT_LE(peak, kPeakKib) << args.front();
  }
  long peak = 0;
  Result r = FcLimited({"/LB99999999", "/1", "lines_a", "long_a"}, kAddressSpace, &peak);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "FC: not enough memory to finish the comparison\n");
}

}  // namespace

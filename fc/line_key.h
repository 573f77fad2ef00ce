// The key of a line: the form in which two lines are compared under /T, /W and /C. Keys are
// built and hashed in pieces, so that a line of any length needs only a bounded buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fc {

// Which transformations make up a key, applied in this order: tab expansion, white-space
// compression, case folding.
struct KeyOptions {
  bool expand_tabs = true;      // off with /T
  bool compress_white = false;  // /W
  bool fold_case = false;       // /C
};

// True when the key of the rest of a line, from just after the byte `c` on, does not depend on
// the bytes before `c`: a KeyBuilder started with `mid_line` there gives the same key bytes as
// one that went through the whole line. That holds after a tab when tabs are expanded (the
// column is then a multiple of eight), after an ASCII byte that is not blank under /W (no blank
// run is pending), and after any ASCII byte otherwise; never after a CR, which may belong to
// the line end.
bool KeyRestartsAfter(unsigned char c, const KeyOptions& options);

// Builds the key of one line from its text given in pieces, in order. What straddles two
// pieces, an incomplete UTF-8 sequence, a tab's column or a run of blanks, is carried from one
// piece to the next, so the key does not depend on where the line was cut. Never fails: bytes
// that are not valid UTF-8 count as one column each and are folded as ASCII.
class KeyBuilder {
 public:
  explicit KeyBuilder(const KeyOptions& options);

  // Starts a new line.
  void Start();
  // Starts in the middle of a line, just after a byte for which KeyRestartsAfter holds.
  void StartMidLine();
  // Carries on where `other` stands, in a line whose bytes so far are the same as its line's.
  void Resume(const KeyBuilder& other);

  // Takes the next piece of the line from the front of *text, a bounded one, and returns its
  // key; `ends` says that the line ends where *text does. This is how a line of any length is
  // keyed in a buffer of bounded size: call it until *text is empty.
  std::string_view Take(std::string_view* text, bool ends);

  // Returns the key of the next piece of the line, all of it; `last` says that the piece ends
  // the line. The view is of `piece` itself when the key is the same bytes, else of the
  // builder's own buffer, and stays valid until the next call. The buffer grows to eight times
  // the longest piece (a piece of tabs): Take keeps it bounded.
  std::string_view Feed(std::string_view piece, bool last);

  // Whether the key of a whole line is its text itself, as it is for every line when no option
  // changes keys, and for a line without a tab (`tab` says whether it has one) when tabs are
  // only expanded.
  bool KeyIsText(bool tab) const { return !fold_ && !white_ && (!tabs_ || !tab); }

  // Goes over the next piece of the line as Feed would, but keeps only what is carried on, for
  // bytes whose key is known to match another line's already. Costs little under tab expansion
  // alone: only the columns after the piece's last tab are counted.
  void Skip(std::string_view piece);

 private:
  static constexpr size_t kPiece = size_t{64} << 10;

  std::string_view FeedTabFree(std::string_view piece, bool last);
  bool FinishCarried(const unsigned char* p, size_t n, bool last, char** out, size_t* took);
  size_t Build(const unsigned char* p, size_t n, bool last, char** out);
  char* PutAscii(unsigned char c, char* out);
  size_t PutSequence(const unsigned char* p, size_t n, char** out);
  char* EndBlankRun(char* out);
  size_t CountColumns(const unsigned char* p, size_t n);
  void CarryTail(const unsigned char* p, size_t n, size_t used);
  char* Room(size_t n);

  bool tabs_;  // tabs are expanded (not under /W, whose key is the same without it)
  bool white_;
  bool fold_;
  unsigned column_ = 0;          // modulo 8 is all that matters
  bool leading_ = true;          // /W: no byte but blanks yet
  bool pending_ = false;         // /W: a blank run waits for a byte that is not blank
  unsigned char carry_[4] = {};  // the start of a UTF-8 sequence cut by the piece's end
  size_t carried_ = 0;
  std::unique_ptr<char[]> buf_;
  size_t capacity_ = 0;
};

// Builds the whole key of `line` (without its line end), a view of `line` itself when the key
// is the same bytes, else of *scratch, which it overwrites.
std::string_view BuildKey(std::string_view line, const KeyOptions& options, std::string* scratch);

}  // namespace fc

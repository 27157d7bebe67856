// Pieces of the transfer file. A piece is cut just after a LF, where the line
// splitter carries nothing over, so a fresh splitter cuts its lines exactly as
// the whole file's would. The tokens stay views into the piece's own bytes (or
// into a side buffer for the rare token that had to be copied) and the reals
// are converted beforehand, so applying a line is only the step the reader
// hands in: the dispatch of its statement.
//
// The read turn: a piece's bytes are read in its Prepare, on either thread,
// but one piece at a time and in file order. Piece n waits until pieces 0 to
// n - 1 have been read (readTurn_ == n) and passes the turn on when its own
// bytes are read, even when its reading failed. The carried bytes, the
// end-of-file and failure flags and the file position belong to the piece
// whose turn it is; a Prepare waits on nothing else, and the pieces are
// handed out oldest first (JwwPieceRunner.h), so the piece holding the turn
// is always being prepared and the turn always comes.
//
// An end-of-file mark stops the reading where the one-thread loop stops: the
// piece that reads the mark ends just before it, checks the rest of the file
// for statements through a small buffer of its own, as that loop does, and
// ends the source. No later piece reads, allocates or splits anything, so what
// follows the mark can make the two-thread read fail no more than the
// one-thread read.
#include "transfer/read/JwwReadInPieces.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/MyFunc.h"
#include "transfer/read/JwwLineSplitter.h"
#include "transfer/read/JwwTokenizer.h"
#include "transfer/seams/JwwSeams.h"

namespace {

// Bytes read for a piece before it is cut at its last LF. Large enough to
// make the hand-over between the threads rare, small enough that the
// pieces under way, with their tokens (about 2.5 times their bytes), stay
// within the processors' caches and that a fresh process has little memory
// to be given for them. The first pieces are smaller, doubling from
// kFirstPieceBytes, so that a small file needs only small buffers.
constexpr size_t kPieceBytes = size_t{64} << 10;
constexpr size_t kFirstPieceBytes = size_t{4} << 10;

// Bytes to read for piece `number` (or what the test switch asks).
size_t PieceBytes(int64_t number) {
  if (jwwHelperForTests.readPieceBytes > 0) return jwwHelperForTests.readPieceBytes;
  return number >= 5 ? kPieceBytes : kFirstPieceBytes << number;
}

// The buffer through which the rest of the file is checked after an
// end-of-file mark: on the stack, so that the check allocates nothing.
constexpr size_t kAfterMarkReadBytes = size_t{4} << 10;

constexpr char kEndOfFileMark = 0x1A;

// Where an end-of-file mark begins a line in bytes[from, size), bytes[0]
// beginning a line; or `size` when none does.
size_t FindEndMark(const char* bytes, size_t from, size_t size) {
  for (size_t at = from; at < size; ++at) {
    const void* mark = std::memchr(bytes + at, kEndOfFileMark, size - at);
    if (mark == nullptr) return size;
    at = static_cast<size_t>(static_cast<const char*>(mark) - bytes);
    if (at == 0 || bytes[at - 1] == '\n') return at;
  }
  return size;
}

// Tokens room is made for at first; it doubles as lines need it.
constexpr size_t kFirstTokenCapacity = 256;

// Bytes of a piece per token that room is made for before its lines are
// split: a token and its blank take 2 bytes at least, a drawing's numbers
// 4 to 17, so a piece of such lines needs no step of growth, each of which
// would copy the tokens. The room is left untouched until tokens fill it
// (TTokenRoom), so room beyond them costs no memory that a process is given.
constexpr size_t kPieceBytesPerToken = 4;

// Room for tokens, raw: a fresh page is touched (and paid for with a fault)
// only once a token is written into it, where `new std::string_view[n]`
// would write all n at once. A string_view may live in such storage as soon
// as it is written there: it is trivially copyable and trivially destroyed.
struct TRawDelete {
  void operator()(std::string_view* tokens) const { ::operator delete[](tokens); }
};
using TTokenRoom = std::unique_ptr<std::string_view[], TRawDelete>;

TTokenRoom NewTokenRoom(size_t capacity) {
  return TTokenRoom(
      static_cast<std::string_view*>(::operator new[](capacity * sizeof(std::string_view))));
}

struct alignas(kJwwSlotAlignment) TPiece {
  // Whole lines of the file, from the start of a line to just after a LF,
  // or to the end of the file for the last piece.
  std::unique_ptr<char[]> bytes;
  size_t capacity = 0;
  size_t size = 0;
  int64_t number = 0;                // the piece's place in the file: 0 for the first
  bool last = false;                 // the end of the file follows it
  bool readFailed = false;           // a read failed after its bytes
  bool endMark = false;              // an end-of-file mark follows its bytes
  bool statementsAfterMark = false;  // and statements follow that mark
  bool lineCutByMark = false;        // a mark inside its last line cut data off

  // The lines as tokens, every line with at least one token: line i has the
  // tokens from lineEnds[i - 1] (0 for the first) to lineEnds[i]. Token k is
  // tokens[k], read as a real reals[k].
  std::vector<uint32_t> lineEnds;
  TTokenRoom tokens;
  std::unique_ptr<double[]> reals;
  size_t tokenCount = 0;
  size_t tokenCapacity = 0;
  std::string copied;                                   // the tokens that are not runs of `bytes`
  std::vector<std::pair<uint32_t, uint32_t>> copiedAt;  // (token, offset in `copied`)
  TJwwTokenList scratch;                                // the splitter's tokens of the current line
  TRecentNumbers recentNumbers;                         // the numbers its pieces read lately

  std::string_view Bytes() const { return {bytes.get(), size}; }
};

// Makes room for `size` bytes in `piece`, keeping what it holds. Throws
// std::bad_alloc when memory runs out or the fault seam says so.
void Reserve(TPiece& piece, size_t size) {
  if (piece.capacity >= size) return;
  JwwAskBlockAllocSeam();
  std::unique_ptr<char[]> grown(new char[size]);
  if (piece.size > 0) std::memcpy(grown.get(), piece.bytes.get(), piece.size);
  piece.bytes = std::move(grown);
  piece.capacity = size;
}

// Makes room in `piece` for `capacity` tokens (more than it has) and as
// many line ends, keeping those it holds. Throws std::bad_alloc when memory
// runs out or the fault seam says so.
void GrowTokens(TPiece& piece, size_t capacity) {
  JwwAskBlockAllocSeam();
  piece.lineEnds.reserve(capacity);
  TTokenRoom tokens = NewTokenRoom(capacity);
  std::unique_ptr<double[]> reals(new double[capacity]);
  std::copy_n(piece.tokens.get(), piece.tokenCount, tokens.get());
  std::copy_n(piece.reals.get(), piece.tokenCount, reals.get());
  piece.tokens = std::move(tokens);
  piece.reals = std::move(reals);
  piece.tokenCapacity = capacity;
}

// Makes room in `piece` for the tokens of one more line, and for its line
// end (a line has a token at least, so lines never outnumber tokens). Throws
// std::bad_alloc when memory runs out or the fault seam says so.
void ReserveLineTokens(TPiece& piece) {
  if (piece.tokenCapacity - piece.tokenCount >= kJwwMaxTokens) return;
  GrowTokens(piece, std::max(piece.tokenCapacity * 2, kFirstTokenCapacity));
}

// The last LF in [from, to), or nullptr.
const char* LastLineEnd(const char* from, const char* to) {
  while (to > from) {
    if (*--to == '\n') return to;
  }
  return nullptr;
}

// Stores the lines the splitter cuts from a piece as tokens and reals.
class TTokenizeLines final : public TJwwLineHandler {
 public:
  explicit TTokenizeLines(TPiece& piece) : piece_(piece) {}

  void Line(std::string_view line) override {
    TPiece& p = piece_;
    JwwSplitLine(line, p.scratch);
    if (p.scratch[0].empty()) return;  // no token at all: the line changes nothing
    ReserveLineTokens(p);
    const uintptr_t begin = reinterpret_cast<uintptr_t>(p.bytes.get());
    const uintptr_t size = p.size;
    for (int i = 0; i < p.scratch.count; ++i) {
      const std::string_view token = p.scratch.token[i];
      const size_t k = p.tokenCount++;
      p.reals[k] = TextToReal(token, p.recentNumbers);
      p.tokens[k] = token;
      if (reinterpret_cast<uintptr_t>(token.data()) - begin + token.size() > size) {
        // Not a run of the piece: copied bytes or the empty token.
        p.copiedAt.emplace_back(static_cast<uint32_t>(k), static_cast<uint32_t>(p.copied.size()));
        p.copied.append(token);
      }
    }
    p.lineEnds.push_back(static_cast<uint32_t>(p.tokenCount));
  }

 private:
  TPiece& piece_;
};

class TReadInPieces final : public TJwwPieceWork {
 public:
  TReadInPieces(TJwwFile file, void (*apply)(const TJwwLineTokens&)) : file_(file), apply_(apply) {}

  // True when every piece was read and applied. Only after JwwRunPieces.
  bool Complete() const { return !readFailed_ && !statementsAfterEnd_ && !lineCut_; }

  // The bytes read from the file, once JwwRunPieces has returned.
  uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }

  // Numbers the next piece; its bytes are read when it is prepared. False
  // once a piece has met the end of the file, an end-of-file mark or a failed
  // read.
  bool Produce(int slot) override {
    if (sourceDone_.load(std::memory_order_acquire)) return false;
    pieces_[slot].number = produced_++;
    return true;
  }

  // Reads the piece in its turn, then splits its lines apart from the store.
  void Prepare(int slot) override {
    TPiece& p = pieces_[slot];
    ReadInTurn(p);
    Tokenize(p);
  }

  // Once a full-size piece has been read: a file that small is read sooner
  // than a thread starts.
  bool WorthASecondThread() const override {
    return bytesRead_.load(std::memory_order_relaxed) >= kPieceBytes;
  }

  // Applies the piece's lines to the store. After an end-of-file mark, a
  // line a mark cut short or a failed read nothing further is applied.
  bool Finish(int slot) override {
    const TPiece& p = pieces_[slot];
    uint32_t first = 0;
    for (uint32_t end : p.lineEnds) {
      apply_({p.tokens.get() + first, static_cast<int>(end - first), p.reals.get() + first});
      first = end;
    }
    statementsAfterEnd_ = p.statementsAfterMark;
    lineCut_ = p.lineCutByMark;
    return !p.endMark && !p.readFailed && !p.lineCutByMark;
  }

 private:
  // Reads the bytes of `piece` in its read turn (see the top of this file),
  // then passes the turn on, whatever happened. So the file is read in order
  // by whichever thread prepares the piece, and its bytes arrive in the cache
  // of the thread that splits them.
  void ReadInTurn(TPiece& piece) {
    {
      std::unique_lock lock(turnMutex_);
      turnChanged_.wait(lock, [&] { return readTurn_ == piece.number; });
    }
    try {
      ReadPiece(piece);
    } catch (...) {
      sourceDone_ = true;
      PassTurn();
      throw;
    }
    PassTurn();
  }

  void PassTurn() {
    {
      std::lock_guard lock(turnMutex_);
      ++readTurn_;
    }
    turnChanged_.notify_all();
  }

  enum class TFill { full, ended, failed };

  // Reads into `p` until it holds `wanted` bytes, the file ends or a read
  // fails.
  TFill Fill(TPiece& p, size_t wanted) {
    while (p.size < wanted) {
      const long long got = jwwFileOps.read(file_, p.bytes.get() + p.size, wanted - p.size);
      if (got < 0) return TFill::failed;
      if (got == 0) return TFill::ended;
      p.size += static_cast<size_t>(got);
      bytesRead_.fetch_add(static_cast<size_t>(got), std::memory_order_relaxed);
    }
    return TFill::full;
  }

  // Fills the piece with the carried bytes and fresh reads up to its size,
  // then cuts it after its last LF; a piece without any LF grows until one
  // comes or the file ends. Empty once the source is done. After a failed
  // read the piece holds the whole lines read before it; at an end-of-file
  // mark, the lines before the mark.
  void ReadPiece(TPiece& p) {
    p.size = 0;
    p.last = p.readFailed = p.endMark = p.statementsAfterMark = false;
    if (sourceDone_) return;
    size_t wanted = carry_.size() + PieceBytes(p.number);
    Reserve(p, wanted);
    if (!carry_.empty()) std::memcpy(p.bytes.get(), carry_.data(), carry_.size());
    p.size = carry_.size();
    carry_.clear();
    // The carried bytes hold no LF, and no mark that begins a line: the piece
    // before searched them for both.
    size_t searched = p.size;
    for (;;) {
      const TFill fill = Fill(p, wanted);
      if (EndAtMark(p, searched, fill)) return;
      if (fill == TFill::failed) {
        readFailed_ = p.readFailed = sourceDone_ = true;
        if (!CutAfterLastLineEnd(p, 0)) p.size = 0;
        return;
      }
      if (fill == TFill::ended) {
        sourceDone_ = p.last = true;
        return;
      }
      if (CutAfterLastLineEnd(p, searched)) return;
      searched = p.size;
      wanted *= 2;
      Reserve(p, wanted);
    }
  }

  // When an end-of-file mark begins a line at or after `from`: ends the
  // piece and the source before it, finds out whether statements follow it
  // and returns true. The rest of the file is read (unless `fill` met its
  // end or a failure) as the one-thread loop reads it: up to the first byte
  // that is no mark, CR or LF.
  bool EndAtMark(TPiece& p, size_t from, TFill fill) {
    const size_t mark = FindEndMark(p.bytes.get(), from, p.size);
    if (mark == p.size) return false;
    p.endMark = true;
    sourceDone_ = true;
    p.statementsAfterMark = !JwwOnlyEndMarksAndLineEnds({p.bytes.get() + mark, p.size - mark});
    p.size = mark;
    if (fill != TFill::full || p.statementsAfterMark) {
      if (fill == TFill::failed) readFailed_ = p.readFailed = true;
      return true;
    }
    char rest[kAfterMarkReadBytes];
    for (;;) {
      const long long got = jwwFileOps.read(file_, rest, sizeof rest);
      if (got < 0) {
        readFailed_ = p.readFailed = true;
        return true;
      }
      if (got == 0) return true;
      bytesRead_.fetch_add(static_cast<size_t>(got), std::memory_order_relaxed);
      if (!JwwOnlyEndMarksAndLineEnds({rest, static_cast<size_t>(got)})) {
        p.statementsAfterMark = true;
        return true;
      }
    }
  }

  // Ends `piece` after its last LF at or after `from`, keeping the bytes
  // after it for the next piece. False when there is no such LF.
  bool CutAfterLastLineEnd(TPiece& piece, size_t from) {
    const char* const begin = piece.bytes.get();
    const char* lf = LastLineEnd(begin + from, begin + piece.size);
    if (lf == nullptr) return false;
    const size_t cut = static_cast<size_t>(lf + 1 - begin);
    carry_.assign(begin + cut, piece.size - cut);
    piece.size = cut;
    return true;
  }

  // Splits the piece's lines into tokens and reads every token as a real.
  // The piece holds no end-of-file mark at the start of a line, and a line
  // that a mark inside it ends lies whole in one piece (pieces end at a LF or
  // at the end of the file), so the splitter tells here, as it does on one
  // thread, when such a mark cuts data off; the lines after it are left out.
  void Tokenize(TPiece& p) {
    p.lineEnds.clear();
    p.tokenCount = 0;
    p.copied.clear();
    p.copiedAt.clear();
    // Sized by the bytes read for the piece, not by the few carried over
    // from the piece before, so that the room stays the same from piece to
    // piece.
    const size_t expected = PieceBytes(p.number) / kPieceBytesPerToken + kJwwMaxTokens;
    if (p.tokenCapacity < expected) GrowTokens(p, expected);
    TJwwLineSplitter splitter;
    TTokenizeLines tokenize(p);
    p.lineCutByMark = !JwwFeedLines(splitter, p.Bytes(), tokenize);
    if (p.last && !p.lineCutByMark) JwwFinishLines(splitter, tokenize);
    for (auto [token, offset] : p.copiedAt) {
      p.tokens[token] = std::string_view(p.copied).substr(offset, p.tokens[token].size());
    }
  }

  TJwwFile file_;
  void (*apply_)(const TJwwLineTokens&);  // Finish only, on the calling thread
  TPiece pieces_[kJwwPieceSlots];
  int64_t produced_ = 0;  // Produce only

  // The reading, one piece at a time in file order: the piece whose turn it
  // is, and what only the Prepare holding the turn touches. The calling
  // thread reads sourceDone_ and bytesRead_ between pieces, and readFailed_
  // once the runner has ended.
  std::mutex turnMutex_;
  std::condition_variable turnChanged_;
  int64_t readTurn_ = 0;
  std::string carry_;  // bytes read after the last LF of the last piece
  bool readFailed_ = false;
  std::atomic<bool> sourceDone_ = false;  // the end of the file, a mark or a failed read was met
  std::atomic<size_t> bytesRead_ = 0;

  // Finish only, on the calling thread.
  bool statementsAfterEnd_ = false;
  bool lineCut_ = false;
};

}  // namespace

bool JwwReadLinesInPieces(TJwwFile file, uint64_t& bytesRead,
                          void (*apply)(const TJwwLineTokens& tokens)) {
  TReadInPieces read(file, apply);
  JwwRunPieces(read);
  bytesRead += read.BytesRead();  // the helper has left the work: its reads are seen
  return read.Complete();
}

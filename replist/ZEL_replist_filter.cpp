// TRowFilter and FilterRows: the wildcard matcher, the boolean expression parser
// and the RE2 binding of the report list's row filter.
#include "replist/ZEL_replist_filter.h"

#include <re2/re2.h>

#include "foundation/Zel_dstruct.h"
#include "foundation/Zel_stringl.h"

namespace zel {

namespace {

size_t CharLen(std::string_view s, size_t i) {
  char32_t cp;
  return Utf8CharAt(s, i, cp);
}

// True when pat occurs somewhere in text; "*" takes any run, "?" one character
// (code point). Being searched for, the pattern has an implied "*" at both
// ends. The classic greedy star: only the last star is ever widened, which is
// enough because what lies between two stars has at most one way to match at
// a given place, and it bounds the work by |pat| x |text| whatever the pattern.
bool WildcardFind(std::string_view pat, std::string_view text) {
  size_t p = 0, t = 0;
  size_t starP = 0, starT = 0;  // the implied leading star
  while (p < pat.size()) {
    if (pat[p] == '*') {
      starP = ++p;
      starT = t;
      continue;
    }
    if (t < text.size() && (pat[p] == '?' || pat[p] == text[t])) {
      t += pat[p] == '?' ? CharLen(text, t) : 1;
      ++p;
      continue;
    }
    if (starT >= text.size()) return false;
    starT += CharLen(text, starT);
    t = starT;
    p = starP;
  }
  return true;  // the implied trailing star takes the rest
}

// One fmSimple pattern, folded already when the filter ignores case.
class TPattern {
 public:
  explicit TPattern(std::string pat)
      : FPat(std::move(pat)), FWild(FPat.find_first_of("*?") != std::string::npos) {}
  bool FoundIn(std::string_view text) const {
    return FWild ? WildcardFind(FPat, text) : text.find(FPat) != std::string_view::npos;
  }

 private:
  std::string FPat;
  bool FWild;
};

// --- fmBoolean: tokens and syntax tree

struct TToken {
  enum TKind : uint8_t { kEnd, kLParen, kRParen, kAnd, kOr, kNot, kTerm };
  TKind Kind = kEnd;
  size_t Pos = 0;  // byte offset in the expression
  std::string Text;
};

struct TNode {
  enum TKind : uint8_t { kTerm, kNot, kAnd, kOr };
  TKind Kind = kTerm;
  int Term = 0;           // kTerm: index of its pattern
  std::vector<int> Kids;  // kNot: one; kAnd, kOr: two or more
};

bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char c = (a[i] >= 'a' && a[i] <= 'z') ? char(a[i] - 32) : a[i];
    if (c != b[i]) return false;
  }
  return true;
}

std::string Describe(const TToken& t) {
  switch (t.Kind) {
    case TToken::kEnd:
      return "the end of the expression";
    case TToken::kLParen:
      return "\"(\"";
    case TToken::kRParen:
      return "\")\"";
    default:
      return "\"" + t.Text + "\"";
  }
}

// Recursive descent over the grammar
//   or   := and { OR and }
//   and  := not { [AND] not }
//   not  := NOT not | primary
//   prim := term | "(" or ")"
// Nesting (parentheses and NOTs) is counted, so the recursion stays bounded.
class TBooleanParser {
 public:
  TBooleanParser(std::string_view exp, std::vector<TNode>& nodes, std::vector<std::string>& terms)
      : FExp(exp), FNodes(nodes), FTerms(terms) {
    Next();
  }

  // The root node, or -1 for an expression of blanks only.
  int Parse() {
    if (FTok.Kind == TToken::kEnd) return -1;
    const int root = ParseOr();
    if (FTok.Kind != TToken::kEnd)
      Fail(FTok.Pos, "expected an operator or the end, found " + Describe(FTok));
    return root;
  }

 private:
  std::string_view FExp;
  std::vector<TNode>& FNodes;
  std::vector<std::string>& FTerms;
  size_t FAt = 0;
  TToken FTok;
  int FDepth = 0;

  [[noreturn]] void Fail(size_t bytePos, const std::string& what) const {
    const size_t charPos = Utf8Length(FExp.substr(0, bytePos)) + 1;
    throw EZELRepListError("Invalid filter expression at position " + std::to_string(charPos) +
                           ": " + what);
  }

  void Next() {
    while (FAt < FExp.size() && IsBlankChar(FExp[FAt])) ++FAt;
    FTok = TToken();
    FTok.Pos = FAt;
    if (FAt == FExp.size()) return;
    const char c = FExp[FAt];
    if (c == '(' || c == ')') {
      FTok.Kind = c == '(' ? TToken::kLParen : TToken::kRParen;
      ++FAt;
    } else if (c == '"') {
      ReadQuoted();
    } else {
      ReadWord();
    }
  }

  // A quoted term; a doubled quote inside stands for one quote character.
  void ReadQuoted() {
    const size_t open = FAt++;
    FTok.Kind = TToken::kTerm;
    for (;;) {
      if (FAt >= FExp.size()) Fail(open, "unterminated quote, expected a closing '\"'");
      if (FExp[FAt] == '"') {
        if (FAt + 1 < FExp.size() && FExp[FAt + 1] == '"') {
          FTok.Text += '"';
          FAt += 2;
          continue;
        }
        ++FAt;
        break;
      }
      FTok.Text += FExp[FAt++];
    }
    if (FTok.Text.empty()) Fail(open, "expected a term, found an empty quoted term");
  }

  void ReadWord() {
    const size_t start = FAt;
    while (FAt < FExp.size() && !IsBlankChar(FExp[FAt]) && FExp[FAt] != '(' && FExp[FAt] != ')' &&
           FExp[FAt] != '"')
      ++FAt;
    FTok.Text.assign(FExp.substr(start, FAt - start));
    if (EqualsAsciiNoCase(FTok.Text, "AND")) {
      FTok.Kind = TToken::kAnd;
    } else if (EqualsAsciiNoCase(FTok.Text, "OR")) {
      FTok.Kind = TToken::kOr;
    } else if (EqualsAsciiNoCase(FTok.Text, "NOT")) {
      FTok.Kind = TToken::kNot;
    } else {
      FTok.Kind = TToken::kTerm;
    }
  }

  void Enter(size_t pos) {
    if (++FDepth > kMaxFilterNesting)
      Fail(pos, "nested deeper than " + std::to_string(kMaxFilterNesting) + " levels");
  }

  int Add(TNode n) {
    FNodes.push_back(std::move(n));
    return int(FNodes.size()) - 1;
  }

  // A node combining kids by kind, or the only kid itself.
  int Combine(TNode::TKind kind, std::vector<int> kids) {
    if (kids.size() == 1) return kids[0];
    TNode n;
    n.Kind = kind;
    n.Kids = std::move(kids);
    return Add(std::move(n));
  }

  int ParseOr() {
    std::vector<int> kids{ParseAnd()};
    while (FTok.Kind == TToken::kOr) {
      Next();
      kids.push_back(ParseAnd());
    }
    return Combine(TNode::kOr, std::move(kids));
  }

  static bool StartsFactor(TToken::TKind k) {
    return k == TToken::kTerm || k == TToken::kNot || k == TToken::kLParen;
  }

  int ParseAnd() {
    std::vector<int> kids{ParseNot()};
    for (;;) {
      if (FTok.Kind == TToken::kAnd) {
        Next();
      } else if (!StartsFactor(FTok.Kind)) {
        break;  // terms side by side are joined by AND
      }
      kids.push_back(ParseNot());
    }
    return Combine(TNode::kAnd, std::move(kids));
  }

  int ParseNot() {
    if (FTok.Kind != TToken::kNot) return ParsePrimary();
    Enter(FTok.Pos);
    Next();
    TNode n;
    n.Kind = TNode::kNot;
    n.Kids.push_back(ParseNot());
    --FDepth;
    return Add(std::move(n));
  }

  int ParsePrimary() {
    if (FTok.Kind == TToken::kTerm) {
      TNode n;
      n.Term = int(FTerms.size());
      FTerms.push_back(std::move(FTok.Text));
      Next();
      return Add(std::move(n));
    }
    if (FTok.Kind != TToken::kLParen) Fail(FTok.Pos, "expected a term, found " + Describe(FTok));
    Enter(FTok.Pos);
    Next();
    const int inner = ParseOr();
    if (FTok.Kind != TToken::kRParen) Fail(FTok.Pos, "expected \")\", found " + Describe(FTok));
    Next();
    --FDepth;
    return inner;
  }
};

// A listed data column with what Elem would strip from its cells.
struct TCellSource {
  int Col;
  bool Flagged;
};

std::vector<TCellSource> ResolveColumns(const TRLData& Data, const std::vector<int>& Columns) {
  std::vector<TCellSource> out;
  const auto add = [&](int c) { out.push_back({c, Data.ColumnCheckMode(c) != cmNone}); };
  if (Columns.empty()) {
    for (int c = 1; c <= Data.NrOfColumns(); ++c) add(c);
  } else {
    for (const int c : Columns)
      if (c >= 1 && c <= Data.NrOfColumns()) add(c);
  }
  return out;
}

// The visible texts of one row's listed cells, as views into the store.
void GatherCells(const TRLData& Data, int Row, const std::vector<TCellSource>& cols,
                 std::vector<std::string_view>& cells) {
  cells.clear();
  const TStringArray& store = *Data.Strings();
  for (const TCellSource& c : cols) {
    std::string_view text = store.GetString(c.Col, Row);
    if (c.Flagged && !text.empty()) text.remove_prefix(CharLen(text, 0));
    cells.push_back(text);
  }
}

}  // namespace

// --- TRowFilter -------------------------------------------------------------------

class TRowFilter::TImpl {
 public:
  TImpl(const std::string& exp, TFilterMode mode, bool ignoreCase)
      : FMode(mode), FIgnoreCase(ignoreCase) {
    switch (mode) {
      case fmBoolean:
        CompileBoolean(exp);
        break;
      case fmGrep:
        CompileGrep(exp);
        break;
      default:
        FMode = fmSimple;
        FAll = exp.empty();
        FPatterns.emplace_back(Fold(exp));
        break;
    }
  }

  TFilterMode Mode() const { return FMode; }
  bool IgnoreCase() const { return FIgnoreCase; }
  bool All() const { return FAll; }

  // Whether the texts of one row's cells match.
  bool Matches(const std::vector<std::string_view>& cells) const {
    if (FAll) return true;
    // No column to look at: nothing matches, not even "NOT x".
    if (cells.empty()) return false;
    if (FMode == fmGrep) {
      for (const std::string_view c : cells)
        if (RE2::PartialMatch(re2::StringPiece(c.data(), c.size()), *FRegex)) return true;
      return false;
    }
    const std::vector<std::string_view>& texts = FIgnoreCase ? FoldCells(cells) : cells;
    return FMode == fmBoolean ? Eval(FRoot, texts) : AnyFound(FPatterns[0], texts);
  }

 private:
  TFilterMode FMode;
  bool FIgnoreCase;
  bool FAll = false;
  std::vector<TPattern> FPatterns;  // fmSimple: one; fmBoolean: one per term
  std::vector<TNode> FNodes;
  int FRoot = -1;
  std::unique_ptr<RE2> FRegex;
  // Folded texts of the row under test, reused from row to row so the
  // filter's hot loop does not allocate. The filter is for one thread.
  mutable std::string FFoldBuf;
  mutable std::vector<size_t> FFoldEnds;
  mutable std::vector<std::string_view> FFolded;

  std::string Fold(const std::string& s) const { return FIgnoreCase ? FoldCase(s) : s; }

  void CompileBoolean(const std::string& exp) {
    std::vector<std::string> terms;
    FRoot = TBooleanParser(exp, FNodes, terms).Parse();
    FAll = FRoot < 0;
    for (const std::string& t : terms) FPatterns.emplace_back(Fold(t));
  }

  void CompileGrep(const std::string& exp) {
    FAll = exp.empty();
    RE2::Options opt;
    opt.set_encoding(RE2::Options::EncodingUTF8);
    opt.set_case_sensitive(!FIgnoreCase);
    opt.set_max_mem(kMaxGrepMemory);
    opt.set_log_errors(false);
    FRegex = std::make_unique<RE2>(exp, opt);
    if (!FRegex->ok()) throw EZELRepListError("Invalid regular expression: " + FRegex->error());
  }

  const std::vector<std::string_view>& FoldCells(const std::vector<std::string_view>& cells) const {
    FFoldBuf.clear();
    FFoldEnds.clear();
    for (const std::string_view c : cells) {
      FoldCaseInto(c, FFoldBuf);
      FFoldEnds.push_back(FFoldBuf.size());
    }
    // Views are taken only now: appending may have moved the buffer.
    FFolded.clear();
    size_t start = 0;
    for (const size_t end : FFoldEnds) {
      FFolded.emplace_back(FFoldBuf.data() + start, end - start);
      start = end;
    }
    return FFolded;
  }

  static bool AnyFound(const TPattern& p, const std::vector<std::string_view>& texts) {
    for (const std::string_view t : texts)
      if (p.FoundIn(t)) return true;
    return false;
  }

  bool Eval(int node, const std::vector<std::string_view>& texts) const {
    const TNode& n = FNodes[size_t(node)];
    switch (n.Kind) {
      case TNode::kTerm:
        return AnyFound(FPatterns[size_t(n.Term)], texts);
      case TNode::kNot:
        return !Eval(n.Kids[0], texts);
      case TNode::kAnd:
        for (const int k : n.Kids)
          if (!Eval(k, texts)) return false;
        return true;
      default:
        for (const int k : n.Kids)
          if (Eval(k, texts)) return true;
        return false;
    }
  }
};

TRowFilter::TRowFilter(const std::string& FilterExp, TFilterMode Mode, bool IgnoreCase)
    : FImpl(std::make_unique<TImpl>(FilterExp, Mode, IgnoreCase)) {}
TRowFilter::~TRowFilter() = default;
TRowFilter::TRowFilter(TRowFilter&&) noexcept = default;
TRowFilter& TRowFilter::operator=(TRowFilter&&) noexcept = default;

bool TRowFilter::MatchesAll() const { return FImpl->All(); }
TFilterMode TRowFilter::Mode() const { return FImpl->Mode(); }
bool TRowFilter::IgnoreCase() const { return FImpl->IgnoreCase(); }

bool TRowFilter::MatchesText(std::string_view Text) const {
  return FImpl->Matches(std::vector<std::string_view>{Text});
}

bool TRowFilter::MatchesCells(const std::vector<std::string_view>& Cells) const {
  return FImpl->Matches(Cells);
}

bool TRowFilter::MatchesRow(const TRLData& Data, int Row, const std::vector<int>& Columns) const {
  if (Row < 1 || Row > Data.NrOfRows()) return false;
  if (FImpl->All()) return true;
  std::vector<std::string_view> cells;
  GatherCells(Data, Row, ResolveColumns(Data, Columns), cells);
  return FImpl->Matches(cells);
}

// --- FilterRows ---------------------------------------------------------------------

std::vector<uint8_t> FilterRows(const TRLData& Data, const TRowFilter& Filter,
                                const std::vector<int>& Columns, const TBeforeFilterEvent& Hook,
                                host::TObject* Sender) {
  const int rows = Data.NrOfRows();
  std::vector<uint8_t> keep(size_t(rows) + 1, 0);
  const std::vector<TCellSource> cols = ResolveColumns(Data, Columns);
  std::vector<std::string_view> cells;
  cells.reserve(cols.size());
  const auto internal = [&](int r) {
    if (Filter.MatchesAll()) return true;
    GatherCells(Data, r, cols, cells);
    return Filter.MatchesCells(cells);
  };
  for (int r = 1; r <= rows; ++r) {
    bool found = true;
    TLogicOp op = loAnd;
    if (Hook) Hook(Sender, r, found, op);
    // The internal test runs only when it can change the outcome.
    const bool decided = op == loNone || (op == loAnd && !found) || (op == loOr && found);
    keep[size_t(r)] = CombineLogic(op, found, !decided && internal(r));
  }
  return keep;
}

}  // namespace zel

/// @file
/// String helpers of the base library. Text is UTF-8; "characters" are code points,
/// and no helper ever splits one. A byte that is not part of a valid UTF-8 sequence
/// counts as one character of its own and is passed through unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/gfx/Utf8.h"

namespace zel {

/// --- UTF-8 building blocks, shared by the helpers below
/// Length in bytes of the character starting at s[i] (1 for an invalid byte, 0 at
/// the end); cp receives its code point, or U+FFFD for an invalid byte.
size_t Utf8CharAt(std::string_view s, size_t i, char32_t& cp);
/// Appends the UTF-8 form of cp (U+FFFD for a surrogate or a value past U+10FFFF).
using host::AppendUtf8;
/// Number of characters of s.
size_t Utf8Length(std::string_view s);

/// X as decimal text with a point (never the locale's separator), like the
/// system's Str(X:A:B): B digits after the point (B is limited to 0..30; a negative
/// B gives the shortest text that reads back as the same double, exponent form for
/// very large or small values), right-aligned with blanks in a field of at least A
/// characters (A up to 255). A value that rounds to zero has no minus sign.
/// Non-finite values give "NaN", "Inf" and "-Inf".
std::string strff(double X, int A, int B);

/// 1-based character position of the N-th occurrence of Sub in S at or after
/// character Start (values below 1 count as 1); 0 when there is none, when N < 1 or
/// when Sub is empty. Occurrences do not overlap: the search for the next one
/// resumes behind the previous match. With IgnoreCase the comparison folds case
/// (ASCII, Latin, Greek and Cyrillic letters).
int NumberedPos(std::string_view Sub, std::string_view S, int Start, int N, bool IgnoreCase);

/// Splits S at every character that occurs in Delimiters; empty pieces (between two
/// delimiters, or at either end) are dropped. Tokens is replaced by the pieces; the
/// result is their count.
int Tokenize(std::string_view S, std::string_view Delimiters, std::vector<std::string>& Tokens);

/// Every Old replaced by New (S unchanged when New is not a valid character).
std::string ReplaceCharInString(std::string_view S, char32_t Old, char32_t New);

/// S with Ch appended unless S already ends with it (S unchanged for an invalid Ch).
std::string EnsureTrailingChar(char32_t Ch, std::string_view S);
/// S with the path separator "/" appended unless it already ends with one.
std::string EnsureTrailingBkSlash(std::string_view S);

/// S without any leading (or trailing) run of Ch.
std::string StripLeadingChars(char32_t Ch, std::string_view S);
std::string StripTrailingChars(char32_t Ch, std::string_view S);

/// S without control characters: U+0000..U+001F (tab and line ends too), U+007F and
/// the C1 controls U+0080..U+009F.
std::string RemoveControlChars(std::string_view S);

/// The first N characters of S (all of S when it is shorter; "" for N < 1).
std::string LeftString(std::string_view S, int N);

}  // namespace zel

/// @file
/// Stream helpers of the base library.
#pragma once

#include <istream>
#include <string>

namespace zel {

/// Line-end conventions ReadLnStream understands.
constexpr int kLnAny = 0;   ///< "\n", "\r\n" or a lone "\r" ends a line
constexpr int kLnLF = 1;    ///< only "\n" ends a line; a "\r" right before it is dropped
constexpr int kLnCRLF = 2;  ///< only "\r\n" ends a line; lone "\r" and "\n" are text

/// The next line of Stream, from the current position, without its line end; Mode
/// is one of the kLn values above (any other value counts as kLnAny). Eof becomes
/// true when nothing follows the line, so "a\n" is one line and "" is one empty
/// line. A stream already at its end, or a failed one, gives "" with Eof true.
std::string ReadLnStream(std::istream& Stream, bool& Eof, int Mode);

}  // namespace zel

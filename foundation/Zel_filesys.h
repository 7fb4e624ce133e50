/// @file
/// File-system helpers of the base library. Paths use the platform separator "/".
#pragma once

#include <string>
#include <string_view>

namespace zel {

/// True when Path names an existing directory (following symbolic links); false
/// for "", for files and for anything that cannot be examined.
bool DirExists(std::string_view Path);

/// The parent folder of Path, with a trailing "/", worked out from the text alone:
/// "/a/b/" and "/a/b" give "/a/", "/a" gives "/", "a/b" gives "a/". A path without a
/// parent ("/", "a", "") gives "", so a loop climbing towards the root ends.
/// Repeated separators count as one.
std::string ParentDir(std::string_view Path);

/// A random text of N characters (N is limited to 0..255) drawn from the kernel's
/// cryptographic random source (getrandom, else /dev/urandom), from an alphabet of
/// 55 letters and digits without look-alikes (no 0, O, o, 1, I, i, l). Each
/// character is chosen without bias. Raises EZELError when no secure source can be
/// read; it never falls back to a weaker generator.
std::string InventPassword(int N);

/// The alphabet InventPassword draws from.
extern const std::string_view kPasswordAlphabet;

}  // namespace zel

// The folder tree's file-system side: scanning, sorting, path and name rules,
// creating and removing folders. Every call takes an error code, so a folder
// that vanishes or cannot be read mid-way ends a step quietly instead of
// throwing through the tree's event handlers.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/Zel_stringl.h"
#include "selectors/ZEL_FolderTree.h"

namespace zel {

namespace fs = std::filesystem;

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// A listed folder entry: a directory (through links) with a shown name.
bool IsListedFolder(const fs::directory_entry& e) {
  std::error_code ec;
  return IsListedFolderName(e.path().filename().string()) && e.is_directory(ec);
}

// Calls f for each listed folder of dir until f returns false. False when dir
// cannot be opened; an entry that fails to read ends the walk early.
template <class F>
bool ForEachListedFolder(const fs::path& dir, F&& f) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return false;
  while (it != fs::directory_iterator()) {
    if (IsListedFolder(*it) && !f(*it)) break;
    if (it.increment(ec); ec) break;
  }
  return true;
}

// The probe stops at the first listed sub-folder.
bool HasListedSubFolder(const fs::path& dir) {
  bool found = false;
  ForEachListedFolder(dir, [&](const fs::directory_entry&) { return !(found = true); });
  return found;
}

std::string WithoutTrailingSeparators(const std::string& Path) {
  std::string p = StripTrailingChars(U'/', Path);
  return p.empty() && !Path.empty() ? "/" : p;
}

bool IsForbiddenNameChar(char c) {
  return static_cast<unsigned char>(c) < 32 || c == '"' || c == '<' || c == '>' || c == '|';
}

}  // namespace

int CompareFolded(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(FoldAscii(a[i]));
    const auto cb = static_cast<unsigned char>(FoldAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsListedFolderName(const std::string& Name) { return !Name.empty() && Name[0] != '.'; }

void SortFolderNames(TFolderList& List) {
  std::stable_sort(List.begin(), List.end(), [](const TFolderEntry& a, const TFolderEntry& b) {
    const int c = CompareFolded(a.Name, b.Name);
    return c != 0 ? c < 0 : a.Name < b.Name;
  });
}

bool ScanFolder(const std::string& Path, TFolderList& List) {
  const fs::path dir(Path);
  TFolderList found;
  const bool readable = ForEachListedFolder(dir, [&](const fs::directory_entry& e) {
    found.push_back({e.path().filename().string(), false});
    return true;
  });
  if (!readable) return false;
  for (TFolderEntry& entry : found) entry.HasSubFolders = HasListedSubFolder(dir / entry.Name);
  SortFolderNames(found);
  List = std::move(found);
  return true;
}

std::string NormalizeFolderPath(const std::string& Path) {
  if (Path.empty()) return "";
  fs::path p(Path);
  if (p.is_relative()) {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec) return "";
    p = cwd / p;
  }
  // "/.." is "/" as the system has it; lexically_normal keeps a leading "..".
  std::string s = p.lexically_normal().string();
  while (s.rfind("/..", 0) == 0 && (s.size() == 3 || s[3] == '/')) s.erase(0, 3);
  return EnsureTrailingBkSlash(s.empty() ? "/" : s);
}

bool SplitSubFolderName(const std::string& FolderName, std::vector<std::string>& Parts) {
  if (std::any_of(FolderName.begin(), FolderName.end(), IsForbiddenNameChar)) return false;
  std::vector<std::string> parts;
  if (Tokenize(FolderName, "/\\", parts) == 0) return false;
  if (!std::all_of(parts.begin(), parts.end(), IsListedFolderName)) return false;
  Parts = std::move(parts);
  return true;
}

bool CreateFolderPath(const std::string& Path) {
  std::error_code ec;
  fs::create_directories(fs::path(WithoutTrailingSeparators(Path)), ec);
  // create_directories reports an existing folder as "nothing created"; what
  // counts is whether the folder is there now.
  return fs::is_directory(fs::path(Path), ec);
}

bool RemoveEmptyFolder(const std::string& Path) {
  // Without the trailing separator the status is that of a link itself, not
  // of the folder it points to: the tree removes folders, never links.
  const fs::path p(WithoutTrailingSeparators(Path));
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(p, ec))) return false;
  return fs::remove(p, ec) && !ec;
}

}  // namespace zel

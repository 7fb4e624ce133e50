// A scratch folder for the folder-tree tests, created under the system's temp
// folder and removed with everything in it when the test ends.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ScratchDir.h"

namespace zeltest {

class TFolderSandbox {
 public:
  bool Ok() const { return !FRoot.empty(); }
  // The sandbox path with a trailing "/", or that of a path inside it.
  std::string Path(const std::string& rel = "") const { return FRoot + "/" + rel; }
  void Dir(const std::string& rel) const { std::filesystem::create_directories(Path(rel)); }
  void File(const std::string& rel) const { std::ofstream(Path(rel)) << "x"; }
  bool Exists(const std::string& rel) const { return std::filesystem::exists(Path(rel)); }
  // Every path below the sandbox, relative and sorted: a picture of the disk
  // to compare before and after an operation.
  std::vector<std::string> Listing() const {
    std::vector<std::string> all;
    for (const auto& e : std::filesystem::recursive_directory_iterator(FRoot))
      all.push_back(std::filesystem::relative(e.path(), FRoot).string());
    std::sort(all.begin(), all.end());
    return all;
  }

 private:
  TScratchDir FDir{"zel-foldertree"};
  std::string FRoot = FDir.Path().string();
};

}  // namespace zeltest

// A folder of its own for one test: made fresh under the system's temporary
// folder with a unique name (so tests running in parallel processes never
// share one), removed with everything in it when the object goes.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace zeltest {

class TScratchDir {
 public:
  explicit TScratchDir(const std::string& stem = "zel-test") {
    std::string templ = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
    if (::mkdtemp(templ.data())) FPath = templ;
  }
  ~TScratchDir() {
    std::error_code ec;
    if (!FPath.empty()) std::filesystem::remove_all(FPath, ec);
  }
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;

  // Empty when the folder could not be made.
  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

 private:
  std::filesystem::path FPath;
};

}  // namespace zeltest

#pragma once
// A temporary folder removed with everything in it when the test ends.

#include <string>

namespace gw::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // Writes bytes to a file inside the folder (creating subfolders) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

std::string readFile(const std::string& path);

}  // namespace gw::test

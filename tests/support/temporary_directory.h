// A directory of its own for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace chatsieve::testing {

class TemporaryDirectory {
 public:
  // A new directory, never one that exists: a name taken by another test is tried again.
  TemporaryDirectory() {
    std::random_device seed;
    std::mt19937 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = base / ("chatsieve-test-" + std::to_string(random() % 1000000));
      if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("cannot make a directory in " + base.string());
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  ~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }

  // Writes `bytes` as the file `name` in the directory and returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string file = (path_ / name).string();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file);
    return file;
  }

  static std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace chatsieve::testing

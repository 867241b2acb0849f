#pragma once
// Scratch files for tests: a fresh folder per test, removed afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace ormind::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // Unique per run, so that tests running at the same time never share or remove a folder.
    std::random_device entropy;
    do {
      fPath = std::filesystem::temp_directory_path() /
              (std::string("ormind-report-") + info->test_suite_name() + "-" + info->name() +
               "-" + std::to_string(entropy()));
    } while (!std::filesystem::create_directory(fPath));
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
  }
  std::string File(const std::string& name) const { return (fPath / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(fPath))
      names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path fPath;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace ormind::testing

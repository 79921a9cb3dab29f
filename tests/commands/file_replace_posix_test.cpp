// A full disk, as a file-size limit makes it: the write fails part-way and the file
// that was to be replaced keeps every byte.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FileWriteReplacing, AWriteCutShortByAFullDiskLeavesTheOldFileWhole) {
  fs::path dir = fs::temp_directory_path() / "subvane-full-disk";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path target = dir / "out.srt";
  const std::string old(3000, 'o');
  std::ofstream(target, std::ios::binary) << old;

  // Past 8192 bytes every write fails, as on a disk with no room left.
  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  struct rlimit limit = {}, saved = {};
  getrlimit(RLIMIT_FSIZE, &saved);
  limit.rlim_cur = 8192;
  limit.rlim_max = saved.rlim_max;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const std::string text(20000, 'n');
  bool written = platform::FileWriteReplacing(target.string().c_str(), text.data(), text.size());
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_FALSE(written);
  EXPECT_EQ(Read(target), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

}  // namespace

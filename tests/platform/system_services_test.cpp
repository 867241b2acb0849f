// The platform's own file system and environment, on real files in a temporary folder.
#include "platform/system_services.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace ormind {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const auto text = path.u8string();
  return std::string(text.begin(), text.end());
}

class SystemFileSystemTest : public ::testing::Test {
 protected:
  // A folder of this test's own: tests run in parallel processes (and other checkouts may
  // run them at the same time), so a name is taken only once create_directory has made it.
  void SetUp() override {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::random_device entropy;
    do {
      const std::string name = test + "_" + std::to_string(entropy());
      folder = fs::temp_directory_path() /
               fs::path(u8"ormind_тест_" + std::u8string(name.begin(), name.end()));
    } while (!fs::create_directory(folder));
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
      fs::permissions(entry.path(), fs::perms::owner_all, ignored);
    fs::remove_all(folder, ignored);
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(Utf8(entry.path().filename()));
    return names;
  }

  fs::path folder;
  SystemFileSystem files;
};

TEST_F(SystemFileSystemTest, ReplacesFilesInOneStep) {
  const std::string path = Utf8(folder / u8"настройки.ini");
  EXPECT_FALSE(files.IsRegularFile(path));
  EXPECT_FALSE(files.ReadAll(path).has_value());
  const std::string bytes("[s]\r\nk=v\0tail", 12);
  files.ReplaceAll(path, bytes);
  EXPECT_TRUE(files.IsRegularFile(path));
  EXPECT_EQ(files.ReadAll(path), bytes);
  std::string big;
  for (int i = 0; i < 100000; ++i) big += "Line " + std::to_string(i) + "\r\n";
  files.ReplaceAll(path, big);
  std::string pieces;
  size_t count = 0;
  EXPECT_TRUE(files.ReadPieces(path, [&](std::string_view piece) {
    pieces.append(piece);
    ++count;
  }));
  EXPECT_EQ(pieces, big);
  EXPECT_GT(count, 1u);
  EXPECT_FALSE(files.ReadPieces(Utf8(folder / "none.txt"), [](std::string_view) {}));
  files.ReplaceAll(path, "short");
  EXPECT_EQ(files.ReadAll(path), "short");
  files.ReplaceAll(path, "");
  EXPECT_EQ(files.ReadAll(path), "");
  // no temporary file is left behind
  EXPECT_EQ(Listing(), std::vector<std::string>{"настройки.ini"});
  EXPECT_FALSE(files.IsRegularFile(Utf8(folder)));
  EXPECT_FALSE(files.ReadAll(Utf8(folder)).has_value());
}

TEST_F(SystemFileSystemTest, RefusesReadOnlyFilesAndMissingFolders) {
  const fs::path file = folder / "settings.ini";
  const std::string path = Utf8(file);
  files.ReplaceAll(path, "before");
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  try {
    files.ReplaceAll(path, "after");
    FAIL() << "a read-only file was replaced";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(files.ReadAll(path), "before");
  EXPECT_EQ(Listing(), std::vector<std::string>{"settings.ini"});

  const std::string nowhere = Utf8(folder / "missing" / "settings.ini");
  EXPECT_THROW(files.ReplaceAll(nowhere, "x"), IniWriteError);
  EXPECT_FALSE(files.IsRegularFile(nowhere));
}

#ifndef _WIN32
TEST(SystemEnvironment, LocaleFollowsTheFirstLocaleVariableThatIsSet) {
  const struct {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    int32_t locale;
    int codePage;
  } cases[] = {
      {nullptr, nullptr, "ru_RU.UTF-8", 1049, 1251}, {nullptr, nullptr, "en_GB.UTF-8", 1033, 1252},
      {"C", nullptr, "ru_RU.UTF-8", 1033, 1252},     {nullptr, "ru_UA", "en_US", 1049, 1251},
      {"", "", "ru", 1049, 1251},                    {nullptr, nullptr, nullptr, 1033, 1252},
      {"en_US", nullptr, "ru_RU", 1033, 1252},     {"rus", nullptr, nullptr, 1049, 1251},
  };
  const SystemEnvironment env;
  for (const auto& c : cases) {
    const auto set = [](const char* name, const char* value) {
      value ? setenv(name, value, 1) : unsetenv(name);
    };
    set("LC_ALL", c.lcAll);
    set("LC_MESSAGES", c.lcMessages);
    set("LANG", c.lang);
    EXPECT_EQ(env.SystemLocale(), c.locale) << (c.lang ? c.lang : "-");
    EXPECT_EQ(env.AnsiCodePage(), c.codePage);
  }
  setenv("APPDATA", "/x/y", 1);
  EXPECT_EQ(env.AppData(), "/x/y");
  unsetenv("APPDATA");
  EXPECT_EQ(env.AppData(), std::nullopt);
}
#endif

}  // namespace
}  // namespace ormind

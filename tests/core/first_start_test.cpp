#include "core/first_start.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace ormind {
namespace {

#ifdef _WIN32
constexpr const char* kSep = "\\";
#else
constexpr const char* kSep = "/";
#endif

const std::string kAppData = "/home/u/AppData";
const std::string kFolder = kAppData + kSep + "Ormind";
const std::string kEvents = kFolder + kSep + "events.txt";
const std::string kSettings = kFolder + kSep + "settings.ini";
const std::string kSample = "/opt/Ormind/events.sample.txt";

TEST(CopySampleAtFirstStart, CopiesOnlyIntoAnEmptyPlaceAndNeverOverwrites) {
  enum Has { kNothing = 0, kDataFolder = 1, kList = 2, kSettingsFile = 4, kSampleFile = 8 };
  const struct {
    const char* what;
    int has;
    bool appDataSet;
    SampleCopy result;
    const char* listAfter;  // nullptr: no list
  } cases[] = {
      {"first start, no data folder: folder and list made", kSampleFile, true,
       SampleCopy::Copied, "sample"},
      {"first start, empty data folder", kDataFolder | kSampleFile, true, SampleCopy::Copied,
       "sample"},
      {"the user's own list stays", kDataFolder | kList | kSampleFile, true,
       SampleCopy::ListAlreadyThere, "mine"},
      {"started before (settings exist, list moved away): nothing copied",
       kDataFolder | kSettingsFile | kSampleFile, true, SampleCopy::NotFirstStart, nullptr},
      {"no sample beside the program", kDataFolder, true, SampleCopy::NoSample, nullptr},
      {"no APPDATA", kSampleFile, false, SampleCopy::NoDataFolder, nullptr},
  };
  for (const auto& c : cases) {
    testing::FakeEnvironment env;
    if (!c.appDataSet) env.appData.reset();
    testing::FakeFileSystem fs;
    fs.folders.insert(kAppData);
    if (c.has & kDataFolder) fs.folders.insert(kFolder);
    if (c.has & kList) fs.files[kEvents] = "mine";
    if (c.has & kSettingsFile) fs.files[kSettings] = "[settings]\n";
    if (c.has & kSampleFile) fs.files[kSample] = "sample";
    EXPECT_EQ(CopySampleAtFirstStart(env, fs), c.result) << c.what;
    if (c.listAfter)
      EXPECT_EQ(fs.files[kEvents], c.listAfter) << c.what;
    else
      EXPECT_FALSE(fs.files.count(kEvents)) << c.what;
  }
}

TEST(CopySampleAtFirstStart, AFolderThatCannotBeMadeIsAFailureThatChangesNothing) {
  testing::FakeEnvironment env;
  testing::FakeFileSystem fs;  // not even APPDATA exists
  fs.files[kSample] = "sample";
  EXPECT_EQ(CopySampleAtFirstStart(env, fs), SampleCopy::Failed);
  EXPECT_EQ(fs.writes, 0);
}

}  // namespace
}  // namespace ormind

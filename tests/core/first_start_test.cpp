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
  enum Has {
    kAppDataFolder = 1, kDataFolder = 2, kList = 4, kSettingsFile = 8, kSampleFile = 16,
    kFirstStart = kAppDataFolder | kSampleFile,
  };
  const struct {
    const char* what;
    int has;
    bool appDataSet;
    SampleCopy result;
    const char* listAfter;  // nullptr: no list
  } cases[] = {
      {"first start, no data folder: folder and list made", kFirstStart, true,
       SampleCopy::Copied, "sample"},
      {"first start, empty data folder", kFirstStart | kDataFolder, true, SampleCopy::Copied,
       "sample"},
      {"the user's own list stays", kFirstStart | kDataFolder | kList, true,
       SampleCopy::ListAlreadyThere, "mine"},
      {"started before (settings exist, list moved away): nothing copied",
       kFirstStart | kDataFolder | kSettingsFile, true, SampleCopy::NotFirstStart, nullptr},
      {"no sample beside the program", kAppDataFolder | kDataFolder, true, SampleCopy::NoSample,
       nullptr},
      {"no APPDATA", kFirstStart, false, SampleCopy::NoDataFolder, nullptr},
      {"APPDATA names no folder: the data folder cannot be made", kSampleFile, true,
       SampleCopy::Failed, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::FakeEnvironment env;
    if (!c.appDataSet) env.appData.reset();
    testing::FakeFileSystem fs;
    if (c.has & kAppDataFolder) fs.folders.insert(kAppData);
    if (c.has & kDataFolder) fs.folders.insert(kFolder);
    if (c.has & kList) fs.files[kEvents] = "mine";
    if (c.has & kSettingsFile) fs.files[kSettings] = "[settings]\n";
    if (c.has & kSampleFile) fs.files[kSample] = "sample";
    EXPECT_EQ(CopySampleAtFirstStart(env, fs), c.result);
    EXPECT_EQ(fs.writes, c.result == SampleCopy::Copied ? 1 : 0) << "only a copy writes";
    if (c.listAfter)
      EXPECT_EQ(fs.files[kEvents], c.listAfter);
    else
      EXPECT_FALSE(fs.files.count(kEvents));
  }
}

}  // namespace
}  // namespace ormind

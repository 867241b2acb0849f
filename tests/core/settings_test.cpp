#include "core/settings.h"

#include <gtest/gtest.h>

#include "core/ini_document.h"
#include "base/text_codec.h"
#include "fakes.h"

namespace ormind {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::RecordingMessages;

#ifdef _WIN32
constexpr const char* kFolder = "/home/u/AppData\\Ormind";
constexpr const char* kSep = "\\";
#else
constexpr const char* kFolder = "/home/u/AppData/Ormind";
constexpr const char* kSep = "/";
#endif

class LoadSettingsTest : public ::testing::Test {
 protected:
  LoadSettingsTest() { fs.folders.insert(kFolder); }
  std::string Path(const char* name) const { return std::string(kFolder) + kSep + name; }
  Settings Load() { return LoadSettings(env, fs, messages); }
  IniDocument SettingsFile() const { return IniDocument(fs.files.at(Path("settings.ini"))); }

  FakeEnvironment env;
  FakeFileSystem fs;
  RecordingMessages messages;
};

TEST_F(LoadSettingsTest, FirstStartCreatesAllFourKeys) {
  env.locale = 1049;
  const Settings s = Load();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(s.SettingsPath, Path("settings.ini"));
  EXPECT_EQ(s.EventsPath, Path("events.txt"));
  EXPECT_EQ(s.DaysBefore, 3);
  EXPECT_EQ(s.Lang, 1049);
  EXPECT_EQ(s.PrintPicture, "");
  EXPECT_EQ(fs.files.at(Path("settings.ini")),
            "[settings]\r\nEventsFile=" + Path("events.txt") +
                "\r\nDaysBefore=3\r\nLang=1049\r\nPrintPicture=\r\n");
}

TEST_F(LoadSettingsTest, PathsAreConcatenatedEvenWithoutAppData) {
  env.appData.reset();
  const Settings s = DefaultSettings(env);
  EXPECT_EQ(s.SettingsPath, std::string(kSep) + "Ormind" + kSep + "settings.ini");
  env.appData = "C:/x/";  // nothing trimmed, nothing inserted
  EXPECT_EQ(DefaultSettings(env).EventsPath, std::string("C:/x/") + kSep + "Ormind" + kSep + "events.txt");
}

TEST_F(LoadSettingsTest, ReadsAndRepairsAnExistingFile) {
  const std::string mine = Path("mine.txt"), card = Path("card.jpg");
  const struct {
    std::string body;
    int32_t daysBefore, lang;
    std::string eventsPath, picture;  // in force; "" picture: the built-in one
    Feb29Rule feb29;
    int32_t systemLocale = 1033;
    bool notify = true;
  } cases[] = {
      {"DaysBefore=0x0A\nLang=1049\n", 10, 1049, Path("events.txt"), "", Feb29Rule::Feb28},
      {"DaysBefore=ten\nLang=ten\nFeb29=29.02\n", 3, 1033, Path("events.txt"), "",
       Feb29Rule::LeapYearsOnly},
      {"Lang=ten\n", 3, 1049, Path("events.txt"), "", Feb29Rule::Feb28, 1049},  // the system's locale, not English
      {"daysbefore = -2\nLANG=2072\nEventsFile=" + mine + "\nPrintPicture=" + card +
           "\nfeb29=01.03\n",
       -2, 2072, mine, card, Feb29Rule::Mar1},
      {"EventsFile=\nPrintPicture=\nDaysBefore=1\nLang=1033\nFeb29=1.3\n", 1, 1033,
       Path("events.txt"), "", Feb29Rule::Feb28},
      {"Notify=0\n", 3, 1033, Path("events.txt"), "", Feb29Rule::Feb28, 1033, false},
      {"notify = 1\nFeb29=01.03\n", 3, 1033, Path("events.txt"), "", Feb29Rule::Mar1},
      {"Notify=off\n", 3, 1033, Path("events.txt"), "", Feb29Rule::Feb28},  // not a number: on
      {"NOTIFY=\n", 3, 1033, Path("events.txt"), "", Feb29Rule::Feb28},
  };
  for (const auto& c : cases) {
    fs.files = {{Path("settings.ini"), "[settings]\n" + c.body}, {mine, ""}, {card, ""}};
    messages.shown.clear();
    env.locale = c.systemLocale;
    const Settings s = Load();
    EXPECT_TRUE(messages.shown.empty()) << c.body;
    EXPECT_EQ(s.DaysBefore, c.daysBefore) << c.body;
    EXPECT_EQ(s.Lang, c.lang) << c.body;
    EXPECT_EQ(s.EventsPath, c.eventsPath) << c.body;
    EXPECT_EQ(s.PrintPicture, c.picture) << c.body;
    EXPECT_EQ(s.Feb29, c.feb29) << c.body;
    EXPECT_EQ(s.Notify, c.notify) << c.body;
    const IniDocument file = SettingsFile();
    EXPECT_EQ(file.ReadString("settings", "EventsFile"), s.EventsPath) << c.body;
    // The four keys are always there; Feb29 and Notify only when the user wrote them.
    const size_t optional = (c.body.find("eb29") != std::string::npos ? 1 : 0) +
                            (c.body.find("OTIFY") != std::string::npos ||
                                     c.body.find("otify") != std::string::npos ? 1 : 0);
    EXPECT_EQ(file.KeyNames("settings").size(), 4u + optional) << file.Text();
  }
}

TEST_F(LoadSettingsTest, FilesThatAreAbsentTodayLeaveTheFileAsTheUserWroteIt) {
  const std::string absent[] = {"/media/stick/birthdays.txt", "/nowhere/p.jpg", kFolder};
  const std::string body = "[settings]\r\nEventsFile=" + absent[0] + "\r\nPrintPicture=" +
                           absent[1] + "\r\nDaysBefore=3\r\nLang=1033\r\n";
  const struct {
    std::string eventsFile, picture;
  } cases[] = {{absent[0], absent[1]}, {absent[2], absent[2]}, {"evnts.txt", "card.jpgg"}};
  for (const auto& c : cases) {
    std::string text = body;
    text.replace(text.find(absent[0]), absent[0].size(), c.eventsFile);
    text.replace(text.find(absent[1]), absent[1].size(), c.picture);
    fs.files = {{Path("settings.ini"), text}, {Path("events.txt"), ""}};
    const Settings s = Load();
    EXPECT_EQ(fs.files.at(Path("settings.ini")), text);
    EXPECT_EQ(s.EventsPath, c.eventsFile);
    EXPECT_EQ(s.PrintPicture, "");
  }
  EXPECT_EQ(fs.writes, 0);
}

TEST_F(LoadSettingsTest, AFileInGoodOrderIsNotRewritten) {
  fs.files[Path("settings.ini")] =
      "; mine\n[settings]\nEventsFile=\nDaysBefore=3\nLang=1033\nPrintPicture=\n";
  fs.files[Path("events.txt")] = "";
  Load();  // the default events path is written once
  EXPECT_EQ(fs.writes, 1);
  fs.readOnly.insert(Path("settings.ini"));
  Load();
  EXPECT_EQ(fs.writes, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(SettingsFile().Text().substr(0, 7), "; mine\n");
}

TEST_F(LoadSettingsTest, FailuresShowTheConfigurationErrorOnceAndKeepWhatWasRead) {
  // Missing folder: the first write fails, everything stays default.
  fs.folders.clear();
  env.locale = 1049;
  Settings s = Load();
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Ошибка загрузки файла конфигурации"});
  EXPECT_EQ(s.Lang, 1049);
  EXPECT_EQ(s.DaysBefore, 3);

  // Read-only file that needs a repair: keys before the failed write are read, later ones
  // keep their defaults.
  fs.folders.insert(kFolder);
  env.locale = 1033;
  messages.shown.clear();
  fs.files[Path("settings.ini")] =
      "[settings]\nEventsFile=" + Path("events.txt") + "\nDaysBefore=7\nLang=1049\n";
  fs.files[Path("events.txt")] = "";
  fs.readOnly.insert(Path("settings.ini"));
  s = Load();
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Error loading configuration data"});
  EXPECT_EQ(s.DaysBefore, 7);
  EXPECT_EQ(s.Lang, 1049);  // read, though PrintPicture could not be written
  EXPECT_EQ(fs.writes, 0);

  // Unreadable file.
  messages.shown.clear();
  fs.unreadable.insert(Path("settings.ini"));
  s = Load();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(s.DaysBefore, 3);
}

TEST_F(LoadSettingsTest, ARewrittenFileKeepsItsEncoding) {
  fs.files[Path("events.txt")] = "";
  const std::string body = "; комментарий\r\n[settings]\r\nDaysBefore=5\r\n";
  const struct {
    TextEncoding encoding;
    int codePage;
  } cases[] = {{TextEncoding::Ansi, 1251}, {TextEncoding::Utf8, 1251},
               {TextEncoding::Utf8Bom, 1252}, {TextEncoding::Utf16Le, 1252}};
  for (const auto& c : cases) {
    env.codePage = c.codePage;
    fs.files[Path("settings.ini")] = EncodeText(body, c.encoding, c.codePage);
    const Settings s = Load();
    EXPECT_EQ(s.DaysBefore, 5);
    const std::string& bytes = fs.files.at(Path("settings.ini"));
    EXPECT_EQ(DetectEncoding(bytes), c.encoding);
    const std::string text = DecodeText(bytes, c.codePage).utf8;
    EXPECT_EQ(text.substr(0, body.size()), body);
    EXPECT_TRUE(IniDocument(text).HasKey("settings", "PrintPicture"));
  }
}

}  // namespace
}  // namespace ormind

#include "report/rpt_printer_settings.h"

#include <gtest/gtest.h>

#include "printer_fakes.h"

namespace ormind {
namespace {

using testing::FakeDevice;
using testing::FakeMessages;
using testing::Log;

constexpr uint32_t kAll = dmOrientation | dmPaperSize | dmPaperLength | dmPaperWidth | dmCopies |
                          dmDefaultSource | dmDuplex;

struct Wish {
  TRptPaperSize paper = TRptPaperSize::A4;
  TRptOrientation orientation = TRptOrientation::Portrait;
  int32_t copies = 1;
  TRptBin bin = TRptBin::Auto;
  bool duplex = false;
};

TEST(TPrinterSettings, WritesWhatTheDeviceTakesAndKeepsItsOwnOtherwise) {
  const uint32_t always = dmCopies | dmDefaultSource | dmOrientation;
  const struct {
    const char* name;
    uint32_t fields;
    int32_t source;  // the device's default source before
    Wish wish;
    TRptDeviceMode written;
  } cases[] = {
      {"everything", kAll, 7, {TRptPaperSize::A3, TRptOrientation::Landscape, 3, TRptBin::Lower},
       {kAll, 2, 8, 0, 0, 3, 2, 1}},
      {"no paper field", kAll & ~dmPaperSize, 7, {TRptPaperSize::A3},
       {(kAll & ~dmPaperSize) | always, 1, 9, 0, 0, 1, 7, 1}},
      {"paper not listed", kAll, 7, {TRptPaperSize::B4}, {kAll, 1, 9, 0, 0, 1, 7, 1}},
      {"no copies or orientation", dmPaperSize | dmDefaultSource, 7,
       {TRptPaperSize::A4, TRptOrientation::Landscape, 4, TRptBin::Manual},
       {dmPaperSize | always, 1, 9, 0, 0, 1, 4, 1}},
      {"no source: bin stays First", dmCopies | dmOrientation, 7, {.bin = TRptBin::Cassette},
       {always, 1, 9, 0, 0, 1, 1, 1}},
      {"duplex wanted", dmCopies, 7, {.duplex = true}, {always | dmDuplex, 1, 9, 0, 0, 1, 1, 3}},
      {"source keeps its 0x100 bit", kAll, 0x107, {.bin = TRptBin::Tractor},
       {kAll, 1, 9, 0, 0, 1, 0x108, 1}},
      {"custom, width refused", kAll & ~dmPaperWidth, 7, {TRptPaperSize::Custom},
       {(kAll & ~dmPaperWidth) | always, 1, 256, 1500, 0, 1, 7, 1}},
  };
  for (const auto& c : cases) {
    Log log;
    FakeMessages messages(log);
    FakeDevice device(log);
    device.mode = {.Fields = c.fields, .Orientation = 1, .PaperSize = 9, .Copies = 1,
                   .DefaultSource = c.source, .Duplex = 1};
    TPrinterSettings settings(messages);
    settings.BindDevice(device);
    settings.SetPaperSize(c.wish.paper);
    settings.SetPaperWidth(1000);
    settings.SetPaperLength(1500);
    settings.SetOrientation(c.wish.orientation);
    settings.SetCopies(c.wish.copies);
    settings.SetBin(c.wish.bin);
    settings.SetDuplex(c.wish.duplex);
    settings.ApplyToDevice();
    EXPECT_EQ(device.mode, c.written) << c.name;
  }
}

TEST(TPrinterSettings, ReadsTheDeviceWithoutLimitsOnNames) {
  const std::string longName(300, 'n');
  const std::string longDriver(100, 'd');
  const struct {
    const char* name;
    std::string driverPath;
    TRptDeviceMode mode;
    bool hasMode;
    std::string driver;
    TRptBin bin;
    bool duplex;
    TRptPaperSize paper;
    int32_t copies;
  } cases[] = {
      {"long names", "C:\\drivers\\" + longDriver, {kAll, 1, 9, 0, 0, 2, 14, 2}, true,
       longDriver.substr(0, 63), TRptBin::Cassette, true, TRptPaperSize::A4, 2},
      {"no driver answer", "", {kAll, 1, 70, 0, 0, 2, 99, 1}, true, "", TRptBin::First, false,
       TRptPaperSize::Default, 2},
      {"nothing supported", "/x/ps.drv", {0, 1, 11, 0, 0, 5, 2, 2}, true, "ps.drv",
       TRptBin::First, false, TRptPaperSize::Default, 1},
      {"no device mode", "ps.drv", {kAll, 1, 11, 0, 0, 5, 2, 2}, false, "ps.drv", TRptBin::First,
       false, TRptPaperSize::Default, 1},
  };
  for (const auto& c : cases) {
    Log log;
    FakeMessages messages(log);
    FakeDevice device(log);
    device.names = {longName, "winspool", longName + ":"};
    device.driverPath = c.driverPath;
    device.mode = c.mode;
    device.hasMode = c.hasMode;
    device.caps = {600, 300, 59, 60, 4960, 3508, 4842, 3388};
    TPrinterSettings settings(messages);
    settings.BindDevice(device);
    EXPECT_EQ(settings.DeviceNames().Device, longName) << c.name;
    EXPECT_EQ(settings.DeviceNames().Port, longName + ":") << c.name;
    EXPECT_EQ(settings.DeviceNames().Driver, c.driver) << c.name;
    EXPECT_EQ(settings.Bin(), c.bin) << c.name;
    EXPECT_EQ(settings.Duplex(), c.duplex) << c.name;
    EXPECT_EQ(settings.PaperSize(), c.paper) << c.name;
    EXPECT_EQ(settings.Copies(), c.copies) << c.name;
    EXPECT_EQ(settings.MarginLeft(), 25) << c.name;  // 59 / 600 * 254 = 24.97
    EXPECT_EQ(settings.MarginTop(), 51) << c.name;   // 60 / 300 * 254 = 50.8
    EXPECT_TRUE(settings.PaperSupported(TRptPaperSize::Custom)) << c.name;
    EXPECT_TRUE(settings.PaperSupported(TRptPaperSize::Env9)) << c.name;
    EXPECT_FALSE(settings.PaperSupported(TRptPaperSize::B4)) << c.name;
  }
}

}  // namespace
}  // namespace ormind

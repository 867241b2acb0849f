#include "report/printer/printer_settings.h"

#include <gtest/gtest.h>

#include "tests/report/printer/printer_fakes.h"

namespace ormind {
namespace {

constexpr uint32_t kAll = 0x130f;  // every field the printer uses
constexpr uint32_t kAlways = dmCopies | dmOrientation;
using P = TRptPaperSize;

struct Bound {
  testing::Log log;
  testing::FakeMessages messages{log};
  testing::FakeDevice device{log};
  TPrinterSettings settings{messages};
};

TEST(TPrinterSettings, WritesWhatTheDeviceTakesAndKeepsItsOwnOtherwise) {
  const struct {
    const char* name;
    uint32_t fields;
    int32_t source;  // the device's default source before
    P paper;
    int32_t copies;
    TRptBin bin;
    bool landscape, duplex;
    TRptDeviceMode written;
  } cases[] = {
      {"everything", kAll, 7, P::A3, 3, TRptBin::Lower, true, false, {kAll, 2, 8, 0, 0, 3, 2, 1}},
      {"no paper field", kAll & ~dmPaperSize, 7, P::A3, 1, TRptBin::Auto, false, false,
       {(kAll & ~dmPaperSize) | kAlways, 1, 9, 0, 0, 1, 7, 1}},
      {"paper not listed", kAll, 7, P::B4, 1, TRptBin::Auto, false, false,
       {kAll, 1, 9, 0, 0, 1, 7, 1}},
      {"no copies or orientation", dmPaperSize | dmDefaultSource, 7, P::A4, 4, TRptBin::Manual,
       true, false, {dmPaperSize | dmDefaultSource | kAlways, 1, 9, 0, 0, 1, 4, 1}},
      {"no source field: the source is left alone", dmCopies | dmOrientation, 7, P::A4, 1,
       TRptBin::Cassette, false, false, {kAlways, 1, 9, 0, 0, 1, 7, 1}},
      {"duplex wanted: long edge", dmCopies, 7, P::A4, 1, TRptBin::Auto, false, true,
       {kAlways | dmDuplex, 1, 9, 0, 0, 1, 7, 2}},
      {"source keeps its 0x100 bit", kAll, 0x107, P::A4, 1, TRptBin::Tractor, false, false,
       {kAll, 1, 9, 0, 0, 1, 0x108, 1}},
      {"custom, width refused", kAll & ~dmPaperWidth, 7, P::Custom, 1, TRptBin::Auto, false,
       false, {(kAll & ~dmPaperWidth) | kAlways, 1, 256, 1500, 0, 1, 7, 1}},
  };
  for (const auto& c : cases) {
    Bound b;
    b.device.mode = {c.fields, 1, 9, 0, 0, 1, c.source, 1};
    b.settings.BindDevice(b.device);
    b.settings.SetPaperSize(c.paper);
    b.settings.SetPaperWidth(1000);
    b.settings.SetPaperLength(1500);
    b.settings.SetOrientation(c.landscape ? TRptOrientation::Landscape
                                          : TRptOrientation::Portrait);
    b.settings.SetCopies(c.copies);
    b.settings.SetBin(c.bin);
    b.settings.SetDuplex(c.duplex);
    b.settings.ApplyToDevice();
    EXPECT_EQ(b.device.mode, c.written) << c.name;
  }
}

// Values the tables do not know are the driver's: they are written back as it gave them, and a
// bin is set only when the printer lists it.
TEST(TPrinterSettings, KeepsTheDriversOwnSourceAndDuplex) {
  const struct {
    const char* name;
    int32_t source, duplex;
    std::vector<int32_t> bins;
    TRptBin bin;
    bool twoSided;
    int32_t writtenSource, writtenDuplex;
  } cases[] = {
      {"automatic source, Auto not listed", 15, 1, {1, 2, 15}, TRptBin::Auto, false, 15, 1},
      {"automatic source, Auto listed", 15, 1, {1, 7, 15}, TRptBin::Auto, false, 7, 1},
      {"driver's own tray, bin not listed", 260, 1, {1, 260}, TRptBin::Cassette, false, 260, 1},
      {"no bins listed", 4, 1, {}, TRptBin::Upper, false, 4, 1},
      {"simplex made two-sided: long edge", 7, 1, {7}, TRptBin::Auto, true, 7, 2},
      {"short edge kept", 7, 3, {7}, TRptBin::Auto, true, 7, 3},
      {"driver's own duplex kept", 7, 9, {7}, TRptBin::Auto, true, 7, 9},
      {"two-sided on the device, not asked for", 7, 2, {7}, TRptBin::Auto, false, 7, 2},
  };
  for (const auto& c : cases) {
    Bound b;
    b.device.mode = {kAll, 1, 9, 0, 0, 1, c.source, c.duplex};
    b.device.bins = c.bins;
    b.settings.BindDevice(b.device);
    b.settings.SetBin(c.bin);
    b.settings.SetDuplex(c.twoSided);
    b.settings.ApplyToDevice();
    EXPECT_EQ(b.device.mode.DefaultSource, c.writtenSource) << c.name;
    EXPECT_EQ(b.device.mode.Duplex, c.writtenDuplex) << c.name;
  }
}

// Names of any length arrive whole; the driver name is the file part of the driver's path,
// cut to its limit, and empty when the spooler does not answer.
TEST(TPrinterSettings, ReadsTheDeviceWithoutLimitsOnNames) {
  const std::string longName(300, 'n'), longDriver(100, 'd');
  const struct {
    std::string driverPath;
    TRptDeviceMode mode;
    bool hasMode;
    std::string driver;
    TRptBin bin;
    bool duplex;
    P paper;
    int32_t copies;
  } cases[] = {
      {"C:\\drivers\\" + longDriver, {kAll, 1, 9, 0, 0, 2, 14, 2}, true, longDriver.substr(0, 63),
       TRptBin::Cassette, true, P::A4, 2},
      {"", {kAll, 1, 70, 0, 0, 2, 99, 1}, true, "", TRptBin::First, false, P::Default, 2},
      {"/x/ps.drv", {0, 1, 11, 0, 0, 5, 2, 2}, true, "ps.drv", TRptBin::First, false,
       P::Default, 1},
      {"ps.drv", {kAll, 1, 11, 0, 0, 5, 2, 2}, false, "ps.drv", TRptBin::First, false,
       P::Default, 1},
  };
  for (const auto& c : cases) {
    Bound b;
    b.device.names = {longName, "winspool", longName + ":"};
    b.device.driverPath = c.driverPath;
    b.device.mode = c.mode;
    b.device.hasMode = c.hasMode;
    b.device.caps = {600, 300, 59, 60, 4960, 3508, 4842, 3388};
    b.settings.BindDevice(b.device);
    const TPrinterSettings& s = b.settings;
    EXPECT_EQ(s.DeviceNames(), (TRptDeviceNames{longName, c.driver, longName + ":"}));
    EXPECT_EQ(std::tuple(s.Bin(), s.Duplex(), s.PaperSize(), s.Copies()),
              std::tuple(c.bin, c.duplex, c.paper, c.copies))
        << c.driverPath;
    // 59 / 600 * 254 = 24.97 and 60 / 300 * 254 = 50.8, in 0.1 mm
    EXPECT_EQ(std::pair(s.MarginLeft(), s.MarginTop()), std::pair(25, 51));
    EXPECT_EQ(std::tuple(s.PaperSupported(P::Custom), s.PaperSupported(P::Env9),
                         s.PaperSupported(P::B4)),
              std::tuple(true, true, false));
  }
}

}  // namespace
}  // namespace ormind

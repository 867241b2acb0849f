// Checking report files before use, and saving and loading through the page printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "report/pages/bytes.h"
#include "report/pages/coder.h"
#include "report/pages/error.h"
#include "report/pages/report_file.h"
#include "tests/report/pages/emf_builder.h"
#include "tests/report/pages/older_layout.h"
#include "tests/report/pages/test_files.h"

namespace ormind {
namespace {

using testing::MakeTestEmf;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::vector<uint8_t> ReportBytes(const std::vector<std::vector<uint8_t>>& pages, bool packed) {
  TRptPageList list;
  list.SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
  list.SetCompressed(packed);
  for (const auto& page : pages) list.AppendPage(TRptEmfImage(page));
  list.Complete();
  TRptStream& s = *list.Stream();
  std::vector<uint8_t> bytes(size_t(s.Size()));
  s.Seek(0);
  s.Read(bytes.data(), bytes.size());
  return bytes;
}

std::vector<uint8_t> ThreePages(bool packed) {
  return ReportBytes({MakeTestEmf(21000, 29700, 100, 1), MakeTestEmf(21000, 29700, 200, 2),
                      MakeTestEmf(21000, 29700, 300, 3)},
                     packed);
}

// One packed page whose record declares `extra` bytes more than its picture holds.
std::vector<uint8_t> PackedWithSurplus(size_t extra) {
  std::vector<uint8_t> picture = MakeTestEmf(21000, 29700, 100, 1);
  picture.resize(picture.size() + extra);
  std::vector<uint8_t> b = ReportBytes({}, true);
  PutI32(&b[8], 1);
  b.resize(128 + 12);
  PutI32(&b[128], 1);
  PutI32(&b[136], int32_t(picture.size()));
  TRptCompress(b).Encode(picture.data(), picture.size());  // the last byte written as it goes
  b.resize(b.size() + 4);
  PutI32(&b[132], int32_t(b.size()));
  PutI32(&b[b.size() - 4], 128);
  return b;
}

// Start of record n in a sound file.
size_t RecordAt(const std::vector<uint8_t>& b, int n) {
  size_t at = 128;
  for (int i = 1; i < n; ++i) at = size_t(GetI32(&b[at + 4]));
  return at;
}

struct Damage {
  const char* name;
  bool packed;
  std::function<void(std::vector<uint8_t>&)> apply;
  int readPage;          // 0: found when the file is opened; else when this page is read
  const char* complaint;
};

const Damage kDamages[] = {
    {"too short", false, [](auto& b) { b.resize(50); }, 0, "shorter than a report header"},
    {"negative count", false, [](auto& b) { PutI32(&b[8], -1); }, 0,
     "the page count -1 does not fit a file of"},
    {"hostile count", false, [](auto& b) { PutI32(&b[8], 0x7FFFFFFF); }, 0,
     "the page count 2147483647 does not fit"},
    {"one page too many", false, [](auto& b) { PutI32(&b[8], 4); }, 0,
     "the record of page 4 lies past the end of the file"},
    {"next offset past the end", false,
     [](auto& b) { PutI32(&b[132], int32_t(b.size() + 100)); }, 0,
     "the next-record offset"},
    {"next offset backwards", false, [](auto& b) { PutI32(&b[132], 130); }, 0,
     "is outside the file or out of order"},
    {"wrong back pointer", false,
     [](auto& b) { PutI32(&b[RecordAt(b, 3) - 4], 128); }, 0,
     "the back pointer 128 of page 2 does not point to its record"},
    {"page number out of order", false, [](auto& b) { PutI32(&b[RecordAt(b, 2)], 7); }, 0,
     "holds page 7 where page 2 belongs"},
    {"bytes after the last page", false, [](auto& b) { b.resize(b.size() + 9); }, 0,
     "9 bytes follow the last page"},
    {"bytes after an empty report", false, [](auto& b) { PutI32(&b[8], 0); }, 0,
     "bytes follow the header of a report without pages"},
    {"unknown packing", false, [](auto& b) { b[25] = 9; }, 0, "unknown page packing 9"},
    {"picture runs past its record", false,
     [](auto& b) { PutI32(&b[RecordAt(b, 2) + 8 + 48], 100000); }, 2,
     "the picture of page 2 runs past its record"},
    {"not a metafile", false, [](auto& b) { b[136 + 40] = 'X'; }, 1,
     "a page is not an enhanced metafile"},
    {"negative packed length", true, [](auto& b) { PutI32(&b[136], -5); }, 1,
     "the compressed length -5 of page 1 is impossible"},
    {"absurd packed length", true, [](auto& b) { PutI32(&b[136], 0x7FFFFFF0); }, 1,
     "the compressed length 2147483632 of page 1 is impossible"},
    {"packed length beyond the code", true,
     [](auto& b) { PutI32(&b[136], (GetI32(&b[132]) - 136 - 8) * 8); }, 1,
     "the compressed page data runs past its record"},
    {"plain file marked packed", false, [](auto& b) { b[25] = 1; }, 1, ""},
    {"packed picture shorter than its length", true, [](auto& b) { b = PackedWithSurplus(8); },
     1, "is shorter than the"},
};

void ExpectComplaint(const std::function<void()>& action, const char* complaint) {
  try {
    action();
    ADD_FAILURE() << "accepted";
  } catch (const ERptError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("Not a valid report file: ", 0), 0u) << message;
    EXPECT_NE(message.find(complaint), std::string::npos) << message;
  }
}

TEST(RptReportFile, DamagedFilesAreRefusedWithAClearReason) {
  ScratchFolder folder;
  const std::string good = folder.File("good.orp");
  WriteBytes(good, ThreePages(false));
  for (const Damage& d : kDamages) {
    SCOPED_TRACE(d.name);
    auto bytes = ThreePages(d.packed);
    d.apply(bytes);
    const std::string path = folder.File("damaged.orp");
    WriteBytes(path, bytes);

    TRptPageList list;
    list.OpenFile(good);
    if (d.readPage == 0) {
      ExpectComplaint([&] { list.OpenFile(path); }, d.complaint);
      // The list still holds the good file.
      EXPECT_EQ(list.Count(), 3);
      EXPECT_NE(list.ReadPage(3), nullptr);
    } else {
      list.OpenFile(path);
      ExpectComplaint([&] { list.ReadPage(d.readPage); }, d.complaint);
    }
  }
}

// A page printer that records what is done to it.
class FakePrinter : public TRptReportFileHost {
 public:
  TRptPrinterPhase Phase() const override { return phase; }
  TRptPageList& PageList() override { return list; }
  int32_t ScreenPixelsPerInch() const override { return 96; }
  void CleanUp() override {
    calls.push_back("CleanUp");
    stream.reset();
    list.SetStream(nullptr);
    list.Reset();
    phase = TRptPrinterPhase::Ready;
  }
  void SetPaperSize(TRptPaperSize size) override {
    calls.push_back(std::string("Paper ") + PaperInfo(size).Name);
  }
  void SetOrientation(TRptOrientation o) override {
    calls.push_back(o == TRptOrientation::Portrait ? "Portrait" : "Landscape");
  }
  void TakeLoadedReport(std::shared_ptr<TRptStream> s, int32_t pages, double scale) override {
    calls.push_back("Take " + std::to_string(pages) + " " + std::to_string(scale));
    stream = std::move(s);
    phase = TRptPrinterPhase::Finished;
  }

  TRptPrinterPhase phase = TRptPrinterPhase::Ready;
  TRptPageList list;
  std::shared_ptr<TRptStream> stream;
  std::vector<std::string> calls;
};

TEST(RptReportFile, LoadingChoosesPaperFromTheFirstPage) {
  const std::string take = "Take 2 " + std::to_string(96 / 254.0);
  const struct {
    int32_t width, height;
    std::vector<std::string> calls;
    bool olderLayout = false;
  } cases[] = {
      {21000, 29700, {"Paper A4", "Portrait", "Paper A4Small", "Portrait", take}},
      {21000, 29700, {"Paper A4", "Portrait", "Paper A4Small", "Portrait", take}, true},
      {29700, 21000, {"Paper A4", "Landscape", "Paper A4Small", "Landscape", take}},
      {21590, 27940,  // Letter; Note (215.9 x 279) falls into the same 4 mm steps
       {"Paper Letter", "Portrait", "Paper LetterSmall", "Portrait", "Paper Note", "Portrait",
        take}},
      {12345, 12345, {take}},  // matches nothing: paper and orientation stay
  };
  ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    const std::string path = folder.File("paper.orp");
    const auto first = MakeTestEmf(c.width, c.height, 0, 1);
    auto bytes = ReportBytes({first, MakeTestEmf(10000, 10000, 0, 2)}, false);
    if (c.olderLayout) {  // versions and count in place, the rest of the header zero
      std::vector<uint8_t> header(bytes.begin(), bytes.begin() + 12);
      header.resize(124);
      bytes = testing::UnderOlderHeader(std::move(header), bytes);
    }
    WriteBytes(path, bytes);
    FakePrinter printer;
    LoadReportFile(printer, path);
    EXPECT_EQ(printer.calls, c.calls);
    EXPECT_EQ(printer.list.Count(), 2);
    EXPECT_EQ(printer.list.ReadPage(1)->Bytes(), first);
    EXPECT_EQ(printer.stream, printer.list.Stream());
  }
}

TEST(RptReportFile, EveryPaperSizeIsFoundUprightAndTurned) {
  using P = TRptPaperSize;
  const struct {
    TRptPaperSize size;
    double width, height;  // mm
  } papers[] = {
      {P::Letter, 215.9, 279.4}, {P::LetterSmall, 215.9, 279.4}, {P::Tabloid, 279.4, 431.8},
      {P::Ledger, 431.8, 279.4}, {P::Legal, 215.9, 355.6},       {P::Statement, 139.7, 215.9},
      {P::Executive, 190.5, 254}, {P::A3, 297, 420},              {P::A4, 210, 297},
      {P::A4Small, 210, 297},    {P::A5, 148, 210},              {P::B4, 250, 354},
      {P::B5, 182, 257},         {P::Folio, 215.9, 330.2},       {P::Quarto, 215, 275},
      {P::rp10X14, 254, 355.6},  {P::rp11X17, 279.4, 431.8},     {P::Note, 215.9, 279},
      {P::Env9, 98.43, 225.4},   {P::Env10, 104.8, 241.3},       {P::Env11, 114.3, 263.5},
      {P::Env12, 101.6, 279.4},  {P::Env14, 127, 292.1},         {P::CSheet, 100, 100},
      {P::DSheet, 100, 100},     {P::ESheet, 100, 100},
  };
  for (const auto& p : papers) {
    SCOPED_TRACE(PaperInfo(p.size).Name);
    EXPECT_EQ(PaperInfo(p.size).Width, p.width);
    EXPECT_EQ(PaperInfo(p.size).Height, p.height);
    for (auto orientation : {TRptOrientation::Portrait, TRptOrientation::Landscape}) {
      const bool upright = orientation == TRptOrientation::Portrait;
      const auto found = MatchPaperSizes((upright ? p.width : p.height) * 10,
                                         (upright ? p.height : p.width) * 10);
      EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const TRptPaperMatch& m) {
        return m.Size == p.size && m.Orientation == orientation;
      })) << (upright ? "upright" : "turned");
    }
  }
}

TEST(RptReportFile, LoadingABadFileLeavesThePrinterAsItWas) {
  ScratchFolder folder;
  const std::string path = folder.File("bad.orp");
  auto bytes = ThreePages(false);
  PutI32(&bytes[136 + 48], 1 << 30);  // page 1 claims a gigabyte
  WriteBytes(path, bytes);
  FakePrinter printer;
  printer.phase = TRptPrinterPhase::Finished;
  auto held = TRptStream::CreateInMemory(1000);
  printer.list.SetStream(std::shared_ptr<TRptStream>(std::move(held)));
  EXPECT_THROW(LoadReportFile(printer, path), ERptError);
  EXPECT_THROW(LoadReportFile(printer, folder.File("missing.orp")), ERptError);
  EXPECT_TRUE(printer.calls.empty());
  EXPECT_EQ(printer.phase, TRptPrinterPhase::Finished);
  EXPECT_NE(printer.list.Stream(), nullptr);
}

TEST(RptReportFile, LoadingCleansUpABusyPrinterFirst) {
  ScratchFolder folder;
  const std::string path = folder.File("r.orp");
  WriteBytes(path, ThreePages(false));
  const auto saved = ReadBytes(path);
  FakePrinter printer;
  printer.phase = TRptPrinterPhase::Busy;
  LoadReportFile(printer, path);
  ASSERT_FALSE(printer.calls.empty());
  EXPECT_EQ(printer.calls.front(), "CleanUp");
  EXPECT_EQ(printer.phase, TRptPrinterPhase::Finished);
  EXPECT_EQ(printer.list.Count(), 3);
  printer.list.SetStream(nullptr);
  printer.stream.reset();
  EXPECT_EQ(ReadBytes(path), saved);  // released, the file stays on disk
}

TEST(RptReportFile, SavingHappensOnlyWhenFinished) {
  ScratchFolder folder;
  for (auto phase : {TRptPrinterPhase::Ready, TRptPrinterPhase::Busy,
                     TRptPrinterPhase::Finished}) {
    FakePrinter printer;
    printer.phase = phase;
    printer.list.SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
    printer.list.AppendPage(TRptEmfImage(MakeTestEmf(21000, 29700, 0, 1)));
    printer.list.Complete();
    const std::string path = folder.File("s.orp");
    SaveToReportFile(printer, path);
    EXPECT_EQ(std::filesystem::exists(path), phase == TRptPrinterPhase::Finished);
  }
}

}  // namespace
}  // namespace ormind

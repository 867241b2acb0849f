// The page list: record layout, page walks, headers old and new, spilling, files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "report/pages/bytes.h"
#include "report/pages/error.h"
#include "report/pages/file.h"
#include "report/pages/page_list.h"
#include "tests/report/pages/emf_builder.h"
#include "tests/report/pages/older_layout.h"
#include "tests/report/pages/test_files.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace ormind {
namespace {

using testing::MakeTestEmf;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

constexpr double kFixedNow = 46000.25;  // a day and a quarter past midnight

std::vector<uint8_t> PageBytes(int n) { return MakeTestEmf(21000, 29700, 40u * n, n); }

std::unique_ptr<TRptPageList> MakeList(int pages, bool compressed) {
  auto list = std::make_unique<TRptPageList>(nullptr, [] { return kFixedNow; });
  list->SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
  list->SetCompressed(compressed);
  for (int i = 1; i <= pages; ++i) list->AppendPage(TRptEmfImage(PageBytes(i)));
  return list;
}

std::vector<uint8_t> Page(TRptPageList& list, int n) {
  auto page = list.ReadPage(n);
  return page ? page->Bytes() : std::vector<uint8_t>{};
}

std::vector<uint8_t> StreamBytes(TRptStream& stream) {
  std::vector<uint8_t> bytes(size_t(stream.Size()));
  stream.Seek(0);
  stream.Read(bytes.data(), bytes.size());
  return bytes;
}

TEST(RptPageList, OnePageReportLayout) {
  auto list = MakeList(1, false);
  list->Complete();
  const auto bytes = StreamBytes(*list->Stream());
  const auto emf = PageBytes(1);
  ASSERT_EQ(bytes.size(), 128 + 8 + emf.size() + 4);
  EXPECT_EQ(GetU16(&bytes[0]), 3);
  EXPECT_EQ(GetU16(&bytes[2]), 309);
  EXPECT_EQ(GetI32(&bytes[8]), 1);
  EXPECT_EQ(GetF64(&bytes[16]), kFixedNow);
  EXPECT_EQ(bytes[25], 0);
  EXPECT_EQ(GetI32(&bytes[128]), 1);                       // page number
  EXPECT_EQ(GetI32(&bytes[132]), int32_t(bytes.size()));   // next record = file length
  EXPECT_TRUE(std::equal(emf.begin(), emf.end(), bytes.begin() + 136));
  EXPECT_EQ(GetI32(&bytes[bytes.size() - 4]), 128);        // back pointer
}

TEST(RptPageList, CompressedRecordHoldsLengthAndCode) {
  auto list = MakeList(1, true);
  list->Complete();
  const auto bytes = StreamBytes(*list->Stream());
  EXPECT_EQ(bytes[25], 1);
  EXPECT_EQ(GetI32(&bytes[136]), int32_t(PageBytes(1).size()));
  EXPECT_LT(bytes.size(), 128 + 16 + PageBytes(1).size());  // the pictures do compress
  EXPECT_EQ(GetI32(&bytes[bytes.size() - 4]), 128);
}

// Reading 2, 4 and 3 of five pages from a given starting point: forward, forward, backward.
void ExpectWalks(TRptPageList& list, const char* when) {
  SCOPED_TRACE(when);
  for (int n : {2, 4, 3, 5, 1, 5, 3, 2}) EXPECT_EQ(Page(list, n), PageBytes(n)) << n;
  EXPECT_EQ(list.ReadPage(6), nullptr);
  EXPECT_EQ(list.ReadPage(0), nullptr);
  EXPECT_EQ(list.ReadPage(-3), nullptr);
}

TEST(RptPageList, WalksToAnyPageFromWhereverTheStreamStands) {
  ScratchFolder folder;
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed ? "compressed" : "plain");
    auto list = MakeList(5, compressed);
    ExpectWalks(*list, "after appending");
    list->Complete();
    EXPECT_EQ(list->Stream()->Position(), 128);
    ExpectWalks(*list, "after Complete");
    list->LoadHeader();
    EXPECT_EQ(list->Count(), 5);
    ExpectWalks(*list, "after LoadHeader");
    const std::string path = folder.File(compressed ? "c.orp" : "p.orp");
    list->WriteToFile(path);
    EXPECT_EQ(list->Stream()->Position(), list->Stream()->Size());
    EXPECT_EQ(Page(*list, 1), PageBytes(1));
    ExpectWalks(*list, "after the copy");

    TRptPageList loaded;
    loaded.OpenFile(path);
    EXPECT_EQ(loaded.Count(), 5);
    EXPECT_EQ(loaded.Compressed(), compressed);  // follows the file, not its own setting
    ExpectWalks(loaded, "opened");
  }
}

TEST(RptPageList, ReadsFilesWithTheOlderHeader) {
  auto list = MakeList(3, false);
  list->Complete();
  const auto current = StreamBytes(*list->Stream());
  // Rebuild as the older layout: 124-byte header, every offset 4 lower.
  std::vector<uint8_t> oldHeader(current.begin(), current.begin() + 124);
  std::fill(oldHeader.begin() + 12, oldHeader.end(), 0);
  PutF64(&oldHeader[12], kFixedNow);
  const std::vector<uint8_t> old = testing::UnderOlderHeader(std::move(oldHeader), current);
  ScratchFolder folder;
  const std::string path = folder.File("old.orp");
  WriteBytes(path, old);

  TRptPageList loaded;
  loaded.SetStream(TRptStream::OpenExisting(path));
  const TRptSavedHeader header = loaded.LoadHeader();
  EXPECT_EQ(loaded.HeaderSize(), 124);
  EXPECT_EQ(header.PageTotal, 3);
  EXPECT_EQ(header.WrittenAt, kFixedNow);
  EXPECT_EQ(loaded.Stream()->Position(), 124);
  for (int n : {1, 3, 2}) EXPECT_EQ(Page(loaded, n), PageBytes(n));

  TRptPageList opened;  // as the program opens a file
  opened.OpenFile(path);
  EXPECT_EQ(opened.HeaderSize(), 124);
  for (int n : {1, 3, 2}) EXPECT_EQ(Page(opened, n), PageBytes(n));
}

TEST(RptPageList, LargeReportsMoveToATemporaryFileThatIsRemoved) {
  auto list = MakeList(0, false);
  std::string spill;
  int pages = 0;
  while (list->Stream()->Resident()) list->AppendPage(TRptEmfImage(PageBytes(++pages)));
  spill = list->Stream()->SpillFileName();
  EXPECT_EQ(std::filesystem::path(spill).filename().string().substr(0, 3), "ORP");
  EXPECT_GT(list->Stream()->Size(), 100000);
  list->AppendPage(TRptEmfImage(PageBytes(++pages)));
  list->Complete();
  for (int n : {pages, 1, pages / 2}) EXPECT_EQ(Page(*list, n), PageBytes(n));
  list.reset();
  EXPECT_FALSE(std::filesystem::exists(spill));
}

TEST(RptPageList, SavingReplacesTheTargetAndLeavesNoTemporaryFiles) {
  ScratchFolder folder;
  const std::string path = folder.File("saved.orp");
  WriteBytes(path, {1, 2, 3});
  auto list = MakeList(2, false);
  list->Complete();
  list->WriteToFile(path);
  EXPECT_EQ(ReadBytes(path), StreamBytes(*list->Stream()));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"saved.orp"});

  const std::string nowhere = folder.File("no-such-folder/saved.orp");
  try {
    list->WriteToFile(nowhere);
    FAIL();
  } catch (const ERptError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + nowhere + "\". ", 0), 0u)
        << e.what();
  }
}

#ifndef _WIN32
TEST(RptPageList, AFailedSaveKeepsTheExistingFile) {
  ScratchFolder folder;
  const std::string path = folder.File("precious.orp");
  const std::vector<uint8_t> precious(500, 0x5A);
  WriteBytes(path, precious);
  auto list = MakeList(20, false);  // far larger than the limit below
  list->Complete();

  // Let the disk "fill up" after 4 KB.
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit tight = old;
  tight.rlim_cur = 4096;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &tight);
  bool failed = false;
  try {
    list->WriteToFile(path);
  } catch (const ERptError& e) {
    failed = true;
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(failed);
  EXPECT_EQ(ReadBytes(path), precious);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"precious.orp"});
}
#endif

TEST(RptPageList, PagesCannotBeAddedToAnOpenedFile) {
  ScratchFolder folder;
  const std::string path = folder.File("r.orp");
  auto list = MakeList(2, false);
  list->Complete();
  list->WriteToFile(path);
  TRptPageList loaded;
  loaded.OpenFile(path);
  EXPECT_THROW(loaded.AppendPage(TRptEmfImage(PageBytes(3))), ERptError);
  EXPECT_EQ(loaded.Count(), 2);
  EXPECT_EQ(Page(loaded, 2), PageBytes(2));
  // Saving a loaded report onto its own file keeps the file as it is.
  const auto before = ReadBytes(path);
  loaded.WriteToFile(path);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(Page(loaded, 1), PageBytes(1));
}

}  // namespace
}  // namespace ormind

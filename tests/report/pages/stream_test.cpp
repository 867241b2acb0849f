// The report stream: memory, spilling to a temporary file, opened files, copying.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "report/pages/error.h"
#include "report/pages/file.h"
#include "report/pages/file_system.h"
#include "report/pages/saved_header.h"
#include "report/pages/stream.h"
#include "tests/report/pages/test_files.h"

namespace ormind {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + i / 251);
  return v;
}

TEST(RptStream, SpillsOnlyWhenTheSizePassesTheThreshold) {
  const struct {
    size_t firstWrite, secondWrite;
    bool resident;
  } cases[] = {
      {1000, 0, true},      // below
      {1000, 100, true},    // exactly at the threshold still stays in memory
      {1000, 101, false},   // one byte more moves to a file
      {5000, 0, false},     // a single large write
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.firstWrite + c.secondWrite);
    const auto data = Pattern(c.firstWrite + c.secondWrite);
    auto stream = TRptStream::CreateInMemory(1100);
    ASSERT_EQ(stream->Write(data.data(), c.firstWrite), c.firstWrite);
    ASSERT_EQ(stream->Write(data.data() + c.firstWrite, c.secondWrite), c.secondWrite);
    EXPECT_EQ(stream->Resident(), c.resident);
    EXPECT_EQ(stream->Position(), int64_t(data.size()));  // at the end after spilling too
    EXPECT_EQ(stream->Size(), int64_t(data.size()));

    std::string spill = stream->SpillFileName();
    EXPECT_EQ(spill.empty(), c.resident);
    if (!c.resident) {
      const std::string name = std::filesystem::path(spill).filename().string();
      EXPECT_EQ(name.substr(0, 3), "ORP");
      EXPECT_TRUE(std::filesystem::exists(spill));
    }
    // Later writes and reads go wherever the data now lives.
    stream->Seek(10);
    const uint8_t marker[3] = {0xAB, 0xCD, 0xEF};
    EXPECT_EQ(stream->Write(marker, 3), 3u);
    std::vector<uint8_t> back(data.size());
    stream->Seek(0);
    EXPECT_EQ(stream->Read(back.data(), back.size() + 10), data.size());
    auto expected = data;
    std::copy(marker, marker + 3, expected.begin() + 10);
    EXPECT_EQ(back, expected);

    stream.reset();
    if (!c.resident) {
      EXPECT_FALSE(std::filesystem::exists(spill)) << "spill file kept";
    }
  }
}

TEST(RptStream, AnOpenedFileIsReadOnlyAndStaysOnDisk) {
  ScratchFolder folder;
  const std::string path = folder.File("kept.orp");
  WriteBytes(path, Pattern(300));
  {
    auto stream = TRptStream::OpenExisting(path);
    EXPECT_FALSE(stream->Resident());
    EXPECT_TRUE(stream->ReadOnly());
    EXPECT_TRUE(stream->SpillFileName().empty());
    EXPECT_EQ(stream->Size(), 300);
    const uint8_t b = 1;
    EXPECT_EQ(stream->Write(&b, 1), 0u);
    EXPECT_THROW(stream->WriteExactly(&b, 1), ERptError);
  }
  EXPECT_EQ(ReadBytes(path), Pattern(300));
}

TEST(RptStream, OpeningAMissingFileSaysWhichFile) {
  ScratchFolder folder;
  const std::string path = folder.File("missing.orp");
  try {
    TRptStream::OpenExisting(path);
    FAIL();
  } catch (const ERptError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u)
        << e.what();
  }
}

TEST(RptStream, CopyToWritesEverythingAndEndsAtTheEnd) {
  ScratchFolder folder;
  for (size_t size : {size_t(0), size_t(10240), size_t(25000), size_t(150000)}) {
    SCOPED_TRACE(size);
    auto stream = TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold);
    const auto data = Pattern(size);
    stream->Write(data.data(), data.size());
    stream->Seek(7);
    const std::string path = folder.File("copy" + std::to_string(size));
    {
      TRptFile file(path, TRptFile::Mode::Create);
      stream->CopyTo(file);
      file.Close();
    }
    EXPECT_EQ(stream->Position(), int64_t(size));
    EXPECT_EQ(ReadBytes(path), data);
  }
}

TEST(RptSavedHeader, LaysOutTheFieldsLittleEndian) {
  TRptSavedHeader h;
  h.PageTotal = 0x01020304;
  h.WrittenAt = 1.5;
  h.PackedPages = 1;
  const auto b = h.ToBytes();
  const std::vector<uint8_t> start(b.begin(), b.begin() + 26);
  EXPECT_EQ(start, (std::vector<uint8_t>{3, 0, 0x35, 0x01, 0, 0, 0, 0, 4, 3, 2, 1, 0, 0, 0, 0,
                                         0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0, 1}));
  const auto back = TRptSavedHeader::FromBytes(b);
  EXPECT_EQ(back.PageTotal, h.PageTotal);
  EXPECT_EQ(back.WrittenAt, 1.5);
  EXPECT_EQ(back.PackedPages, 1);
}

TEST(RptSavedHeader, UpgradesTheOlderLayout) {
  std::array<uint8_t, 128> h{};
  for (int i = 0; i < 124; ++i) h[i] = uint8_t(i + 1);
  auto same = h;
  UpgradeHeader(128, same);
  EXPECT_EQ(same, h);

  UpgradeHeader(124, h);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(h[i], i + 1) << i;      // versions, byte 4, count
  for (int i = 0; i < 8; ++i) EXPECT_EQ(h[16 + i], 13 + i) << i;  // date and time from 12
  EXPECT_EQ(h[24], 21);                                          // byte from 20
  EXPECT_EQ(h[25], 22);                                          // compression from 21
  for (int i = 0; i < 101; ++i) EXPECT_EQ(h[26 + i], 23 + i) << i;
}

TEST(RptSavedHeader, DetectsTheHeaderSizeFromTheFirstSignature) {
  const struct {
    int signatureAt;  // where " EMF" stands, -1 for nowhere
    int size;
  } cases[] = {{124 + 8 + 40, 124}, {128 + 8 + 40, 128}, {-1, 128}};
  for (const auto& c : cases) {
    auto stream = TRptStream::CreateInMemory(1 << 20);
    std::vector<uint8_t> bytes(400, 0);
    if (c.signatureAt >= 0) std::copy_n(" EMF", 4, bytes.begin() + c.signatureAt);
    stream->Write(bytes.data(), bytes.size());
    stream->Seek(33);
    EXPECT_EQ(DetectHeaderSize(*stream), c.size);
    EXPECT_EQ(stream->Position(), 33);
  }
  auto tiny = TRptStream::CreateInMemory(100);
  EXPECT_EQ(DetectHeaderSize(*tiny), 128);
}

// Points the temporary folder at `folder` for as long as it lives.
class TemporaryFolderAt {
 public:
  explicit TemporaryFolderAt(const std::string& folder) {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      Set(name, folder.c_str());
    }
  }
  ~TemporaryFolderAt() {
    for (size_t i = 0; i < std::size(kNames); ++i)
      Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }

 private:
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    value ? setenv(name, value, 1) : unsetenv(name);
#endif
  }
  static constexpr const char* kNames[] = {"TMPDIR", "TMP", "TEMP"};
  std::vector<std::optional<std::string>> saved_;
};

TEST(RptStream, TheSweepRemovesStalePageStreamsButNotOneInUse) {
  ScratchFolder folder;
  const TemporaryFolderAt temporary(folder.File(""));
  const struct {
    const char* name;
    bool swept;
  } files[] = {
      {"ORP1A2B.tmp", true},  // an earlier run's, killed with the preview open
      {"ORP00000001.tmp", true},
      {"ORPnotes.txt", false},
      {"other.tmp", false},
  };
  for (const auto& f : files) WriteBytes(folder.File(f.name), Pattern(10));
  auto live = TRptStream::CreateInMemory(100);
  const auto data = Pattern(500);
  ASSERT_EQ(live->Write(data.data(), data.size()), data.size());
  ASSERT_FALSE(live->Resident());
  const std::string liveName = std::filesystem::path(live->SpillFileName()).filename().string();
  ASSERT_TRUE(std::filesystem::exists(folder.File(liveName))) << live->SpillFileName();

  SweepStaleSpillFiles();

  for (const auto& f : files)
    EXPECT_EQ(std::filesystem::exists(folder.File(f.name)), !f.swept) << f.name;
  EXPECT_TRUE(std::filesystem::exists(folder.File(liveName))) << "a stream in use was swept";
  std::vector<uint8_t> back(data.size());
  live->Seek(0);
  EXPECT_EQ(live->Read(back.data(), back.size()), data.size());
  EXPECT_EQ(back, data);
}

}  // namespace
}  // namespace ormind

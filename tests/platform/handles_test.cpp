// Handle owners: what they free, counted per kind; the print-job guard's failure path.
#include "platform/handles.h"

#include <gtest/gtest.h>

#include "platform/print_job.h"

namespace ormind {
namespace {

TEST(Handles, OwnersFreeExactlyOnceAcrossMovesResetsAndReleases) {
  const int before = BrushHandle::LiveCount();
  {
    BrushHandle first(CreateSolidBrush(RGB(1, 2, 3)));
    BrushHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(BrushHandle::LiveCount(), before + 1);
    second.Reset(CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(BrushHandle::LiveCount(), before + 1);
    BrushHandle third;
    third = std::move(second);
    const HBRUSH kept = third.Release();
    EXPECT_EQ(BrushHandle::LiveCount(), before);
    EXPECT_TRUE(DeleteObject(kept)) << "a released handle is not freed by its owner";
  }
  EXPECT_EQ(BrushHandle::LiveCount(), before);

  // A file that cannot be opened is no handle at all (INVALID_HANDLE_VALUE, not null).
  const FileHandle missing(CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);
  EXPECT_EQ(FileHandle::LiveCount(), 0);
}

TEST(Handles, ARecordedMetafileIsHandedOverOnClose) {
  MetafileRecorder recorder(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(recorder);
  Rectangle(recorder.Get(), 0, 0, 10, 10);
  const int before = EnhMetaFileHandle::LiveCount();
  EnhMetaFileHandle picture = recorder.Close();
  EXPECT_TRUE(picture);
  EXPECT_FALSE(recorder);
  EXPECT_EQ(EnhMetaFileHandle::LiveCount(), before + 1);
}

TEST(Handles, AJobThatCannotStartThrowsAndLeavesNothingOpen) {
  MemoryDC notAPrinter(nullptr);
  EXPECT_THROW(PrintJob(notAPrinter.Get(), L"Card"), PrintError);
  EXPECT_THROW(PrintJob(nullptr, L"Card"), PrintError);
}

}  // namespace
}  // namespace ormind

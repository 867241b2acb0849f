// Splay coder throughput on page pictures, and storing and reading a 20-page report.
#include <benchmark/benchmark.h>

#include "bench/report/photo_page.h"
#include "report/pages/coder.h"
#include "report/pages/page_list.h"
#include "tests/report/pages/emf_builder.h"

namespace ormind {
namespace {

// A4 photograph pages: 200 dpi (about 12 MB) for the coder, 96 dpi (2.7 MB) for the reports.
const bench::PhotoPage& PhotoPage200() {
  static const bench::PhotoPage page = bench::MakePhotoPage(200);
  return page;
}
const bench::PhotoPage& PhotoPage96() {
  static const bench::PhotoPage page = bench::MakePhotoPage(96);
  return page;
}
// A page of drawing records (mostly small numbers), as text and rules produce.
const std::vector<uint8_t>& DrawingPage() {
  static const std::vector<uint8_t> page = testing::MakeTestEmf(21000, 29700, 2 << 20, 9);
  return page;
}

std::vector<uint8_t> Encode(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> code;
  TRptCompress coder(code);
  coder.Encode(data.data(), data.size());
  coder.Finish();
  return code;
}

void EncodePage(benchmark::State& state, const std::vector<uint8_t>& page) {
  size_t codeSize = 0;
  for (auto _ : state) {
    std::vector<uint8_t> code = Encode(page);
    codeSize = code.size();
    benchmark::DoNotOptimize(code.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.size()));
  state.counters["page_MB"] = double(page.size()) / 1e6;
  state.counters["code_ratio"] = double(codeSize) / double(page.size());
}

void DecodePage(benchmark::State& state, const std::vector<uint8_t>& page) {
  const std::vector<uint8_t> code = Encode(page);
  std::vector<uint8_t> out(page.size());
  for (auto _ : state) {
    TRptCompress coder(code.data(), code.size());
    coder.Decode(out.data(), out.size());
    benchmark::DoNotOptimize(out.data());
  }
  if (out != page) state.SkipWithError("decoded page differs");
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.size()));
}

void BM_EncodePhotoPage(benchmark::State& s) {
  s.SetLabel(PhotoPage200().source);
  EncodePage(s, PhotoPage200().emf);
}
void BM_DecodePhotoPage(benchmark::State& s) { DecodePage(s, PhotoPage200().emf); }
void BM_EncodeDrawingPage(benchmark::State& s) { EncodePage(s, DrawingPage()); }
void BM_DecodeDrawingPage(benchmark::State& s) { DecodePage(s, DrawingPage()); }
BENCHMARK(BM_EncodePhotoPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePhotoPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeDrawingPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeDrawingPage)->Unit(benchmark::kMillisecond);

constexpr int kPages = 20;

std::unique_ptr<TRptPageList> TwentyPages(bool compressed) {
  auto list = std::make_unique<TRptPageList>();
  list->SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
  list->SetCompressed(compressed);
  const TRptEmfImage page(PhotoPage96().emf);
  for (int i = 0; i < kPages; ++i) list->AppendPage(page);
  list->Complete();
  return list;
}

// Range(0): 0 plain, 1 compressed.
void BM_Append20Pages(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TwentyPages(state.range(0) != 0).get());
  state.SetBytesProcessed(int64_t(state.iterations()) * kPages * int64_t(PhotoPage96().emf.size()));
}
void BM_Read20Pages(benchmark::State& state) {
  auto list = TwentyPages(state.range(0) != 0);
  for (auto _ : state)
    for (int n = 1; n <= kPages; ++n) benchmark::DoNotOptimize(list->ReadPage(n).get());
  state.SetBytesProcessed(int64_t(state.iterations()) * kPages * int64_t(PhotoPage96().emf.size()));
}
BENCHMARK(BM_Append20Pages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read20Pages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormind

BENCHMARK_MAIN();

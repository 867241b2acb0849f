// The day view and the INI engine on generated event lists.
#include <benchmark/benchmark.h>

#include <map>

#include "core/day_view.h"
#include "core/ini_document.h"
#include "base/text_codec.h"
#include "event_list_generator.h"

namespace ormind::bench {
namespace {

// The event list in memory: ShowDay still reads, decodes and parses it at every call.
class MemoryFiles final : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  bool IsRegularFile(const std::string& path) const override { return files.count(path) > 0; }
  std::optional<std::string> ReadAll(const std::string& path) const override {
    return files.at(path);
  }
  // As the system's file system does: 64 KB at a time.
  bool ReadPieces(const std::string& path,
                  const std::function<void(std::string_view)>& consume) const override {
    const std::string_view bytes = files.at(path);
    for (size_t at = 0; at < bytes.size(); at += 64 * 1024) consume(bytes.substr(at, 64 * 1024));
    return true;
  }
  void ReplaceAll(const std::string&, const std::string&) override {}
  bool CreateFolder(const std::string&) override { return true; }
  bool CreateNewFile(const std::string& path, const std::string& bytes) override {
    return files.emplace(path, bytes).second;
  }
};

class NoMessages final : public MessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

class CountingTarget final : public DayViewTarget {
 public:
  size_t bytes = 0;
  void SetHeading(const std::string& text) override { bytes += text.size(); }
  void SetBlock(const std::string& text) override { bytes += text.size(); }
  void ResetButtons() override {}
};

class FixedClock final : public Clock {
 public:
  Day Today() const override { return DayFromDate({2026, 12, 8}); }
};

const std::string& EventListOf(int count) {
  static std::map<int, std::string> cache;
  auto it = cache.find(count);
  if (it == cache.end()) it = cache.emplace(count, ToEventList(GenerateEntries(count))).first;
  return it->second;
}

void ShowDayOn(benchmark::State& state, const std::string& bytes, int codePage) {
  MemoryFiles files;
  Settings settings;
  settings.EventsPath = "events.txt";
  settings.DaysBefore = 3;
  settings.AnsiCodePage = codePage;
  files.files[settings.EventsPath] = bytes;
  const InterfaceTexts texts(1049);
  const FixedClock clock;
  NoMessages messages;
  CountingTarget target;
  for (auto _ : state) {
    ShowDay(clock.Today(), settings, texts, clock, files, messages, target);
    benchmark::DoNotOptimize(target.bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_ShowDay(benchmark::State& state) {
  ShowDayOn(state, EventListOf(static_cast<int>(state.range(0))), 1251);
}
BENCHMARK(BM_ShowDay)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same list saved in Windows-1251 (decoded to UTF-8 first).
void BM_ShowDay_Cp1251(benchmark::State& state) {
  static const std::string ansi =
      *Utf8ToAnsi(EventListOf(static_cast<int>(state.range(0))), 1251);
  ShowDayOn(state, ansi, 1251);
}
BENCHMARK(BM_ShowDay_Cp1251)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_IniParse(benchmark::State& state) {
  const std::string& text = EventListOf(100000);
  for (auto _ : state) {
    IniDocument document(text);
    benchmark::DoNotOptimize(document);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IniParse)->Unit(benchmark::kMicrosecond);

void BM_DecodeUtf8Check(benchmark::State& state) {
  const std::string& text = EventListOf(100000);
  for (auto _ : state) benchmark::DoNotOptimize(IsValidUtf8(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DecodeUtf8Check)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ormind::bench

BENCHMARK_MAIN();

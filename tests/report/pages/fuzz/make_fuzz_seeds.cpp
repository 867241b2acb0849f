// Writes the fuzzers' seed corpus: small report files of every kind the readers know, and the
// code of a few pages. Run once; the output is committed under corpus/.
//   make_fuzz_seeds OUTPUT_FOLDER
#include <fstream>
#include <string>

#include "report/pages/bytes.h"
#include "report/pages/coder.h"
#include "report/pages/page_list.h"
#include "tests/report/pages/emf_builder.h"
#include "tests/report/pages/older_layout.h"

using namespace ormind;

namespace {

std::vector<uint8_t> Report(int pages, bool packed) {
  TRptPageList list(nullptr, [] { return 46000.5; });
  list.SetStream(TRptStream::CreateInMemory(INT32_MAX));
  list.SetCompressed(packed);
  for (int i = 1; i <= pages; ++i)
    list.AppendPage(TRptEmfImage(testing::MakeTestEmf(21000 + i * 1000, 29700, 16 * i, i)));
  list.Complete();
  std::vector<uint8_t> bytes(size_t(list.Stream()->Size()));
  list.Stream()->Seek(0);
  list.Stream()->Read(bytes.data(), bytes.size());
  return bytes;
}

// The same report with the older 124-byte header.
std::vector<uint8_t> OldLayout(const std::vector<uint8_t>& current) {
  std::vector<uint8_t> header(current.begin(), current.begin() + 124);
  std::copy(current.begin() + 16, current.begin() + 24, header.begin() + 12);
  header[21] = current[25];
  return testing::UnderOlderHeader(std::move(header), current);
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string out = argv[1];
  Write(out + "/report_file/empty.orp", Report(0, false));
  Write(out + "/report_file/one-page.orp", Report(1, false));
  Write(out + "/report_file/five-pages.orp", Report(5, false));
  Write(out + "/report_file/three-packed.orp", Report(3, true));
  Write(out + "/report_file/old-header.orp", OldLayout(Report(2, false)));
  for (int i = 1; i <= 3; ++i) {
    std::vector<uint8_t> code;
    TRptCompress coder(code);
    const auto page = testing::MakeTestEmf(21000, 29700, 64u * i, i);
    coder.Encode(page.data(), page.size());
    coder.Finish();
    Write(out + "/decode/page" + std::to_string(i) + ".code", code);
  }
  return 0;
}

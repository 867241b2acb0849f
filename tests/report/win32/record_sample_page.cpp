// Writes the GDI-recorded sample page as a standalone EMF file (for checks in other readers).
//   record_sample_page OUT.emf
#include <cstdio>

#include "tests/report/win32/sample_page.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const auto bytes = ormind::testing::RecordSamplePage();
  std::FILE* f = _wfopen(argv[1], L"wb");
  if (!f) return 1;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok ? 0 : 1;
}

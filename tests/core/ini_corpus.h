#pragma once
// Tricky INI files, shared by the native tests and the comparison with the platform's own
// profile functions under wine. Each file comes with the names to look up in it (beside the
// ones it lists itself) and one key to write.
#include <ostream>
#include <string>
#include <vector>

namespace ormind::testing {

struct IniCorpusFile {
  const char* name;
  std::string bytes;
  std::vector<std::string> probeSections;  // looked up beside the listed ones
  std::vector<std::string> probeKeys;      // looked up in every section
  // One write: section, key, value.
  std::string writeSection, writeKey, writeValue;
  // Bytes are UTF-8 without a byte-order mark and not plain ASCII: read here as UTF-8,
  // by the platform as its 8-bit code page.
  bool utf8WithoutMark = false;
};

std::vector<IniCorpusFile> IniCorpus();

// Test output names a corpus file by its name, not by a dump of its bytes.
inline void PrintTo(const IniCorpusFile& file, std::ostream* out) { *out << file.name; }

}  // namespace ormind::testing

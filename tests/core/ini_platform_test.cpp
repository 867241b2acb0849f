// The INI engine against the platform's own profile functions (GetPrivateProfileStringW,
// WritePrivateProfileStringW), file by file over the shared corpus. Runs in the Windows build.
//
// Differences on purpose, checked as such below:
// - UTF-8 without a byte-order mark is read here as UTF-8; the platform reads it in its 8-bit
//   code page. Where a corpus file is such UTF-8, the platform's texts are turned back into
//   their bytes before comparing.
// - A write here changes only the line concerned; the platform rewrites the whole file in its
//   own layout. Files are compared by what they read back, not byte for byte.
// - The event list reads every line of every section of a name (Entries), where the profile
//   functions see only the first section of a name and the first key of a name.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/ini_document.h"
#include "base/text_codec.h"
#include "ini_corpus.h"

namespace ormind {
namespace {

using testing::IniCorpus;
using testing::IniCorpusFile;

constexpr wchar_t kDefault[] = L"\x1" L"default";

std::wstring W(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}
std::string U(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

int CodePage() { return GetACP() == 1251 ? 1251 : 1252; }

// "a\0b\0" with `length` 4: the items may be empty (a key named "").
std::vector<std::string> SplitDoubleNull(const std::vector<wchar_t>& buffer, DWORD length) {
  std::vector<std::string> items;
  size_t pos = 0;
  while (pos < length) {
    size_t end = pos;
    while (end < length && buffer[end]) ++end;
    items.push_back(U(std::wstring_view(buffer.data() + pos, end - pos)));
    pos = end + 1;
  }
  return items;
}

// The platform's view of one file.
struct PlatformIni {
  std::wstring path;
  std::vector<std::string> SectionNames() const {
    std::vector<wchar_t> buffer(1 << 20);
    const DWORD n = GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitDoubleNull(buffer, n);
  }
  std::vector<std::string> KeyNames(const std::string& section) const {
    std::vector<wchar_t> buffer(1 << 20);
    const DWORD n = GetPrivateProfileStringW(W(section).c_str(), nullptr, L"", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitDoubleNull(buffer, n);
  }
  std::string Read(const std::string& section, const std::string& key) const {
    std::vector<wchar_t> buffer(1 << 16);
    const DWORD n = GetPrivateProfileStringW(W(section).c_str(), W(key).c_str(), kDefault,
                                             buffer.data(), static_cast<DWORD>(buffer.size()),
                                             path.c_str());
    return U(std::wstring_view(buffer.data(), n));
  }
};

std::wstring TempPath(const std::string& name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  static int counter = 0;
  return std::wstring(folder) + L"ormind_ini_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         std::to_wstring(++counter) + L"_" + W(name) + L".ini";
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string OurRead(const IniDocument& doc, const std::string& section, const std::string& key) {
  return std::string(doc.ReadString(section, key).value_or(U(kDefault)));
}

std::string Trimmed(const std::string& name) {
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

// The names to compare in a file: everything either side lists, and the probes.
std::set<std::string> SectionsToCheck(const IniCorpusFile& file, const PlatformIni& platform,
                                      const IniDocument& ours) {
  std::set<std::string> sections(file.probeSections.begin(), file.probeSections.end());
  for (const std::string& s : platform.SectionNames()) sections.insert(s);
  for (std::string_view s : ours.SectionNames()) sections.insert(std::string(s));
  sections.insert(file.writeSection);
  return sections;
}

// The platform's text for a file that is UTF-8 without a mark: back to the bytes it came from.
std::string AsRead(const IniCorpusFile& file, const std::string& platformText) {
  if (!file.utf8WithoutMark) return platformText;
  return Utf8ToAnsi(platformText, CodePage()).value_or("(not in the code page)");
}

void ExpectSameReads(const IniCorpusFile& file, const PlatformIni& platform,
                     const IniDocument& ours, const std::string& where) {
  std::vector<std::string> platformSections;
  for (const std::string& s : platform.SectionNames()) platformSections.push_back(AsRead(file, s));
  const std::vector<std::string_view> ourSections = ours.SectionNames();
  EXPECT_EQ(platformSections, std::vector<std::string>(ourSections.begin(), ourSections.end()))
      << where;
  for (const std::string& section : SectionsToCheck(file, platform, ours)) {
    // Two corners of the platform's key list are not copied: it does not trim the requested
    // section name (every other lookup does), and a list whose first name is empty comes back
    // empty. Here the name is trimmed and every name is listed.
    std::vector<std::string> platformKeys;
    for (const std::string& k : platform.KeyNames(Trimmed(section)))
      platformKeys.push_back(AsRead(file, k));
    const std::vector<std::string_view> ourKeys = ours.KeyNames(section);
    if (!ourKeys.empty() && ourKeys.front().empty())
      EXPECT_TRUE(platformKeys.empty()) << where << " [" << section << "]";
    else
      EXPECT_EQ(platformKeys, std::vector<std::string>(ourKeys.begin(), ourKeys.end()))
          << where << " [" << section << "]";
    std::set<std::string> keys(file.probeKeys.begin(), file.probeKeys.end());
    keys.insert(ourKeys.begin(), ourKeys.end());
    keys.insert(file.writeKey);
    for (const std::string& key : keys) {
      if (file.utf8WithoutMark && Utf8ToAnsi(key, CodePage()) != key) continue;
      EXPECT_EQ(AsRead(file, platform.Read(section, key)), OurRead(ours, section, key))
          << where << " [" << section << "] " << key;
    }
  }
}

class IniAgainstPlatform : public ::testing::TestWithParam<IniCorpusFile> {};

TEST_P(IniAgainstPlatform, ReadsAgree) {
  const IniCorpusFile& file = GetParam();
  const PlatformIni platform{TempPath(file.name)};
  WriteBytes(platform.path, file.bytes);
  const DecodedText decoded = DecodeText(file.bytes, CodePage());
  const IniDocument ours(decoded.utf8);
  EXPECT_EQ(decoded.encoding == TextEncoding::Utf8, file.utf8WithoutMark);
  ExpectSameReads(file, platform, ours, "read");
  DeleteFileW(platform.path.c_str());
}

TEST_P(IniAgainstPlatform, WritesAgree) {
  const IniCorpusFile& file = GetParam();
  const PlatformIni byPlatform{TempPath(std::string(file.name) + "_platform")};
  const PlatformIni byUs{TempPath(std::string(file.name) + "_ours")};
  WriteBytes(byPlatform.path, file.bytes);
  ASSERT_TRUE(WritePrivateProfileStringW(W(file.writeSection).c_str(), W(file.writeKey).c_str(),
                                         W(file.writeValue).c_str(), byPlatform.path.c_str()));
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, byPlatform.path.c_str());  // flush

  const DecodedText decoded = DecodeText(file.bytes, CodePage());
  IniDocument ours(decoded.utf8);
  ours.WriteString(file.writeSection, file.writeKey, file.writeValue);
  WriteBytes(byUs.path, EncodeText(ours.Text(), decoded.encoding, CodePage()));

  // The platform reads both files alike...
  const IniDocument rereadOurs(DecodeText(EncodeText(ours.Text(), decoded.encoding, CodePage()), CodePage()).utf8);
  ExpectSameReads(file, byUs, rereadOurs, "our write");
  IniCorpusFile platformWritten = file;
  ExpectSameReads(platformWritten, byPlatform, rereadOurs, "platform write");
  DeleteFileW(byPlatform.path.c_str());
  DeleteFileW(byUs.path.c_str());
}

TEST_P(IniAgainstPlatform, EventListReadsEveryLineWhereTheProfileSeesTheFirst) {
  const IniCorpusFile& file = GetParam();
  const PlatformIni platform{TempPath(file.name)};
  WriteBytes(platform.path, file.bytes);
  const IniDocument ours(DecodeText(file.bytes, CodePage()).utf8);
  for (std::string_view section : ours.SectionNames()) {
    const std::vector<IniEntry> entries = ours.Entries(section);
    // Built the profile way: the first section's keys, each with its first value.
    std::vector<std::string> profileWay, ourWay;
    // (the profile's key list of a section that starts with an empty name is empty)
    for (const std::string& key : platform.KeyNames(std::string(section)))
      profileWay.push_back(AsRead(file, key) + "=" + AsRead(file, platform.Read(std::string(section), key)));
    for (const IniEntry& e : entries) ourWay.push_back(std::string(e.name) + "=" + std::string(e.value));
    const std::vector<std::string_view> names = ours.SectionNames();
    const bool repeatedSection = std::count_if(names.begin(), names.end(), [&](std::string_view n) {
                                   return IniNamesEqual(n, section);
                                 }) > 1;
    std::set<std::string> seen;
    bool repeatedKey = false;
    for (const IniEntry& e : entries) {
      std::string folded(e.name);
      std::transform(folded.begin(), folded.end(), folded.begin(), ::tolower);
      repeatedKey |= !seen.insert(folded).second;
    }
    const bool startsEmpty = !entries.empty() && entries.front().name.empty();
    if (repeatedSection || repeatedKey || startsEmpty)
      EXPECT_NE(profileWay, ourWay) << file.name << " [" << section << "]: every line counts";
    else
      EXPECT_EQ(profileWay, ourWay) << file.name << " [" << section << "]";
  }
  DeleteFileW(platform.path.c_str());
}

std::string CorpusName(const ::testing::TestParamInfo<IniCorpusFile>& info) {
  std::string name = std::to_string(info.index) + "_" + info.param.name;
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, IniAgainstPlatform, ::testing::ValuesIn(IniCorpus()), CorpusName);

TEST(CodePagesAgainstPlatform, EveryByteDecodesAsThePlatformDecodesIt) {
  for (UINT codePage : {1251u, 1252u}) {
    for (int b = 1; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      wchar_t wide[4] = {};
      const int n = MultiByteToWideChar(codePage, 0, &byte, 1, wide, 4);
      ASSERT_EQ(n, 1) << codePage << " " << b;
      EXPECT_EQ(AnsiToUtf8(std::string(1, byte), static_cast<int>(codePage)), U(std::wstring_view(wide, 1)))
          << codePage << " byte " << b;
    }
  }
}

}  // namespace
}  // namespace ormind

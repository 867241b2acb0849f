// Fuzzes the INI document's writes. The input is "section NUL key NUL value NUL text": the
// key is written into the text, then the written value must read back, also after the text is
// parsed anew, and every other key must read as it did before. The names and the value are
// first made into ones that can be written at all (no line breaks, no "]" in a section name,
// a key that is neither a section header nor a comment, no blanks or quotes around the value).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_document.h"
#include "core/ini_scanner.h"

using namespace ormind;

namespace {

std::string_view NextPart(std::string_view& input) {
  const size_t at = input.find('\0');
  const std::string_view part = input.substr(0, at);
  input.remove_prefix(at == std::string_view::npos ? input.size() : at + 1);
  return part;
}

std::string Without(std::string_view text, std::string_view banned) {
  std::string out;
  for (char c : text)
    if (banned.find(c) == std::string_view::npos) out += c;
  return out;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && IsIniBlank(s.front())) s.erase(0, 1);
  while (!s.empty() && IsIniBlank(s.back())) s.pop_back();
  return s;
}

struct KeyValue {
  std::string section, key;
  std::optional<std::string> value;
};

// Every key of every section name as the profile reads see them.
std::vector<KeyValue> AllKeys(const IniDocument& doc) {
  std::vector<std::string_view> sections = doc.SectionNames();
  sections.push_back("");
  std::vector<KeyValue> all;
  for (std::string_view section : sections)
    for (std::string_view key : doc.KeyNames(section)) {
      const std::optional<std::string_view> value = doc.ReadString(section, key);
      all.push_back({std::string(section), std::string(key),
                     value ? std::optional<std::string>(*value) : std::nullopt});
    }
  return all;
}

void CheckReadsBack(const IniDocument& doc, const std::string& section, const std::string& key,
                    const std::string& value) {
  const std::optional<std::string_view> read = doc.ReadString(section, key);
  if (!read || *read != value || !doc.HasKey(section, key)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string section = Trimmed(Without(NextPart(input), "\r\n]\x1A"));
  std::string key = Trimmed(Without(NextPart(input), "\r\n=\x1A"));
  std::string value = Trimmed(Without(NextPart(input), "\r\n\x1A"));
  while (!key.empty() && (key.front() == '[' || key.front() == ';')) key = Trimmed(key.substr(1));
  if (key.empty()) return 0;
  while (StripIniQuotes(value).size() != value.size()) value = Trimmed(value.substr(0, value.size() - 1));
  IniDocument doc{std::string(input)};

  const std::vector<KeyValue> before = AllKeys(doc);
  doc.WriteString(section, key, value);
  CheckReadsBack(doc, section, key, value);
  const IniDocument reparsed(doc.Text());
  CheckReadsBack(reparsed, section, key, value);

  // Every other key reads as it did, in the document written and in the one parsed anew.
  for (const KeyValue& other : before) {
    if (IniNamesEqual(other.section, section) && IniNamesEqual(other.key, key)) continue;
    if (doc.ReadString(other.section, other.key) != other.value) __builtin_trap();
    if (reparsed.ReadString(other.section, other.key) != other.value) __builtin_trap();
  }
  return 0;
}

#pragma once
// An INI text held in memory, with the reading rules of the platform's profile functions and
// line-preserving writes.
//
// Lines are split at CR and LF. Blanks around lines, names and values do not count. A line
// starting with "[" and holding a "]" opens a section named by the text between "[" and the
// last "]". Other lines are entries "name=value" (split at the first "="); lines starting with
// ";" are comments, lines without "=" are not listed as keys. Section and key names match
// without regard to the case of ASCII letters.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_scanner.h"

namespace ormind {

struct IniEntry {
  std::string_view name;
  std::string_view value;  // enclosing quotation marks removed
};

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string utf8Text);

  const std::string& Text() const { return text_; }

  // --- profile reads: first section of the name, first key of the name ---
  // Names of the keys listed in the section, in order, repeats included.
  std::vector<std::string_view> KeyNames(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  // Value of the key (quotes removed); nullopt when the key is not listed.
  std::optional<std::string_view> ReadString(std::string_view section,
                                             std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  std::vector<std::string_view> SectionNames() const;

  // --- list reads: every entry of every section of the name, in file order ---
  void ForEachEntry(std::string_view section,
                    const std::function<void(const IniEntry&)>& visit) const;
  std::vector<IniEntry> Entries(std::string_view section) const;

  // Sets the key's value: changes only that key's line, or adds the key at the end of its
  // section, or adds the section at the end of the text.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

 private:
  using LineKind = IniLineKind;
  using Line = IniLine;
  struct SectionRange {
    uint32_t header;     // index of the header line, or npos for lines before any section
    uint32_t firstLine;  // first line after the header
    uint32_t endLine;    // one past the last line of the section
  };
  static constexpr uint32_t kNoLine = UINT32_MAX;

  void Parse();
  std::string_view View(uint32_t begin, uint32_t end) const;
  std::string_view LineName(const Line& line) const;
  std::string_view LineValue(const Line& line) const;
  const SectionRange* FirstSection(std::string_view name) const;
  uint32_t FindKeyLine(const SectionRange& section, std::string_view key,
                       bool includeNoEquals) const;
  std::string_view LineBreak() const;

  std::string text_;
  std::vector<Line> lines_;
  std::vector<SectionRange> sections_;
};

// Profile-style comparison of names: blanks around them do not count, case does not count.
bool IniNamesEqual(std::string_view a, std::string_view b);

}  // namespace ormind

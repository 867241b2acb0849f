#include "core/ini_document.h"

#include <cstring>

#include "core/ini_scanner.h"

namespace ormind {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsIniBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsIniBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names match without regard to the case of ASCII letters, as the profile functions do.
char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool FoldedEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

}  // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) { return FoldedEqual(Trim(a), Trim(b)); }

IniDocument::IniDocument(std::string utf8Text) : text_(std::move(utf8Text)) { Parse(); }

void IniDocument::Parse() {
  lines_.clear();
  sections_.clear();
  sections_.push_back({kNoLine, 0, 0});  // lines before the first section header
  ScanIniLines(text_, [this](const IniLine& line) {
    const auto index = static_cast<uint32_t>(lines_.size());
    if (line.kind == LineKind::Section) {
      sections_.back().endLine = index;
      sections_.push_back({index, index + 1, index + 1});
    }
    lines_.push_back(line);
  });
  sections_.back().endLine = static_cast<uint32_t>(lines_.size());
}

std::string_view IniDocument::View(uint32_t begin, uint32_t end) const {
  return std::string_view(text_).substr(begin, end - begin);
}
std::string_view IniDocument::LineName(const Line& line) const {
  return View(line.nameBegin, line.nameEnd);
}
std::string_view IniDocument::LineValue(const Line& line) const {
  return StripIniQuotes(View(line.valueBegin, line.valueEnd));
}

const IniDocument::SectionRange* IniDocument::FirstSection(std::string_view name) const {
  name = Trim(name);
  for (const SectionRange& section : sections_) {
    const std::string_view own =
        section.header == kNoLine ? std::string_view() : LineName(lines_[section.header]);
    if (FoldedEqual(own, name)) return &section;
  }
  return nullptr;
}

uint32_t IniDocument::FindKeyLine(const SectionRange& section, std::string_view key,
                                  bool includeNoEquals) const {
  key = Trim(key);
  for (uint32_t i = section.firstLine; i < section.endLine; ++i) {
    const Line& line = lines_[i];
    const bool candidate = line.kind == LineKind::Entry || line.kind == LineKind::Comment ||
                           (includeNoEquals && line.kind == LineKind::NoEquals);
    if (candidate && FoldedEqual(LineName(line), key)) return i;
  }
  return kNoLine;
}

std::vector<std::string_view> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  if (const SectionRange* range = FirstSection(section))
    for (uint32_t i = range->firstLine; i < range->endLine; ++i)
      if (lines_[i].kind == LineKind::Entry) names.push_back(LineName(lines_[i]));
  return names;
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
  const SectionRange* range = FirstSection(section);
  return range && FindKeyLine(*range, key, false) != kNoLine;
}

std::optional<std::string_view> IniDocument::ReadString(std::string_view section,
                                                        std::string_view key) const {
  const SectionRange* range = FirstSection(section);
  if (!range) return std::nullopt;
  const uint32_t i = FindKeyLine(*range, key, true);
  // A line without "=" is found by name but has no value: the default is returned.
  if (i == kNoLine || lines_[i].kind == LineKind::NoEquals) return std::nullopt;
  return LineValue(lines_[i]);
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return std::string(ReadString(section, key).value_or(defaultValue));
}

std::vector<std::string_view> IniDocument::SectionNames() const {
  std::vector<std::string_view> names;
  for (const SectionRange& section : sections_)
    if (section.header != kNoLine) names.push_back(LineName(lines_[section.header]));
  return names;
}

void IniDocument::ForEachEntry(std::string_view section,
                               const std::function<void(const IniEntry&)>& visit) const {
  section = Trim(section);
  for (const SectionRange& range : sections_) {
    if (range.header == kNoLine || !FoldedEqual(LineName(lines_[range.header]), section))
      continue;
    for (uint32_t i = range.firstLine; i < range.endLine; ++i)
      if (lines_[i].kind == LineKind::Entry) visit({LineName(lines_[i]), LineValue(lines_[i])});
  }
}

std::vector<IniEntry> IniDocument::Entries(std::string_view section) const {
  std::vector<IniEntry> entries;
  ForEachEntry(section, [&](const IniEntry& entry) { entries.push_back(entry); });
  return entries;
}

std::string_view IniDocument::LineBreak() const {
  const size_t at = text_.find_first_of("\r\n");
  if (at == std::string::npos) return "\r\n";
  if (text_[at] == '\n') return "\n";
  return at + 1 < text_.size() && text_[at + 1] == '\n' ? "\r\n" : "\r";
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  while (!value.empty() && IsIniBlank(value.front())) value.remove_prefix(1);
  const std::string breakText(LineBreak());
  std::string newLine(key);
  newLine.append("=").append(value);

  const SectionRange* range = FirstSection(section);
  if (!range) {
    std::string tail;
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') tail += breakText;
    tail.append("[").append(section).append("]").append(breakText);
    tail.append(newLine).append(breakText);
    text_ += tail;
  } else if (const uint32_t i = FindKeyLine(*range, key, true); i != kNoLine) {
    // Keep the spelling of the name and the spacing up to the value.
    const Line& line = lines_[i];
    if (line.kind != LineKind::NoEquals)
      text_.replace(line.valueBegin, line.end - line.valueBegin, value);
    else
      text_.replace(line.nameEnd, line.end - line.nameEnd, std::string("=").append(value));
  } else {
    // After the last non-blank line of the section, so blank lines before the next
    // section stay where they are.
    uint32_t last = range->header;
    for (uint32_t k = range->firstLine; k < range->endLine; ++k)
      if (lines_[k].kind != LineKind::Blank) last = k;
    if (last == kNoLine)
      text_.insert(0, newLine + breakText);
    else
      text_.insert(lines_[last].end, breakText + newLine);
  }
  Parse();
}

}  // namespace ormind

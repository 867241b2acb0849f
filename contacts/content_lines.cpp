#include "contacts/content_lines.h"

namespace ormind {
namespace {

bool IsFoldBlank(char c) { return c == ' ' || c == '\t'; }

// Offset just past the line break that starts at `end` (CR LF, CR or LF), or `end` at the end.
size_t AfterBreak(std::string_view text, size_t end) {
  if (end >= text.size()) return end;
  if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
  return end + 1;
}

size_t LineEnd(std::string_view text, size_t from) {
  const size_t end = text.find_first_of("\r\n", from);
  return end == std::string_view::npos ? text.size() : end;
}

// Name, parameters and value of one unfolded line; false when it has no ":".
bool ParseLine(std::string_view logical, ContentLine& out) {
  size_t pos = 0;
  const size_t nameEnd = logical.find_first_of(";:");
  if (nameEnd == std::string_view::npos) return false;
  std::string_view name = logical.substr(0, nameEnd);
  if (const size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
  out.name = AsciiUpper(name);
  pos = nameEnd;
  while (pos < logical.size() && logical[pos] == ';') {
    ++pos;
    ContentParameter parameter;
    const size_t start = pos;
    while (pos < logical.size() && logical[pos] != '=' && logical[pos] != ';' && logical[pos] != ':')
      ++pos;
    parameter.name = AsciiUpper(logical.substr(start, pos - start));
    if (pos < logical.size() && logical[pos] == '=') {
      ++pos;
      bool quoted = false;
      while (pos < logical.size() && (quoted || (logical[pos] != ';' && logical[pos] != ':'))) {
        if (logical[pos] == '"')
          quoted = !quoted;
        else
          parameter.value += logical[pos];
        ++pos;
      }
    }
    out.parameters.push_back(std::move(parameter));
  }
  if (pos >= logical.size() || logical[pos] != ':') return false;
  out.value.assign(logical.substr(pos + 1));
  return true;
}

bool EndsSoftBreak(std::string_view piece) { return !piece.empty() && piece.back() == '='; }

}  // namespace

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::string_view ContentLine::Parameter(std::string_view upperName) const {
  for (const ContentParameter& p : parameters)
    if (p.name == upperName) return p.value;
  return {};
}

bool ContentLine::HasParameter(std::string_view upperName) const {
  for (const ContentParameter& p : parameters)
    if (p.name == upperName) return true;
  return false;
}

bool ContentLine::IsQuotedPrintable() const {
  for (const ContentParameter& p : parameters)
    if ((p.name == "ENCODING" && AsciiUpper(p.value) == "QUOTED-PRINTABLE") ||
        (p.name == "QUOTED-PRINTABLE" && p.value.empty()))
      return true;
  return false;
}

std::vector<ContentLine> SplitContentLines(std::string_view text) {
  std::vector<ContentLine> lines;
  uint32_t physical = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const uint32_t first = ++physical;
    size_t end = LineEnd(text, pos);
    std::string logical(text.substr(pos, end - pos));
    pos = AfterBreak(text, end);
    // A quoted-printable value is known only once the line's parameters are read, so the
    // parameters are looked at from the first piece on (they never fold before the ":").
    ContentLine probe;
    const bool quotedPrintable = ParseLine(logical, probe) && probe.IsQuotedPrintable();
    while (pos < text.size()) {
      if (IsFoldBlank(text[pos])) {
        end = LineEnd(text, pos);
        logical.append(text.substr(pos + 1, end - pos - 1));
      } else if (quotedPrintable && EndsSoftBreak(logical)) {
        end = LineEnd(text, pos);
        logical.pop_back();
        logical.append(text.substr(pos, end - pos));
      } else {
        break;
      }
      ++physical;
      pos = AfterBreak(text, end);
    }
    ContentLine line;
    line.line = first;
    if (ParseLine(logical, line)) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace ormind

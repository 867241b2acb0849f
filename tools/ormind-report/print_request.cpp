// The portable half of `ormind-report print`: its arguments and the job name.
#include <charconv>
#include <cstdint>
#include <filesystem>

#include "tools/ormind-report/print_command.h"

namespace ormind {
namespace {

bool ReadNumber(std::string_view text, int32_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 1;
}

bool ReadRange(const std::string& text, int32_t& first, int32_t& last) {
  const size_t dash = text.find('-');
  if (dash == std::string::npos) return false;
  return ReadNumber(std::string_view(text).substr(0, dash), first) &&
         ReadNumber(std::string_view(text).substr(dash + 1), last) && first <= last;
}

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

// The description of an EMF header: UTF-16 strings separated by zeros; empty when absent or
// out of the header's bounds.
std::vector<std::u16string> EmfDescription(const std::vector<uint8_t>& emf) {
  constexpr size_t kCountAt = 60, kOffsetAt = 64;
  std::vector<std::u16string> parts;
  if (emf.size() < kOffsetAt + 4) return parts;
  const uint64_t count = ReadU32(emf, kCountAt), offset = ReadU32(emf, kOffsetAt);
  if (count == 0 || offset + count * 2 > emf.size()) return parts;
  std::u16string current;
  for (uint64_t i = 0; i < count; ++i) {
    const char16_t c = char16_t(emf[offset + 2 * i] | emf[offset + 2 * i + 1] << 8);
    if (c != 0) {
      current += c;
    } else {
      parts.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

}  // namespace

bool ParsePrintRequest(const std::vector<std::string>& args, TPrintRequest& request) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--printer" && hasValue) {
      request.Printer = args[++i];
      if (request.Printer.empty()) return false;
    } else if (arg == "--pages" && hasValue) {
      if (!ReadRange(args[++i], request.FirstPage, request.LastPage)) return false;
    } else if (arg == "--copies" && hasValue) {
      if (!ReadNumber(args[++i], request.Copies)) return false;
    } else if (arg.rfind("--", 0) == 0 || !request.File.empty()) {
      return false;
    } else {
      request.File = arg;
    }
  }
  return !request.File.empty();
}

std::string SavedReportTitle(const std::vector<uint8_t>& firstPage, const std::string& path) {
  const std::vector<std::u16string> parts = EmfDescription(firstPage);
  if (parts.size() >= 2 && parts[0] == u"Ormind" && !parts[1].empty()) {
    const std::u8string title = std::filesystem::path(parts[1]).u8string();
    return std::string(title.begin(), title.end());
  }
  const std::u8string stem =
      std::filesystem::path(std::u8string(path.begin(), path.end())).stem().u8string();
  return std::string(stem.begin(), stem.end());
}

}  // namespace ormind

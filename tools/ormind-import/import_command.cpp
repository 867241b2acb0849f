#include "import_command.h"

#include "contacts/contact_file.h"
#include "contacts/event_list_merge.h"

namespace ormind {
namespace {

struct Imported {
  std::vector<ImportedEntry> entries;
  size_t skipped = 0;
};

// The whole file, or nullopt with a message when it is missing, unreadable or too large.
std::optional<std::string> ReadBounded(const FileSystem& files, const std::string& path,
                                       size_t limit, std::string& err) {
  if (!files.IsRegularFile(path)) {
    err += path + ": not found\n";
    return std::nullopt;
  }
  std::string bytes;
  bool tooLarge = false;
  const bool read = files.ReadPieces(path, [&](std::string_view piece) {
    if (tooLarge || bytes.size() + piece.size() > limit) {
      tooLarge = true;
      bytes.clear();
      return;
    }
    bytes.append(piece);
  });
  if (!read) {
    err += path + ": cannot be read\n";
    return std::nullopt;
  }
  if (tooLarge) {
    err += path + ": larger than " + std::to_string(limit >> 20) + " MB, refused\n";
    return std::nullopt;
  }
  return bytes;
}

Imported ReadFiles(const std::vector<std::string>& paths, int codePage, const FileSystem& files,
                   std::string& err) {
  Imported imported;
  for (const std::string& path : paths) {
    const std::optional<std::string> bytes =
        ReadBounded(files, path, kMaxContactFileBytes, err);
    if (!bytes) {
      ++imported.skipped;
      continue;
    }
    ImportResult result = ReadContactFile(*bytes, codePage);
    for (const ImportNote& note : result.notes) {
      err += path + (note.line ? ":" + std::to_string(note.line) : "") + ": " + note.text + "\n";
      imported.skipped += note.skipped;
    }
    for (ImportedEntry& entry : result.entries) imported.entries.push_back(std::move(entry));
  }
  return imported;
}

std::string SectionLines(const std::vector<ImportedEntry>& entries) {
  std::string out;
  for (EventSection section : {EventSection::Birthday, EventSection::Events}) {
    std::string lines;
    for (const ImportedEntry& entry : entries)
      if (entry.section == section) lines += FormatEventLine(entry) + "\n";
    if (!lines.empty()) out += "[" + std::string(SectionName(section)) + "]\n" + lines;
  }
  return out;
}

std::string EncodingName(TextEncoding encoding, int codePage) {
  switch (encoding) {
    case TextEncoding::Ansi: return "code page " + std::to_string(codePage);
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf8Bom: return "UTF-8 with a byte-order mark";
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: return "UTF-16";
  }
  return "";
}

// Adds the entries to the list; false (with a message) when the list was left as it was.
bool AddToList(const std::string& path, const Imported& imported, int codePage,
               FileSystem& files, ImportOutput& output) {
  const bool exists = files.IsRegularFile(path);
  std::string existing;
  if (exists) {
    // The list is read whole to be rewritten; one as large as a contacts file may be is enough.
    const std::optional<std::string> bytes =
        ReadBounded(files, path, kMaxContactFileBytes, output.err);
    if (!bytes) return false;
    existing = *bytes;
  }
  const std::optional<EventListMerge> merge =
      MergeIntoEventList(existing, imported.entries, codePage);
  if (!merge) {
    output.err += path + ": its text does not match its encoding, so it cannot be kept as it "
                         "is; nothing was changed\n";
    return false;
  }
  if (!merge->added.empty()) {
    try {
      files.ReplaceAll(path, merge->bytes);
    } catch (const IniWriteError& error) {
      output.err += std::string(error.what()) + "; nothing was changed\n";
      return false;
    }
  }
  for (const ImportedEntry& entry : merge->otherDate)
    output.out += "added beside the same name with another date: " + FormatEventLine(entry) + "\n";
  if (!exists && !merge->added.empty())
    output.out += path + " created (" + EncodingName(merge->encodingAfter, codePage) + ")\n";
  else if (merge->encodingAfter != merge->encodingBefore)
    output.out += path + " is now " + EncodingName(merge->encodingAfter, codePage) +
                  ": not every new name fits " + EncodingName(merge->encodingBefore, codePage) +
                  "\n";
  output.out += std::to_string(merge->added.size()) + " added, " +
                std::to_string(merge->alreadyThere) + " already there, " +
                std::to_string(imported.skipped) + " skipped\n";
  return true;
}

}  // namespace

const char kImportCommandUsage[] =
    "usage: ormind-import FILE...                 (prints the entries found)\n"
    "       ormind-import FILE... --into EVENTS   (adds those the list does not have)";

std::optional<ImportOptions> ParseImportCommand(const std::vector<std::string>& args) {
  ImportOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--into") {
      if (options.into || i + 1 >= args.size() || args[i + 1].empty()) return std::nullopt;
      options.into = args[++i];
    } else if (args[i].starts_with("--") || args[i].empty()) {
      return std::nullopt;
    } else {
      options.files.push_back(args[i]);
    }
  }
  if (options.files.empty()) return std::nullopt;
  return options;
}

ImportOutput RunImportCommand(const ImportOptions& options, const Environment& env,
                              FileSystem& files) {
  ImportOutput output;
  const int codePage = env.AnsiCodePage();
  const Imported imported = ReadFiles(options.files, codePage, files, output.err);
  if (imported.entries.empty()) {
    output.err += "no birthdays or anniversaries found\n";
    output.status = 1;
    return output;
  }
  if (!options.into) {
    output.out = SectionLines(imported.entries);
    return output;
  }
  if (!AddToList(*options.into, imported, codePage, files, output)) output.status = 1;
  return output;
}

}  // namespace ormind

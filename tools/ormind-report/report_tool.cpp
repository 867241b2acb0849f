#include "tools/ormind-report/report_tool.h"

#include <charconv>
#include <cstdio>
#include <memory>

#include "report/pages/error.h"
#include "report/pages/file.h"
#include "report/pages/local_time.h"
#include "report/pages/page_list.h"
#include "report/pages/report_file.h"
#include "tools/ormind-report/print_command.h"

namespace ormind {
namespace {

constexpr int32_t kToolPixelsPerInch = 96;

const char kUsage[] =
    "usage: ormind-report info FILE\n"
    "       ormind-report extract FILE N OUT.emf\n"
    "       ormind-report pack OUT.orp [--compress] PAGE.emf...\n"
#ifdef _WIN32
    "       ormind-report print FILE [--printer NAME] [--pages FROM-TO] [--copies N]\n"
#endif
    ;

struct UsageError {};

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  TRptFile file(path, TRptFile::Mode::ReadOnly);
  const int64_t size = file.Size();
  if (size > (int64_t(1) << 31)) throw ERptError("File \"" + path + "\" is too large");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), bytes.size()) != bytes.size())
    throw ERptError("Cannot read file \"" + path + "\"");
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  TRptFile file(path, TRptFile::Mode::Create);
  if (file.Write(bytes.data(), bytes.size()) != bytes.size())
    throw ERptError("Cannot write file \"" + path + "\"");
  file.Close();
}

std::string PaperText(const std::vector<TRptPaperMatch>& matches) {
  if (matches.empty()) return "no match (the printer keeps its paper size and orientation)";
  const TRptPaperMatch& last = matches.back();
  return std::string(PaperInfo(last.Size).Name) +
         (last.Orientation == TRptOrientation::Portrait ? ", portrait" : ", landscape");
}

int Info(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 2) throw UsageError();
  TRptPageList list;
  list.SetStream(TRptStream::OpenExisting(args[1]));
  const TRptSavedHeader header = list.LoadHeader();
  out << "Header size: " << list.HeaderSize() << " bytes\n"
      << "LayoutVersion: " << header.LayoutVersion << "\n"
      << "WriterVersion: " << header.WriterVersion << "\n"
      << "PageTotal: " << header.PageTotal << "\n"
      << "WrittenAt: " << FormatDayTime(header.WrittenAt) << "\n"
      << "PackedPages: " << int(header.PackedPages) << "\n";
  std::vector<TRptPaperMatch> paper;
  for (const TRptPageRecord& record : list.Records()) {
    const auto page = list.ReadPage(record.PageNumber);
    out << "Page " << record.PageNumber << ": offset " << record.Offset << ", length "
        << record.Length << ", picture " << page->FrameWidth() << " x " << page->FrameHeight()
        << " (0.01 mm), " << page->WidthInPixels(kToolPixelsPerInch) << " x "
        << page->HeightInPixels(kToolPixelsPerInch) << " pixels at 96 dpi\n";
    if (record.PageNumber == 1) paper = PaperForPage(*page, kToolPixelsPerInch);
  }
  out << "Paper: " << (header.PageTotal > 0 ? PaperText(paper) : "none (no pages)") << "\n";
  return 0;
}

int Extract(const std::vector<std::string>& args) {
  if (args.size() != 4) throw UsageError();
  int32_t n = 0;
  const std::string& text = args[2];
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size()) throw UsageError();
  TRptPageList list;
  list.OpenFile(args[1]);
  const auto page = list.ReadPage(n);
  if (!page)
    throw ERptError("Page " + text + " is not in \"" + args[1] + "\", which has " +
                    std::to_string(list.Count()) + " page(s)");
  WriteWholeFile(args[3], page->Bytes());
  return 0;
}

int Pack(const std::vector<std::string>& args) {
  size_t at = 2;
  bool compress = false;
  if (args.size() > at && args[at] == "--compress") {
    compress = true;
    ++at;
  }
  if (args.size() < 2 || at >= args.size()) throw UsageError();
  // Exactly as the page printer records pages: a resident stream that may spill.
  TRptPageList list;
  list.SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
  list.SetCompressed(compress);
  for (; at < args.size(); ++at) {
    try {
      list.AppendPage(TRptEmfImage(ReadWholeFile(args[at])));
    } catch (const ERptError& e) {
      const std::string what = e.what();
      const std::string opening = "Not a valid report file: ";
      if (what.rfind(opening, 0) != 0) throw;
      throw ERptError("Not an enhanced metafile: \"" + args[at] + "\": " +
                      what.substr(opening.size()));
    }
  }
  list.Complete();
  list.WriteToFile(args[1]);
  return 0;
}

#ifdef _WIN32
int Print(const std::vector<std::string>& args, std::ostream& err) {
  TPrintRequest request;
  if (!ParsePrintRequest(std::vector<std::string>(args.begin() + 1, args.end()), request)) {
    throw UsageError();
  }
  PrintSavedReport(request, err);
  return 0;
}
#endif

}  // namespace

int RunReportTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.empty()) throw UsageError();
    if (args[0] == "info") return Info(args, out);
    if (args[0] == "extract") return Extract(args);
    if (args[0] == "pack") return Pack(args);
#ifdef _WIN32
    if (args[0] == "print") return Print(args, err);
#endif
    throw UsageError();
  } catch (const UsageError&) {
    err << kUsage;
    return 2;
  } catch (const std::exception& e) {
    err << "ormind-report: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace ormind

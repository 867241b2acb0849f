#include "report/pages/paper.h"

#include <cmath>

namespace ormind {
namespace {

constexpr TRptPaperInfo kPapers[] = {
    {"Default", 0, 0, 0},           {"Letter", 1, 215.9, 279.4},
    {"LetterSmall", 2, 215.9, 279.4}, {"Tabloid", 3, 279.4, 431.8},
    {"Ledger", 4, 431.8, 279.4},    {"Legal", 5, 215.9, 355.6},
    {"Statement", 6, 139.7, 215.9}, {"Executive", 7, 190.5, 254},
    {"A3", 8, 297, 420},            {"A4", 9, 210, 297},
    {"A4Small", 10, 210, 297},      {"A5", 11, 148, 210},
    {"B4", 12, 250, 354},           {"B5", 13, 182, 257},
    {"Folio", 14, 215.9, 330.2},    {"Quarto", 15, 215, 275},
    {"rp10X14", 16, 254, 355.6},    {"rp11X17", 17, 279.4, 431.8},
    {"Note", 18, 215.9, 279},       {"Env9", 19, 98.43, 225.4},
    {"Env10", 20, 104.8, 241.3},    {"Env11", 21, 114.3, 263.5},
    {"Env12", 22, 101.6, 279.4},    {"Env14", 23, 127, 292.1},
    {"CSheet", 24, 100, 100},       {"DSheet", 25, 100, 100},
    {"ESheet", 26, 100, 100},       {"Custom", 256, 0, 0},
};

}  // namespace

const TRptPaperInfo& PaperInfo(TRptPaperSize size) { return kPapers[static_cast<int>(size)]; }

std::vector<TRptPaperMatch> MatchPaperSizes(double widthMm10, double heightMm10) {
  const long long w = static_cast<long long>(widthMm10 / 40);
  const long long h = static_cast<long long>(heightMm10 / 40);
  std::vector<TRptPaperMatch> matches;
  for (int i = static_cast<int>(TRptPaperSize::Letter); i <= static_cast<int>(TRptPaperSize::ESheet);
       ++i) {
    const long long W = static_cast<long long>(kPapers[i].Width / 4);
    const long long H = static_cast<long long>(kPapers[i].Height / 4);
    const auto size = static_cast<TRptPaperSize>(i);
    if (w == W && h == H) matches.push_back({size, TRptOrientation::Portrait});
    if (h == W && w == H) matches.push_back({size, TRptOrientation::Landscape});
  }
  return matches;
}

}  // namespace ormind

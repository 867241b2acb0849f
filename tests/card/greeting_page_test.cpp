// The greeting card's page: its geometry at two screen resolutions, and what a run prints.
#include <gtest/gtest.h>

#include "card/greeting_page.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

using testing::DrawnText;
using testing::FakeGraphic;
using testing::FakePageTarget;
using testing::RecordingCanvas;

struct Card {
  explicit Card(int32_t ppi = 96) : reference(ppi), target(ppi) {}
  RecordingCanvas reference;
  TRptPictureFormats formats;
  TReport1 report{reference, TRptEngineSettings{}, formats,
                  [] { return std::make_unique<FakeGraphic>(1654, 2339); }};
  FakePageTarget target;

  std::vector<DrawnText> Drawn(TRptTextAlign align) const {
    std::vector<DrawnText> drawn;
    for (const DrawnText& t : target.canvas.texts) {
      if (t.Align == align) drawn.push_back(t);
    }
    return drawn;
  }
};

TEST(GreetingPage, GeometryFollowsTheScreenResolution) {
  const struct {
    int32_t ppi, reportW, reportH, bandW, bandH, pictureW, pictureH, font1, font2, font3;
  } cases[] = {{96, 794, 1123, 794, 1121, 793, 1121, 32, 27, 24},
               {120, 992, 1403, 992, 1401, 991, 1401, 40, 33, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ppi);
    Card card(c.ppi);
    TReport1& r = card.report;
    EXPECT_EQ(r.PixelWidth(), c.reportW);
    EXPECT_EQ(r.PixelHeight(), c.reportH);
    EXPECT_EQ(r.TitleBand1.Bounds().Width, c.bandW);
    EXPECT_EQ(r.TitleBand1.Bounds().Height, c.bandH);
    EXPECT_EQ(-r.RptLabel1.Font().Height, c.font1);
    EXPECT_EQ(-r.RptMemo1.Font().Height, c.font2);
    EXPECT_EQ(-r.RptLabel2.Font().Height, c.font3);
    // The memo is neither sized nor aligned: it stays where it was stored, in millimetres.
    EXPECT_EQ(r.RptMemo1.Size().Values(),
              (std::vector<long double>{1060.9791666666667L, 444.5L, 973.6666666666669L, 1293.8125L}));
    r.GeneratePages(card.target);
    ASSERT_EQ(card.target.canvas.graphics.size(), 1u);
    EXPECT_EQ(card.target.canvas.graphics[0], (TRptRect{0, 0, c.pictureW, c.pictureH}));
  }
  EXPECT_NEAR(double(Card().report.TitleBand1.Size().Values()[1]), 2100.791666666667, 1e-9);
}

TEST(GreetingPage, EveryRunMakesExactlyOnePageWhateverTheGreeting) {
  const std::string word60(60, 'w');
  const struct {
    const char* name;
    std::vector<std::string> lines;
    size_t memoLinesDrawn;
  } cases[] = {
      {"no greeting", {}, 0},
      {"one line", {"Happy birthday!"}, 1},
      {"a 60-character word, every character printed", {word60}, 2},
      {"far more lines than fit", std::vector<std::string>(300, "line"), 14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Card card;
    card.report.RptLabel1.SetCaption("Dear Anna");
    card.report.RptMemo1.SetLines(c.lines);
    card.report.RptLabel2.SetCaption("Paul");
    card.report.GeneratePages(card.target);
    card.report.GeneratePages(card.target);  // a second run prints the same again
    EXPECT_EQ(card.target.pages, 2);
    const auto memo = card.Drawn(TRptTextAlign::Left);
    ASSERT_EQ(memo.size(), 2 * c.memoLinesDrawn);
    std::string printed;
    for (size_t i = 0; i < c.memoLinesDrawn; ++i) {
      EXPECT_EQ(memo[i].Text, card.report.RptMemo1.FormattedLines()[i]);
      printed += memo[i].Text;
    }
    if (c.lines.size() == 1) {
      EXPECT_EQ(printed, c.lines[0]);
    }
  }
}

TEST(GreetingPage, LabelsAreCentredOnTheBandAndBlankMemoLinesKeepTheirSpace) {
  Card card;
  card.report.RptLabel1.SetCaption("Dear Anna");  // 9 characters: 91 pixels
  card.report.RptMemo1.SetLines({"a", "", "b"});
  EXPECT_EQ(card.report.RptLabel1.Bounds().Width, 91);
  EXPECT_EQ(card.report.RptLabel1.Bounds().Left, (794 - 91) / 2);
  card.report.GeneratePages(card.target);
  const auto centred = card.Drawn(TRptTextAlign::Center);
  ASSERT_EQ(centred.size(), 2u);  // salutation and placeholder signature
  for (const DrawnText& t : centred) EXPECT_NEAR(t.X, 397, 1) << t.Text;
  const auto memo = card.Drawn(TRptTextAlign::Left);
  ASSERT_EQ(memo.size(), 2u);
  EXPECT_NEAR(memo[1].Y - memo[0].Y, 2 * 27, 1);

  card.report.PrintIfEmpty = false;
  FakePageTarget none;
  card.report.GeneratePages(none);
  EXPECT_EQ(none.pages, 0);
}

}  // namespace
}  // namespace ormind

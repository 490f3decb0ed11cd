#include "platform/print_surface.h"

#include <gtest/gtest.h>

#include "support/recording_print.h"

using namespace plat;

TEST(PrintAt, PrintsAtThePositionThenMovesToTheNextLine) {
  RecordingSurface p;
  p.setFontName("Sans");
  p.setFontSize(10);
  p.setFontBold(true);
  p.setCurrentX(5000);
  PrintAt(p, 1440, 720, "Total");
  ASSERT_EQ(p.ops.size(), 1u);
  const auto& op = p.ops[0];
  EXPECT_EQ(op.kind, RecordingSurface::Op::Text);
  EXPECT_EQ(op.x, 1440);
  EXPECT_EQ(op.y, 720);
  EXPECT_EQ(op.text, "Total");
  EXPECT_EQ(op.font, "Sans");
  EXPECT_EQ(op.size, 10);
  EXPECT_TRUE(op.bold);
  EXPECT_EQ(p.CurrentX(), 0);
  EXPECT_GT(p.TextHeight("X"), 0);
  EXPECT_DOUBLE_EQ(p.CurrentY(), 720 + p.TextHeight("X"));

  // The next PrintAt sets both coordinates again; neither starts nor ends a page.
  PrintAt(p, 300, 100, "");
  EXPECT_EQ(p.ops.size(), 2u);
  EXPECT_EQ(p.ops[1].x, 300);
  EXPECT_EQ(p.ops[1].y, 100);
  EXPECT_EQ(p.pages(), 1);
  EXPECT_EQ(p.texts(), (QStringList{"Total", ""}));
  EXPECT_EQ(p.find("Total"), &p.ops[0]);
  EXPECT_EQ(p.find("none"), nullptr);
}

TEST(PrintAt, MeasuresInTheCurrentFont) {
  RecordingSurface p;
  p.setFontName("Sans");
  p.setFontSize(8);
  const double small = p.TextWidth("1,234.00");
  EXPECT_GT(small, 0);
  EXPECT_GT(p.TextWidth("1,234,567.00"), small);
  p.setFontSize(16);
  EXPECT_GT(p.TextWidth("1,234.00"), small * 1.5);
  // A right-aligned amount ends at the column edge.
  const QString amount = "99.50";
  PrintAt(p, 9000 - p.TextWidth(amount), 0, amount);
  EXPECT_DOUBLE_EQ(p.ops[0].x + p.TextWidth(amount), 9000);
}

TEST(PrintAt, PagesLinesAndTheEnd) {
  RecordingSurface p(10000, 15000);
  EXPECT_EQ(p.ScaleWidth(), 10000);
  EXPECT_EQ(p.ScaleHeight(), 15000);
  PrintAt(p, 100, 14000, "last line");
  p.Line(0, 14500, 10000, 14500);
  p.NewPage();
  EXPECT_EQ(p.CurrentY(), 0);
  PrintAt(p, 100, 100, "page 2");
  p.EndDoc();
  EXPECT_EQ(p.pages(), 2);
  ASSERT_EQ(p.ops.size(), 5u);
  EXPECT_EQ(p.ops[1].kind, RecordingSurface::Op::Line);
  EXPECT_EQ(p.ops[1].x2, 10000);
  EXPECT_EQ(p.ops.back().kind, RecordingSurface::Op::EndDoc);
}

// The recording canvas that the drawing tests rely on: its metrics and the areas it reports.
#include <gtest/gtest.h>

#include "portable/recording_canvas.h"
#include "core/draw/draw_test_support.h"

namespace senvola {
namespace {

using draw_test::SameRect;

TEST(RecordingCanvasTest, TextMetrics) {
    EXPECT_EQ(RecordingCanvas::TextHeight(10), 13);  // 13.33
    EXPECT_EQ(RecordingCanvas::TextHeight(11), 15);  // 14.67
    EXPECT_EQ(RecordingCanvas::TextHeight(15), 20);
    EXPECT_EQ(RecordingCanvas::TextHeight(1), 1);
    EXPECT_EQ(RecordingCanvas::TextHeight(0), 1);
    EXPECT_EQ(RecordingCanvas::CharWidth(10, false), 7);
    EXPECT_EQ(RecordingCanvas::CharWidth(10, true), 8);
    EXPECT_EQ(RecordingCanvas::CharWidth(1, false), 1);
    RecordingCanvas c;
    c.SetFont("Arial", 12, 0xFFFFFF, false);
    const Size ab = c.TextExtent("ab"), abc = c.TextExtent("abc");
    EXPECT_EQ(ab.cy, 16);
    EXPECT_EQ(abc.cx - ab.cx, c.TextExtent("c").cx);  // widths add up
    EXPECT_EQ(c.TextExtent("").cx, 0);
    EXPECT_EQ(c.MeasureCount(), 4u);
}

TEST(RecordingCanvasTest, RecordsCallsWithTheStateInForce) {
    RecordingCanvas c;
    c.SetPen(0x123456, true);
    c.SetBrush(0xABCDEF, false);
    c.SetFont("Arial", 10, 0xFFFFFF, true);
    c.Ellipse(1, 2, 3, 4);
    c.DrawString(10, 20, "hi");
    ASSERT_EQ(c.Ops().size(), 5u);
    const CanvasOp& e = c.Ops()[3];
    EXPECT_EQ(e.kind, CanvasOpKind::Ellipse);
    EXPECT_EQ(e.pen.colour, 0x123456u);
    EXPECT_FALSE(e.brush.solid);
    EXPECT_TRUE(e.font.bold);
    const CanvasOp& t = c.Ops()[4];
    EXPECT_EQ(t.text, "hi");
    EXPECT_TRUE(SameRect(t.rect, {10, 20, 10 + 2 * 8, 20 + 13}));
    EXPECT_EQ(c.DrawingCount(), 2u);

    c.Clear();
    c.SetRecording(false);
    c.FillRect(0, 0, 5, 5);
    EXPECT_TRUE(c.Ops().empty());
    EXPECT_EQ(c.CallCount(), 1u);
    EXPECT_EQ(c.Pen().colour, 0x123456u);  // the state survives Clear
}

TEST(RecordingCanvasTest, PaintedAreaFollowsTheSurfaceRules) {
    auto area = [](CanvasOpKind kind, Rect r) {
        CanvasOp op;
        op.kind = kind;
        op.rect = r;
        return PaintedArea(op);
    };
    // A line leaves out its end point, in either direction.
    EXPECT_TRUE(SameRect(area(CanvasOpKind::Line, {5, 7, 9, 7}), {5, 7, 9, 8}));
    EXPECT_TRUE(SameRect(area(CanvasOpKind::Line, {9, 7, 5, 7}), {6, 7, 10, 8}));
    EXPECT_TRUE(SameRect(area(CanvasOpKind::Line, {3, 10, 3, 4}), {3, 5, 4, 11}));
    const Rect none = area(CanvasOpKind::Line, {3, 3, 3, 3});
    EXPECT_TRUE(none.x1 == none.x2);
    // Rectangles cover x1..x2-1; a fill given backwards paints nothing.
    EXPECT_TRUE(SameRect(area(CanvasOpKind::FillRect, {1, 2, 5, 6}), {1, 2, 5, 6}));
    const Rect backwards = area(CanvasOpKind::FillRect, {5, 6, 1, 2});
    EXPECT_TRUE(backwards.x1 == backwards.x2);
    EXPECT_TRUE(SameRect(area(CanvasOpKind::Rectangle, {5, 6, 1, 2}), {1, 2, 5, 6}));
    EXPECT_TRUE(IsDrawing(CanvasOpKind::CopySelf));
    EXPECT_FALSE(IsDrawing(CanvasOpKind::SetFont));
}

}  // namespace
}  // namespace senvola

#include "scale/render/scale_preview.h"

#include "scale/scale_codes.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Text needs a QGuiApplication. It must be gone before static destructors
// run, hence an environment rather than a static.
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[8] = "qv-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

::testing::Environment* const kGuiApplication = ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kGreen = qRgb(0, 128, 0);

class ScalePreview : public ::testing::Test {
protected:
    void line(size_t number, double value, uint8_t kind, const char* text = "")
    {
        qv::StoreReal48(value, record.lines.at(number - 1).value);
        record.lines.at(number - 1).kind = kind;
        record.lines.at(number - 1).text.assign(text);
    }

    qv::DrawScaleResult draw()
    {
        std::string error;
        return qv::DrawScale(record, false, "18.0", image, markers, table, error);
    }

    QRgb at(int x, int y) const { return image.pixel(x, y); }

    // Whether any pixel of the rectangle has the colour; text is smoothed,
    // so for yellow any shade of it counts.
    bool any(int x0, int y0, int x1, int y1, QRgb colour) const
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const QRgb p = image.pixel(x, y);
                if (colour == kYellow ? qRed(p) > 96 && qRed(p) == qGreen(p) && qBlue(p) == 0 : p == colour)
                    return true;
            }
        return false;
    }

    qv::ScaleRecord record = [] {
        qv::ScaleRecord r;
        qv::StoreReal48(18.0, r.reference);
        return r;
    }();
    QImage image = qv::NewScalePreview();
    qv::PreviewMarkers markers;
    qv::ScaleTable table{};
};

TEST_F(ScalePreview, EmptyScaleShowsOnlyTheChannelLetters)
{
    image.fill(Qt::blue);
    ASSERT_EQ(draw(), qv::DrawScaleResult::Drawn);
    EXPECT_EQ(image.size(), QSize(112, 465));
    EXPECT_TRUE(any(43, 4, 49, 12, kYellow));  // "L"
    EXPECT_TRUE(any(67, 16, 73, 24, kYellow)); // "R"
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(x, y) != kBlack && !((x >= 42 && x < 52 && y >= 3 && y < 14) || (x >= 66 && x < 76 && y >= 15 && y < 26)))
                ++lit;
    EXPECT_EQ(lit, 0);
}

TEST_F(ScalePreview, OneLevelKeepsThePreviousPicture)
{
    image.fill(Qt::blue);
    markers.overloadY = 77;
    line(4, -6.0, qv::KindSolidWhite);
    line(9, -6.0, qv::KindOverload);
    EXPECT_EQ(draw(), qv::DrawScaleResult::NotRedrawn);
    EXPECT_EQ(at(60, 200), qRgb(0, 0, 255));
    EXPECT_EQ(markers.overloadY, 77);
}

TEST_F(ScalePreview, LinesMarkersAndLabelsWhereTheTableSays)
{
    record.dynamics = 4; // the 60 dB law
    line(1, 0.0, qv::KindSolidRed, "0");
    line(2, -10.0, qv::KindSolidWhite, "-10");
    line(3, -20.0, qv::KindDashedWhite);
    line(4, -30.0, qv::KindSolidYellow);
    line(5, -60.0, qv::KindSolidWhite, "-60");
    line(6, -1.0, qv::KindOverload);
    line(7, -50.0, qv::KindUnderLoad);
    ASSERT_EQ(draw(), qv::DrawScaleResult::Drawn);

    const int top = qv::PreviewY(table, table[qv::kWordHighest]);
    const int y10 = qv::PreviewY(table, qv::LineAmplitude(32767, -10.0));
    const int y20 = qv::PreviewY(table, qv::LineAmplitude(32767, -20.0));
    const int y30 = qv::PreviewY(table, qv::LineAmplitude(32767, -30.0));
    const int y60 = qv::PreviewY(table, table[qv::kWordLowest]);
    EXPECT_EQ(top, 30);
    EXPECT_EQ(y60, 429);

    // Horizontal lines from x 35 to 89 in their colours.
    for (auto [y, colour] : {std::pair{top, kRed}, {y10, kWhite}, {y30, kYellow}, {y60, kWhite}}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(at(35, y), colour);
        EXPECT_EQ(at(89, y), colour);
        EXPECT_EQ(at(34, y), kBlack);
        EXPECT_EQ(at(90, y), kBlack);
    }
    int dots = 0;
    int gaps = 0;
    for (int x = 35; x <= 89; ++x)
        (at(x, y20) == kWhite ? dots : gaps) += 1;
    EXPECT_GT(dots, 10);
    EXPECT_GT(gaps, 10);

    // Markers at x 95: overload red from the top down to it, underload green from it to the bottom.
    const int over = qv::PreviewY(table, qv::LineAmplitude(32767, -1.0));
    const int under = qv::PreviewY(table, qv::LineAmplitude(32767, -50.0));
    EXPECT_EQ(markers.overloadY, over);
    EXPECT_EQ(markers.underloadY, under);
    EXPECT_EQ(at(95, (top + over) / 2), kRed);
    EXPECT_EQ(at(95, (under + y60) / 2), kGreen);
    EXPECT_EQ(at(95, (over + under) / 2), kBlack);
    EXPECT_EQ(at(98, (under + y60) / 2), kBlack);

    // Labels right-aligned to x 32, their top 6 pixels above the line.
    for (int y : {top, y10, y60}) {
        SCOPED_TRACE(y);
        EXPECT_TRUE(any(24, y - 6, 32, y + 2, kYellow));
        EXPECT_FALSE(any(33, y - 8, 34, y + 4, kYellow));
    }
    EXPECT_FALSE(any(0, y30 - 6, 32, y30 + 2, kYellow)); // unlabelled
}

TEST_F(ScalePreview, ANewPictureForgetsTheOldMarkers)
{
    line(1, 0.0, qv::KindSolidWhite);
    line(2, -20.0, qv::KindOverload);
    line(3, -40.0, qv::KindUnderLoad);
    ASSERT_EQ(draw(), qv::DrawScaleResult::Drawn);
    EXPECT_TRUE(markers.overloadY && markers.underloadY);

    record.lines[1].kind = qv::KindNone;
    record.lines[2].kind = qv::KindSolidWhite;
    ASSERT_EQ(draw(), qv::DrawScaleResult::Drawn);
    EXPECT_FALSE(markers.overloadY || markers.underloadY);
}

TEST_F(ScalePreview, RefusedScaleKeepsThePicture)
{
    image.fill(Qt::blue);
    line(1, 0.0, qv::KindSolidWhite);
    std::string error;
    EXPECT_EQ(qv::DrawScale(record, false, "x", image, markers, table, error), qv::DrawScaleResult::Failed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(at(0, 0), qRgb(0, 0, 255));
}

} // namespace

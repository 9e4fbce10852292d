// Sharing of font records between drawers, reference and lock counting, and the errors of the
// font layers.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "editor/qt/font_stock.h"
#include "editor/qt/fonts_info_manager.h"
#include "editor/qt/text_drawer.h"
#include "editor/qt/text_drawer_errors.h"

namespace {

TSynFont Font(const char* name, int height, std::uint8_t style = 0) {
    TSynFont f;
    f.Name = name;
    f.Height = height;
    f.Style = style;
    return f;
}

TEST(SynFont, PointSizeAndDescription) {
    TSynFont f;
    f.SetSize(10);
    EXPECT_EQ(f.Height, -13);
    EXPECT_EQ(f.Size(), 10);
    f.Name = std::string(40, 'x');
    f.Style = TSynFont::fsBold | TSynFont::fsItalic;
    const TLogFont lf = NormalisedLogFont(f);
    EXPECT_EQ(std::string(lf.lfFaceName), std::string(31, 'x'));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 0);
    const QFont q = QFontOfLogFont(LogFontOf(Font("Courier New", -13, TSynFont::fsItalic)));
    EXPECT_EQ(q.family(), "Courier New");
    EXPECT_EQ(q.pixelSize(), 13);
    EXPECT_TRUE(q.italic());

    QFont courier10("Courier New");
    courier10.setPointSize(10);
    courier10.setBold(true);
    const TSynFont back = SynFontOfQFont(courier10);
    EXPECT_EQ(back.Name, "Courier New");
    EXPECT_EQ(back.Height, -13);
    EXPECT_EQ(back.Style, TSynFont::fsBold);
}

TEST(FontsInfo, EqualFontsShareOneRecordAndChangingOneLeavesTheOther) {
    const int before = GetFontsInfoManager().Count();
    const TSynFont courier = Font("Courier New", -13);
    // Italic and underline are not part of the shared description; the weight is.
    const TSynFont courierItalic =
        Font("Courier New", -13, TSynFont::fsItalic | TSynFont::fsUnderline);
    const TSynFont courierBold = Font("Courier New", -13, TSynFont::fsBold);
    TheTextDrawer a(TSynFont::fsBold, &courier);
    TheTextDrawer b(TSynFont::fsBold, &courierItalic);
    ASSERT_EQ(a.FontStock().FontsInfo(), b.FontStock().FontsInfo());
    EXPECT_EQ(a.FontStock().FontsInfo()->RefCount, 2);
    EXPECT_EQ(a.FontStock().FontsInfo()->LockCount, 2);
    {
        TheTextDrawer c(0, &courierBold);
        EXPECT_NE(c.FontStock().FontsInfo(), a.FontStock().FontsInfo());
        EXPECT_EQ(GetFontsInfoManager().Count(), before + 2);
    }
    EXPECT_EQ(GetFontsInfoManager().Count(), before + 1);

    const TheSharedFontsInfo* shared = b.FontStock().FontsInfo();
    const TheFontHandle* handle = b.FontStock().FontHandle();
    const int width = b.CharWidth();
    const TSynFont arial = Font("Arial", -13);
    a.SetBaseFont(&arial);
    EXPECT_NE(a.FontStock().FontsInfo(), shared);
    EXPECT_EQ(b.FontStock().FontsInfo(), shared);
    EXPECT_EQ(shared->RefCount, 1);
    EXPECT_EQ(shared->LockCount, 1);
    EXPECT_EQ(b.FontStock().FontHandle(), handle);
    EXPECT_EQ(b.CharWidth(), width);
    // The same font again keeps the record and its counts.
    b.SetBaseFont(&courier);
    EXPECT_EQ(b.FontStock().FontsInfo(), shared);
    EXPECT_EQ(shared->RefCount, 1);
}

TEST(FontsInfo, LastLockDeletesVariantsButKeepsMetrics) {
    const TSynFont courier = Font("Courier New", -13);
    TheTextDrawer a(0, &courier);
    TheTextDrawer b(0, &courier);
    const TheSharedFontsInfo* info = a.FontStock().FontsInfo();
    const int advance = info->FontsData[0].CharAdvance;
    a.ReleaseTemporaryResources();
    EXPECT_EQ(info->LockCount, 1);
    EXPECT_NE(info->FontsData[0].Handle, nullptr);
    b.ReleaseTemporaryResources();
    EXPECT_EQ(info->LockCount, 0);
    EXPECT_EQ(info->FontsData[0].Handle, nullptr);
    EXPECT_EQ(info->FontsData[0].CharAdvance, advance);
    // Drawing again selects the variant anew.
    QImage image(100, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    a.BeginDrawing(&painter);
    a.DrawTextGrid(0, 0, TheTextDrawer::ETO_OPAQUE, QRect(0, 0, 100, 20), "ab");
    a.EndDrawing();
    EXPECT_EQ(info->LockCount, 1);
    EXPECT_NE(info->FontsData[0].Handle, nullptr);
}

TEST(FontsInfo, MeasuresTheMAndTheLineHeight) {
    const TSynFont arial = Font("Arial", -13);
    TheTextDrawer d(0, &arial);
    const QFontMetrics fm(d.FontStock().FontHandle()->Font());
    EXPECT_EQ(d.CharWidth(), fm.horizontalAdvance(QChar('M')));
    EXPECT_EQ(d.CharHeight(), fm.ascent() + fm.descent());
    d.SetCharExtra(2);
    EXPECT_EQ(d.CharWidth(), fm.horizontalAdvance(QChar('M')) + 2);
}

TEST(FontsInfo, ConsistencyChecksAndMissingFont) {
    const TSynFont courier = Font("Courier New", -13);
    TheFontsInfoManager& manager = GetFontsInfoManager();
    TheSharedFontsInfo* info = manager.GetFontsInfo(&courier);
    manager.ActivateFontsInfo(info);
    try {
        manager.ReleaseFontsInfo(info);
        FAIL() << "releasing a locked record must fail";
    } catch (const ETextDrawerAssertion& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("Call DeactivateFontsInfo before calling this."), std::string::npos);
        EXPECT_NE(text.find("Assertion failure"), std::string::npos);
        EXPECT_NE(text.find("SynTextDrawer"), std::string::npos);
    }
    manager.DeactivateFontsInfo(info);
    manager.ReleaseFontsInfo(info);

    TheFontStock stock(&courier);
    EXPECT_THROW(stock.SelectStyle(17), ETextDrawerAssertion);
    try {
        stock.SetBaseFont(nullptr);
        FAIL();
    } catch (const EheFontStockException& e) {
        EXPECT_STREQ(e.what(), "SetBaseFont: 'Value' must be specified.");
    }

    TheTextDrawer d(0, &courier);
    QImage image(100, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    d.BeginDrawing(&painter);
    d.DrawTextGrid(0, 0, 0, QRect(0, 0, 100, 20), "abc");
    const int width = d.CharWidth();
    try {
        d.SetBaseFont(nullptr);
        FAIL();
    } catch (const EheTextDrawerException& e) {
        EXPECT_STREQ(e.what(), "SetBaseFont: 'Value' must be specified.");
    }
    EXPECT_EQ(d.CharWidth(), width);
    EXPECT_EQ(d.DistancesLength(), 64);
    d.EndDrawing();
}

}  // namespace

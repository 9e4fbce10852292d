// Toggle and picture speed buttons driven by real mouse clicks: group exclusion, hints, click
// events and the down-state painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

#include "widgets/toggle_btn.h"

namespace {

// The setup dialog's six toggles on one parent.
struct SetupToggles {
    SetupToggles() {
        parent.resize(300, 100);
        auto make = [&](int group, int x, const std::string& down, const std::string& up) {
            auto* t = new TabcToggleBtn(&parent);
            t->setGeometry(x, 10, 33, 27);
            t->SetGroupIndex(group);
            t->SetHintDown(down);
            t->SetHintUp(up);
            return t;
        };
        hu = make(1179115, 0, "Compile as a Regular Hu-Card Game (ON)",
                  "Compile as a Regular Hu-Card Game (OFF)");
        cd = make(1179115, 40, "Compile as a System 2.x CD Game (ON)",
                  "Compile as a System 2.x CD Game (OFF)");
        scd = make(1179115, 80, "", "Compile as a System 3.x CD Game (OFF)");
        t = make(1, 120, "Include text of 'C' in asm output/listings (ON)",
                 "Include text of 'C' in asm output/listings (OFF)");
        s = make(452570, 160, "Create an asm output only (do not invoke assembler) (ON)",
                 "Create an asm output only (do not invoke assembler) (OFF)");
        v = make(2, 200, "Assembler: verbose - maximum information in output files (ON)",
                 "Assembler: verbose - maximum information in output files (OFF)");
        hu->SetDown(true);
        parent.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }
    static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10)); }

    QWidget parent;
    TabcToggleBtn *hu, *cd, *scd, *t, *s, *v;
};

TEST(ToggleBtn, FileTypeGroupExcludesAndSwitchesHints) {
    SetupToggles f;
    EXPECT_TRUE(f.hu->Down());
    EXPECT_EQ(f.hu->Hint(), "Compile as a Regular Hu-Card Game (ON)");
    std::vector<std::string> events;
    f.cd->OnClickDown = [&](QObject* sender) {
        EXPECT_EQ(sender, f.cd);
        events.push_back("down");
    };
    f.cd->OnClickUp = [&](QObject*) { events.push_back("up"); };

    SetupToggles::Click(f.cd);
    EXPECT_TRUE(f.cd->Down());
    EXPECT_FALSE(f.hu->Down());
    EXPECT_FALSE(f.scd->Down());
    EXPECT_EQ(f.hu->Hint(), "Compile as a Regular Hu-Card Game (OFF)");
    EXPECT_EQ(f.cd->Hint(), "Compile as a System 2.x CD Game (ON)");
    EXPECT_EQ(f.cd->toolTip().toStdString(), "Compile as a System 2.x CD Game (ON)");
    EXPECT_EQ(f.cd->State(), absDown);

    SetupToggles::Click(f.cd);  // AllowAllUp: the down button comes up, leaving none down
    EXPECT_FALSE(f.hu->Down() || f.cd->Down() || f.scd->Down());
    EXPECT_EQ(f.cd->Hint(), "Compile as a System 2.x CD Game (OFF)");
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));

    SetupToggles::Click(f.scd);  // no down hint: the hint becomes empty
    EXPECT_TRUE(f.scd->Down());
    EXPECT_EQ(f.scd->Hint(), "");
    EXPECT_FALSE(f.t->Down() || f.s->Down() || f.v->Down());
}

TEST(ToggleBtn, SwitchesAreIndependent) {
    SetupToggles f;
    SetupToggles::Click(f.t);
    SetupToggles::Click(f.s);
    EXPECT_TRUE(f.t->Down());
    EXPECT_TRUE(f.s->Down());
    EXPECT_FALSE(f.v->Down());
    EXPECT_TRUE(f.hu->Down());
    SetupToggles::Click(f.t);
    EXPECT_FALSE(f.t->Down());
    EXPECT_TRUE(f.s->Down());
    EXPECT_EQ(f.t->Hint(), "Include text of 'C' in asm output/listings (OFF)");
}

TEST(ToggleBtn, HintAssignmentFollowsState) {
    QWidget parent;
    auto* t = new TabcToggleBtn(&parent);
    t->SetHintDown("on");
    EXPECT_EQ(t->Hint(), "");  // up: the down text is only stored
    t->SetHintUp("off|Switch is off");
    EXPECT_EQ(t->Hint(), "off|Switch is off");
    EXPECT_EQ(t->toolTip().toStdString(), "off");
    EXPECT_EQ(t->statusTip().toStdString(), "Switch is off");
    t->SetDown(true);  // the group notice reaches the button itself
    EXPECT_EQ(t->Hint(), "on");
    t->SetDown(false);  // coming up directly leaves the hint alone
    EXPECT_EQ(t->Hint(), "on");
}

TEST(ToggleBtn, NewTogglesOnOneParentFormGroupsOfTheirOwn) {
    QWidget parent;
    std::vector<TabcToggleBtn*> toggles;
    for (int i = 0; i < 5; ++i) toggles.push_back(new TabcToggleBtn(&parent));
    for (auto* t : toggles) {
        EXPECT_NE(t->GroupIndex(), 0);
        EXPECT_TRUE(t->AllowAllUp());
        EXPECT_FALSE(t->Popup());
        t->SetDown(true);
    }
    for (auto* t : toggles) EXPECT_TRUE(t->Down());
}

TEST(PicSpeedBtn, DownRules) {
    QWidget parent;
    auto* plain = new TabcCustomPicSpeedBtn(&parent);
    EXPECT_EQ(plain->size(), QSize(22, 23));
    plain->SetDown(true);  // group 0 never stays down
    EXPECT_FALSE(plain->Down());

    auto* a = new TabcCustomPicSpeedBtn(&parent);
    auto* b = new TabcCustomPicSpeedBtn(&parent);
    a->SetGroupIndex(7);
    b->SetGroupIndex(7);
    a->SetDown(true);
    a->SetDown(false);  // AllowAllUp false: a down button cannot be raised
    EXPECT_TRUE(a->Down());
    b->SetAllowAllUp(true);
    b->SetDown(true);  // b's notice raises a and hands over b's AllowAllUp
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(a->AllowAllUp());
    b->SetDown(false);
    EXPECT_FALSE(b->Down());

    b->SetGroupIndex(0);  // a button that may no longer stay down is raised
    a->SetDown(true);
    b->SetGroupIndex(7);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
}

TEST(PicSpeedBtn, MouseTrackingAndCancelledClick) {
    QWidget parent;
    parent.resize(200, 100);
    auto* b = new TabcCustomPicSpeedBtn(&parent);
    b->setGeometry(10, 10, 40, 30);
    b->SetGroupIndex(3);
    b->SetAllowAllUp(true);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    int clicks = 0;
    bool cancel = false;
    b->OnClick = [&](QObject*) { ++clicks; };
    b->BeforeClick = [&](QObject*, bool& c) { c = cancel; };

    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->State(), absPressed);
    QTest::mouseMove(b, QPoint(100, 50));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(100, 50));  // released outside
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), absUp);

    cancel = true;
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 0);  // the click is dropped, the state change stays
    EXPECT_TRUE(b->Down());
    cancel = false;
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Down());

    b->setEnabled(false);
    EXPECT_EQ(b->State(), absDisabled);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST(PicSpeedBtn, AcceleratorActsAsFullClick) {
    QWidget parent;
    auto* b = new TabcCustomPicSpeedBtn(&parent);
    b->SetGroupIndex(4);
    b->SetCaption("&Go");
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QApplication::setActiveWindow(&parent);
    QTest::keyClick(&parent, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->Down());
}

// Painting: a grey picture while the mouse is away, and the checkered face of a down button.
TEST(PicSpeedBtn, PaintsGreyPictureAndCheckeredDownFace) {
    QWidget parent;
    auto* b = new TabcCustomPicSpeedBtn(&parent);
    b->setGeometry(0, 0, 33, 27);
    QPixmap picture(14, 14);
    picture.fill(QColor(200, 50, 10));
    b->SetPicture(picture);
    b->SetLayout(ablGlyphCenter);
    b->SetPictureHighlight(aghGray);
    b->SetColor(QColor(192, 192, 192));
    b->SetGroupIndex(9);
    b->SetPopup(false);

    QImage up = b->grab().toImage();
    EXPECT_EQ(QColor(up.pixel(16, 13)), QColor(200, 200, 200));
    EXPECT_EQ(QColor(up.pixel(4, 4)), QColor(192, 192, 192));

    b->SetDown(true);
    QImage down = b->grab().toImage();
    EXPECT_NE(down.pixel(4, 4), down.pixel(5, 4));                 // checkered background
    EXPECT_EQ(QColor(down.pixel(17, 14)), QColor(200, 200, 200));  // picture one pixel lower

    b->SetPictureHighlight(aghNormal);
    EXPECT_EQ(QColor(b->grab().toImage().pixel(17, 14)), QColor(200, 50, 10));
}

}  // namespace

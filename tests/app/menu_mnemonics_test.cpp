// The menus of the whole program: an Alt letter opens one entry, so entries added to a menu
// take letters its other entries do not use.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <map>
#include <set>

#include "app_test_support.h"

namespace {

class MenuMnemonicsTest : public ::testing::Test, public TProgramFixture {};

// The letter after a single "&" of a caption, lower-cased; 0 for none.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

TEST_F(MenuMnemonicsTest, EveryMenuUsesEachLetterOnceButWhereItsOwnCaptionsClash) {
    // Captions the program has always had that share a letter within their menu.
    const std::set<QString> kept = {"Edit: p (&Paste, Find &previous)"};
    std::set<QString> clashes;
    for (QAction* top : Form().menuBar()->actions()) {
        QMenu* menu = top->menu();
        ASSERT_NE(menu, nullptr);
        std::map<QChar, QStringList> byLetter;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            const QChar letter = Mnemonic(action->text());
            if (!letter.isNull()) byLetter[letter] << action->text();
        }
        for (const auto& [letter, captions] : byLetter)
            if (captions.size() > 1)
                clashes.insert(Mnemonic(top->text()).isNull()
                                   ? top->text()
                                   : QString(top->text()).remove('&') + ": " + letter + " (" +
                                         captions.join(", ") + ")");
    }
    for (const QString& clash : clashes) EXPECT_TRUE(kept.count(clash)) << clash.toStdString();
}

}  // namespace

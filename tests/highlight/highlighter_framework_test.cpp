// Attributes, the highlighter base behaviour, attribute-change notification and the class list.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "highlight/cpp_color_schemes.h"
#include "highlight/highlighter_errors.h"
#include "highlight/syn_cpp_syn.h"
#include "highlight/syn_highlighter_list.h"

namespace {

TEST(HighlighterAttributes, OnlyEffectiveWritesReportAChange) {
    TSynHighlighterAttributes attribute("Comment");
    EXPECT_EQ(attribute.Background(), clNone);
    EXPECT_EQ(attribute.Foreground(), clNone);
    EXPECT_EQ(attribute.Style(), 0);
    int changes = 0;
    attribute.SetOnChange([&](TSynHighlighterAttributes* sender) {
        EXPECT_EQ(sender, &attribute);
        ++changes;
    });
    attribute.SetForeground(clNone);
    attribute.SetBackground(clNone);
    attribute.SetStyle(0);
    EXPECT_EQ(changes, 0);
    attribute.SetForeground(clRed);
    attribute.SetForeground(clRed);
    attribute.SetBackground(clWindow);
    attribute.SetStyle(fsBold | fsUnderline);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(attribute.Background(), static_cast<TColor>(0x80000005u));
    EXPECT_EQ(attribute.Style(), fsBold | fsUnderline);
}

TEST(HighlighterAttributes, AssignCopiesAndReportsOnceOrRefuses) {
    TSynHighlighterAttributes source("String");
    source.SetForeground(clAqua);
    source.SetBackground(clBlack);
    source.SetStyle(fsItalic);
    TSynHighlighterAttributes target("Other");
    int changes = 0;
    target.SetOnChange([&](TSynHighlighterAttributes*) { ++changes; });
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Name(), "String");
    EXPECT_EQ(target.Foreground(), clAqua);
    EXPECT_EQ(target.Background(), clBlack);
    EXPECT_EQ(target.Style(), fsItalic);
    target.Assign(&source);  // nothing differs
    EXPECT_EQ(changes, 1);

    try {
        target.Assign(nullptr);
        FAIL();
    } catch (const ESynAssignError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TSynHighlighterAttributes");
    }
    TSynCppSyn highlighter;
    try {
        target.Assign(&highlighter);
        FAIL();
    } catch (const ESynAssignError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TSynCppSyn to a TSynHighlighterAttributes");
    }
    EXPECT_THROW(highlighter.Assign(&source), ESynAssignError);
}

TEST(CppHighlighter, AttributesAndFixedAnswers) {
    TSynCppSyn h;
    const char* names[] = {"Assembler",    "Comment",       "Identifier", "Illegal char", "Number",
                           "Preprocessor", "Reserved word", "Space",      "String",       "Symbol"};
    ASSERT_EQ(h.AttributeCount(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(h.AttributeAt(i)->Name(), names[i]);
    EXPECT_EQ(h.AttributeAt(-1), nullptr);
    EXPECT_EQ(h.AttributeAt(10), nullptr);
    for (int i = 0; i < 10; ++i) {
        TSynHighlighterAttributes* a = h.AttributeAt(i);
        EXPECT_EQ(a->Background(), clNone) << a->Name();
        EXPECT_EQ(a->Foreground(), a == h.SpaceAttri() ? clWindow : clNone) << a->Name();
        TFontStyles style = a == h.CommentAttri() ? fsItalic : a == h.KeyAttri() ? fsBold : 0;
        EXPECT_EQ(a->Style(), style) << a->Name();
        EXPECT_FALSE(a->BackgroundStored() || a->ForegroundStored() || a->StyleStored());
    }
    EXPECT_EQ(h.DefaultAttribute(0), h.CommentAttri());
    EXPECT_EQ(h.DefaultAttribute(1), h.IdentifierAttri());
    EXPECT_EQ(h.DefaultAttribute(2), h.KeyAttri());
    EXPECT_EQ(h.DefaultAttribute(3), h.StringAttri());
    EXPECT_EQ(h.DefaultAttribute(4), h.SpaceAttri());
    EXPECT_EQ(h.DefaultAttribute(5), nullptr);
    EXPECT_EQ(h.LanguageName(), "C++");
    EXPECT_EQ(h.DefaultFilter(), "C++ files (*.cpp,*.h,*.hpp)|*.cpp;*.h;*.hpp");
    EXPECT_TRUE(h.DefaultFilterStored());
    EXPECT_EQ(h.Capabilities(), capRegistry);
    std::vector<std::string> imports{"left over"};
    h.ListImportSettings(imports);
    EXPECT_TRUE(imports.empty());
    EXPECT_FALSE(h.ImportSettings(0));
    TSynIdentChars chars = h.IdentifierChars();
    EXPECT_EQ(chars.count(), 63u);
    EXPECT_TRUE(chars['_'] && chars['0'] && chars['Z'] && chars['z']);
    EXPECT_FALSE(chars['$'] || chars[0xE9]);

    // A changed property becomes persisted; the others stay default.
    h.KeyAttri()->SetForeground(clBlue);
    EXPECT_TRUE(h.KeyAttri()->ForegroundStored());
    EXPECT_FALSE(h.KeyAttri()->BackgroundStored() || h.KeyAttri()->StyleStored());
    h.KeyAttri()->SetForeground(clNone);
    EXPECT_FALSE(h.KeyAttri()->ForegroundStored());
}

TEST(CppHighlighter, ColourSchemesOfTheTwoWindows) {
    TSynCppSyn document;
    ApplyDocumentWindowColors(document);
    EXPECT_EQ(document.KeyAttri()->Foreground(), 16777088);
    EXPECT_EQ(document.NumberAttri()->Foreground(), 33023);
    EXPECT_EQ(document.StringAttri()->Style(), fsItalic);
    EXPECT_TRUE(document.StringAttri()->StyleStored());
    TSynCppSyn frame;
    ApplyFrameWindowColors(frame);
    EXPECT_EQ(frame.IdentifierAttri()->Foreground(), clNavy);
    EXPECT_EQ(frame.InvalidAttri()->Foreground(), clNone);
    EXPECT_FALSE(frame.SpaceAttri()->ForegroundStored());
}

// A second highlighter kind with one name in common with the C/C++ highlighter.
class OtherHighlighter : public TSynCustomHighlighter {
  public:
    OtherHighlighter() {
        m_comment = AddAttribute(std::make_unique<TSynHighlighterAttributes>("Comment"));
        m_other = AddAttribute(std::make_unique<TSynHighlighterAttributes>("Other"));
        m_other->SetForeground(clPurple);
        SetAttributesChangeHandler(
            [this](TSynHighlighterAttributes*) { NotifyAttributesChanged(); });
    }
    std::string ClassName() const override { return "OtherHighlighter"; }
    TSynHighlighterAttributes* DefaultAttribute(int) const override { return m_comment; }
    bool AtLineEnd() const override { return true; }
    std::string_view TokenText() const override { return {}; }
    TSynHighlighterAttributes* TokenAttribute() const override { return nullptr; }
    int TokenKind() const override { return 0; }
    int TokenStart() const override { return 0; }
    void NextToken() override {}
    void StartLine(std::string_view, int) override {}
    void SetAuxText(const std::string& text) override { auxTexts.push_back(text); }

    TSynHighlighterAttributes* m_comment;
    TSynHighlighterAttributes* m_other;
    std::vector<std::string> auxTexts;
};

TEST(CustomHighlighter, AssignCopiesAttributesByName) {
    TSynCppSyn source;
    source.CommentAttri()->SetForeground(clGreen);
    source.KeyAttri()->SetStyle(fsBold | fsUnderline);
    source.SpaceAttri()->SetBackground(clBlack);

    TSynCppSyn target;
    int notifications = 0;
    target.HookAttributesChanged(
        [&](void* sender) {
            EXPECT_EQ(sender, &target);
            ++notifications;
        },
        nullptr);
    target.Assign(&source);
    EXPECT_EQ(target.CommentAttri()->Foreground(), clGreen);
    EXPECT_EQ(target.KeyAttri()->Style(), fsBold | fsUnderline);
    EXPECT_EQ(target.SpaceAttri()->Background(), clBlack);
    EXPECT_EQ(notifications, 3);

    OtherHighlighter other;
    other.Assign(&source);
    EXPECT_EQ(other.m_comment->Foreground(), clGreen);
    EXPECT_EQ(other.m_comment->Style(), fsItalic);
    EXPECT_EQ(other.m_other->Foreground(), clPurple);  // no match, unchanged
    EXPECT_TRUE(other.auxTexts.empty());               // another class: no auxiliary text
    OtherHighlighter second;
    second.Assign(&other);
    EXPECT_EQ(second.auxTexts, std::vector<std::string>{""});

    try {
        target.Assign(nullptr);
        FAIL();
    } catch (const ESynAssignError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TSynCppSyn");
    }
}

TEST(CustomHighlighter, DuplicateAttributeNamesAreRefused) {
    OtherHighlighter h;
    try {
        h.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Other"));
        FAIL();
    } catch (const ESynAttributeListError& e) {
        EXPECT_STREQ(e.what(), "String list does not allow duplicates");
    }
    EXPECT_EQ(h.AttributeCount(), 2);
    // Ordinal order: upper case before lower case.
    h.AddAttribute(std::make_unique<TSynHighlighterAttributes>("a"));
    h.AddAttribute(std::make_unique<TSynHighlighterAttributes>("B"));
    EXPECT_EQ(h.AttributeAt(0)->Name(), "B");
    EXPECT_EQ(h.AttributeAt(3)->Name(), "a");
}

TEST(CustomHighlighter, EditorsHearOfAttributeChanges) {
    TSynCppSyn h;
    std::vector<std::string> heard;
    int editorA = 0, editorB = 0;
    auto handlerA = [&](void*) { heard.push_back("A"); };
    auto handlerB = [&](void*) { heard.push_back("B"); };
    h.HookAttributesChanged(handlerA, &editorA);
    h.HookAttributesChanged(handlerB, &editorB);
    h.HookAttributesChanged(handlerA, &editorA);  // the same pair twice
    h.StringAttri()->SetForeground(clRed);
    EXPECT_EQ(heard, (std::vector<std::string>{"A", "B", "A"}));

    heard.clear();
    h.UnhookAttributesChanged(handlerA, &editorA);  // removes both
    h.UnhookAttributesChanged(handlerB, &editorA);  // no such pair
    h.StringAttri()->SetForeground(clRed);          // no change, nobody told
    h.StringAttri()->SetStyle(fsBold);
    EXPECT_EQ(heard, std::vector<std::string>{"B"});
    EXPECT_EQ(h.AttributeChangeChain().Count(), 1);
}

TEST(NotifyEventChain, ErrorsInHandlers) {
    int sender = 0;
    TSynNotifyEventChain chain(&sender);
    std::vector<int> called;
    chain.Add(
        [&](void* s) {
            EXPECT_EQ(s, &sender);
            called.push_back(1);
            throw std::runtime_error("first");
        },
        nullptr);
    chain.Add([&](void*) { called.push_back(2); }, nullptr);

    EXPECT_THROW(chain.Fire(), std::runtime_error);  // no error handler: propagates
    EXPECT_EQ(called, std::vector<int>{1});

    called.clear();
    std::string seen;
    chain.SetOnError([&](TSynNotifyEventChain*, const std::exception& e) {
        seen = e.what();
        return true;
    });
    chain.Fire();
    EXPECT_EQ(called, (std::vector<int>{1, 2}));
    EXPECT_EQ(seen, "first");

    called.clear();
    chain.SetOnError([](TSynNotifyEventChain*, const std::exception&) { return false; });
    chain.Fire();
    EXPECT_EQ(called, std::vector<int>{1});

    chain.SetOnError([](TSynNotifyEventChain*, const std::exception&) -> bool {
        throw std::logic_error("inner");
    });
    try {
        chain.Fire();
        FAIL();
    } catch (const ESynNotifyChainError& e) {
        EXPECT_STREQ(e.what(),
                     "TSynNotifyEventChain.DoHandleException : MUST NOT occur any kind of "
                     "exception in ExceptionHandler");
    }
    // Errors that are not std::exception pass the error handler by.
    TSynNotifyEventChain other(nullptr);
    other.SetOnError([](TSynNotifyEventChain*, const std::exception&) { return true; });
    other.Add([](void*) { throw 42; }, nullptr);
    EXPECT_THROW(other.Fire(), int);
}

// Counts NextToken calls to show that ScanToLineEnd stops at once on an empty line.
class CountingCppSyn : public TSynCppSyn {
  public:
    void NextToken() override {
        ++calls;
        TSynCppSyn::NextToken();
    }
    int calls = 0;
};

TEST(CustomHighlighter, ScanToLineEnd) {
    CountingCppSyn h;
    h.StartLine("", 0);
    h.calls = 0;
    h.ScanToLineEnd();
    EXPECT_EQ(h.calls, 0);
    h.StartLine("a = b;", 0);
    h.calls = 0;
    h.ScanToLineEnd();
    EXPECT_EQ(h.calls, 6);
    EXPECT_TRUE(h.AtLineEnd());
}

TEST(HighlighterList, TheCppHighlighterIsRegisteredOnce) {
    TSynHighlighterList* list = GetPlaceableHighlighters();
    ASSERT_NE(list, nullptr);
    const TSynHighlighterClass* cppClass = list->FindByName("TSynCppSyn");
    ASSERT_EQ(cppClass, &TSynCppSyn::Class());
    int before = list->Count();
    RegisterHighlighterClass(&TSynCppSyn::Class());
    EXPECT_EQ(list->Count(), before);
    std::unique_ptr<TSynCustomHighlighter> created = cppClass->create();
    EXPECT_EQ(created->ClassName(), "TSynCppSyn");
    EXPECT_EQ(list->Items(before), nullptr);

    // Start-up and shutdown are counted: a balanced pair keeps the list.
    HighlighterFrameworkStartup();
    HighlighterFrameworkShutdown();
    EXPECT_EQ(GetPlaceableHighlighters(), list);
}

}  // namespace

// The settings store, its registry-style access object, and saving and loading highlighter
// attributes through them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "highlight/better_registry.h"
#include "highlight/settings_store.h"
#include "highlight/syn_cpp_syn.h"

namespace {

constexpr const char* kKey = "Software\\Quillon\\Highlighters\\C++";

std::int32_t IntegerAt(const TSettingsStore& store, const std::string& path, const char* name) {
    const TSettingsKey* key = store.FindKey(path);
    if (!key || !key->Value(name)) return -12345;
    return std::get<std::int32_t>(*key->Value(name));
}

TEST(SettingsStore, KeysPathsAndValues) {
    TSettingsStore store;
    EXPECT_EQ(store.FindKey(""), &store.Root());
    EXPECT_EQ(store.FindKey("a\\b"), nullptr);
    TSettingsKey* key = store.CreateKey("\\A\\B\\");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(store.FindKey("a\\b"), key);  // names ignore letter case
    EXPECT_EQ(store.CreateKey("a\\\\b"), nullptr);
    EXPECT_EQ(store.CreateKey(std::string(256, 'k')), nullptr);
    EXPECT_NE(store.CreateKey(std::string(255, 'k')), nullptr);
    key->SetValue("Count", 3);
    key->SetValue("count", std::string("three"));  // same name, replaced
    ASSERT_EQ(key->Values().size(), 1u);
    EXPECT_EQ(std::get<std::string>(*key->Value("COUNT")), "three");
}

TEST(SettingsStore, TextAndFileRoundTrip) {
    TSettingsStore store;
    store.Root().SetValue("top", -1);
    TSettingsKey* key = store.CreateKey("Odd [name]=\\x%y");
    key->SetValue("a=b", std::string("line\r\nbreak %20 [x] \xE9"));
    key->SetValue("Negative", static_cast<std::int32_t>(0x80000005u));
    store.CreateKey("Empty\\Child");

    std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quillon_store_" + std::to_string(getpid()));
    store.SaveToFile(file.string());
    TSettingsStore loaded;
    loaded.LoadFromFile(file.string());
    std::filesystem::remove(file);
    EXPECT_EQ(loaded.SaveToText(), store.SaveToText());
    EXPECT_EQ(std::get<std::string>(*loaded.FindKey("odd [name]=\\X%Y")->Value("A=B")),
              "line\r\nbreak %20 [x] \xE9");
    EXPECT_EQ(IntegerAt(loaded, "Odd [name]=\\x%y", "Negative"), -2147483643);
    EXPECT_NE(loaded.FindKey("Empty\\Child"), nullptr);
    EXPECT_EQ(IntegerAt(loaded, "", "top"), -1);
}

TEST(SettingsStore, MalformedTextLeavesTheStoreUnchanged) {
    TSettingsStore store;
    store.CreateKey("Keep")->SetValue("v", 1);
    std::string before = store.SaveToText();
    for (const char* text : {"[A]\nv=i:12x\n", "[A]\nnovalue\n", "[A\\\\B]\n", "[A]\nv=q:1\n",
                             "[A]\nv=s:%G1\n", "[A]\nv=i:99999999999\n", "[unclosed\n"}) {
        EXPECT_THROW(store.LoadFromText(text), ESettingsStoreError) << text;
        EXPECT_EQ(store.SaveToText(), before) << text;
    }
    store.LoadFromText("; comment\r\n\r\n[A]\r\nv=i:-7\r\n");
    EXPECT_EQ(IntegerAt(store, "a", "v"), -7);
    EXPECT_EQ(store.FindKey("Keep"), nullptr);
    EXPECT_THROW(store.LoadFromFile("/nonexistent/dir/file"), ESettingsStoreError);
}

TEST(BetterRegistry, RelativeAndAbsolutePaths) {
    TSettingsStore store;
    TBetterRegistry reg(store);
    EXPECT_FALSE(reg.OpenKey("A\\B", false));
    EXPECT_FALSE(reg.HasCurrentKey());
    ASSERT_TRUE(reg.OpenKey("A\\B", true));
    EXPECT_EQ(reg.CurrentPath(), "A\\B");
    ASSERT_TRUE(reg.OpenKey("C", true));  // relative to the current key
    EXPECT_EQ(reg.CurrentPath(), "A\\B\\C");
    ASSERT_TRUE(reg.OpenKey("\\A", false));  // absolute
    EXPECT_EQ(reg.CurrentPath(), "A");
    reg.WriteInteger("n", 5);
    reg.WriteString("s", "text");
    EXPECT_EQ(reg.ReadInteger("N"), 5);
    EXPECT_THROW(reg.ReadInteger("s"), ESettingsStoreError);
    EXPECT_THROW(reg.ReadString("n"), ESettingsStoreError);
    EXPECT_THROW(reg.ReadInteger("missing"), ESettingsStoreError);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\A"));
    EXPECT_THROW(reg.WriteInteger("n", 6), ESettingsStoreError);
    EXPECT_FALSE(reg.OpenKeyReadOnly("Z"));
    EXPECT_EQ(reg.CurrentPath(), "A");  // a failed open keeps the current key
    reg.CloseKey();
    EXPECT_THROW(reg.WriteInteger("n", 6), ESettingsStoreError);
}

TEST(HighlighterPersistence, SaveWritesOneSubKeyPerAttribute) {
    TSynCppSyn h;
    h.KeyAttri()->SetForeground(0xFFFF80);
    h.StringAttri()->SetStyle(fsItalic | fsStrikeOut);
    TSettingsStore store;
    ASSERT_TRUE(h.SaveToRegistryKey(store, kKey));
    const TSettingsKey* key = store.FindKey(kKey);
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->SubKeys().size(), 10u);
    EXPECT_TRUE(key->Values().empty());
    std::string base = std::string(kKey) + "\\";
    EXPECT_EQ(IntegerAt(store, base + "Reserved word", "Foreground"), 0xFFFF80);
    EXPECT_EQ(IntegerAt(store, base + "Reserved word", "Background"), 0x1FFFFFFF);
    EXPECT_EQ(IntegerAt(store, base + "Reserved word", "Style"), 1);
    EXPECT_EQ(IntegerAt(store, base + "String", "Style"), 10);
    EXPECT_EQ(IntegerAt(store, base + "Space", "Foreground"),
              static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(IntegerAt(store, base + "Illegal char", "Style"), 0);
    // Nothing was written outside the key.
    EXPECT_EQ(store.Root().SubKeys().size(), 1u);

    EXPECT_FALSE(h.SaveToRegistryKey(store, "Bad\\\\Path"));
}

TEST(HighlighterPersistence, LoadRestoresWhatWasSaved) {
    TSynCppSyn saved;
    saved.CommentAttri()->SetForeground(clGray);
    saved.CommentAttri()->SetBackground(clBlack);
    saved.SymbolAttri()->SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    TSettingsStore store;
    ASSERT_TRUE(saved.SaveToRegistryKey(store, kKey));

    TSynCppSyn loaded;
    int notifications = 0;
    loaded.HookAttributesChanged([&](void*) { ++notifications; }, nullptr);
    EXPECT_TRUE(loaded.LoadFromRegistryKey(store, kKey));
    for (int i = 0; i < saved.AttributeCount(); ++i) {
        EXPECT_EQ(loaded.AttributeAt(i)->Foreground(), saved.AttributeAt(i)->Foreground());
        EXPECT_EQ(loaded.AttributeAt(i)->Background(), saved.AttributeAt(i)->Background());
        EXPECT_EQ(loaded.AttributeAt(i)->Style(), saved.AttributeAt(i)->Style());
    }
    // Style is written flag by flag: Comment (italic) first drops to empty and then gets italic
    // back, besides its two colours; Symbol gets bold, italic, underline, strike-out one by one.
    EXPECT_EQ(notifications, 4 + 4);
}

TEST(HighlighterPersistence, LoadStopsAtTheFirstMissingAttribute) {
    TSynCppSyn saved;
    for (int i = 0; i < saved.AttributeCount(); ++i) saved.AttributeAt(i)->SetForeground(clRed);
    TSettingsStore store;
    ASSERT_TRUE(saved.SaveToRegistryKey(store, kKey));
    store.FindKey(kKey)->DeleteSubKey("Identifier");  // third in the list
    store.FindKey(std::string(kKey) + "\\Comment")->DeleteValue("Background");

    TSynCppSyn loaded;
    loaded.CommentAttri()->SetBackground(clBlack);
    EXPECT_FALSE(loaded.LoadFromRegistryKey(store, kKey));
    EXPECT_EQ(loaded.AsmAttri()->Foreground(), clRed);
    EXPECT_EQ(loaded.CommentAttri()->Foreground(), clRed);
    EXPECT_EQ(loaded.CommentAttri()->Background(), clBlack);  // value absent: kept
    EXPECT_EQ(loaded.IdentifierAttri()->Foreground(), clNone);
    EXPECT_EQ(loaded.SymbolAttri()->Foreground(), clNone);  // never reached

    EXPECT_FALSE(loaded.LoadFromRegistryKey(store, "No\\Such\\Key"));
    EXPECT_EQ(store.FindKey("No"), nullptr);  // loading never creates keys
}

TEST(HighlighterPersistence, ValueOfTheWrongTypeRaises) {
    TSynCppSyn h;
    TSettingsStore store;
    ASSERT_TRUE(h.SaveToRegistryKey(store, kKey));
    store.FindKey(std::string(kKey) + "\\Assembler")->SetValue("Style", std::string("bold"));
    EXPECT_THROW(h.LoadFromRegistryKey(store, kKey), ESettingsStoreError);
}

TEST(HighlighterPersistence, ThroughAFileOnDisk) {
    TSynCppSyn saved;
    saved.NumberAttri()->SetForeground(33023);
    TSettingsStore store;
    ASSERT_TRUE(saved.SaveToRegistryKey(store, kKey));
    std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quillon_attr_" + std::to_string(getpid()));
    store.SaveToFile(file.string());
    TSettingsStore reread;
    reread.LoadFromFile(file.string());
    std::filesystem::remove(file);
    TSynCppSyn loaded;
    EXPECT_TRUE(loaded.LoadFromRegistryKey(reread, kKey));
    EXPECT_EQ(loaded.NumberAttri()->Foreground(), 33023);
}

}  // namespace

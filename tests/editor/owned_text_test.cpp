// A line's own text changed in place: random splices of short and long texts against a plain
// string, and the long text's edits near its start leaving the bytes after them where they lie.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/owned_text.h"

namespace {

std::string Letters(std::size_t count, std::mt19937& random) {
    std::string text(count, ' ');
    for (char& c : text) c = static_cast<char>('a' + random() % 26);
    return text;
}

TEST(OwnedTextTest, SplicesAgreeWithAStringForShortAndLongTexts) {
    std::mt19937 random(29);
    for (std::size_t size : {0u, 10u, 70'000u, 300'000u}) {
        std::string model = Letters(size, random);
        TOwnedText text(model);
        for (int step = 0; step < 400; ++step) {
            const std::size_t at = model.empty() ? 0 : random() % (model.size() + 1);
            // Mostly small edits anywhere, now and then a big cut or paste.
            const bool big = random() % 20 == 0;
            const std::size_t room = model.size() - at;
            const std::size_t removed =
                room == 0 ? 0 : random() % (std::min<std::size_t>(room, big ? room : 8) + 1);
            const std::string middle = Letters(random() % (big ? 100'000 : 6), random);
            // Sometimes the bytes after the tail are dropped as well.
            const std::size_t after = model.size() - at - removed;
            const std::size_t tail = random() % 8 == 0 ? random() % (after + 1) : after;
            text.Splice(at, removed, middle, tail);
            model = model.substr(0, at) + middle + model.substr(at + removed, tail);
            ASSERT_EQ(text.View(), model) << "size " << size << " step " << step;
            // Room in front stays bounded by the text's size and never grows without limit.
            ASSERT_LE(text.FreeInFront(), 2 * (model.size() / 64 + 4096) + 100'000);
        }
        // Handed to a record and taken back, the same bytes.
        const std::uint32_t length = text.Length();
        TOwnedText back = TOwnedText::Adopt(text.Release(), length);
        EXPECT_EQ(back.View(), model);
        EXPECT_TRUE(text.Empty());
    }
}

TEST(OwnedTextTest, EditsAtTheStartOfALongTextLeaveItsTailInPlace) {
    std::mt19937 random(7);
    std::string model = Letters(1 << 20, random);
    TOwnedText text(model);
    ASSERT_GE(text.FreeInFront(), 4096u);
    const char* end = text.Data() + text.Length();
    // Typing, deleting and replacing near the start moves only the bytes before the edit.
    for (int i = 0; i < 1000; ++i) {
        const std::size_t at = random() % 50;
        switch (i % 3) {
            case 0:
                text.Splice(at, 0, "x", text.Length() - at);
                model.insert(at, "x");
                break;
            case 1:
                text.Splice(at, 1, {}, text.Length() - at - 1);
                model.erase(at, 1);
                break;
            default:
                text.Splice(at, 2, "yz", text.Length() - at - 2);
                model.replace(at, 2, "yz");
                break;
        }
        ASSERT_EQ(text.Data() + text.Length(), end) << "step " << i;
    }
    EXPECT_EQ(text.View(), model);
    // Typing past the room in front makes more once; the text stays whole.
    const std::string many(text.FreeInFront() + 10, 'q');
    text.Splice(3, 0, many, text.Length() - 3);
    model.insert(3, many);
    EXPECT_EQ(text.View(), model);
    EXPECT_GE(text.FreeInFront(), 4096u);
    // Cutting most of the text from the front does not keep its bytes as room.
    text.Splice(0, model.size() - 100, {}, 100);
    model.erase(0, model.size() - 100);
    EXPECT_EQ(text.View(), model);
    EXPECT_LT(text.FreeInFront(), 64u * 1024);
}

}  // namespace

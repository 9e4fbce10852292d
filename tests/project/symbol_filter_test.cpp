// Narrowing the symbol list as the user types.
#include "project/symbol_filter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

std::vector<std::string> Filtered(const std::vector<std::string_view>& names,
                                  std::string_view typed, const std::vector<bool>& preferred = {}) {
    std::vector<std::string> result;
    for (int index : FilterNames(names, preferred, typed)) result.emplace_back(names[index]);
    return result;
}

TEST(SymbolFilter, RanksPrefixThenWordStartsThenLettersInOrder) {
    EXPECT_EQ(FitRank("spr", "spr_update"), TFitRank::Prefix);
    EXPECT_EQ(FitRank("SPR", "spr_update"), TFitRank::Prefix);
    EXPECT_EQ(FitRank("su", "spr_update"), TFitRank::WordStarts);
    EXPECT_EQ(FitRank("sprup", "spr_update"), TFitRank::WordStarts);
    EXPECT_EQ(FitRank("tl", "TitleLoop"), TFitRank::WordStarts);
    EXPECT_EQ(FitRank("wait", ".wait"), TFitRank::WordStarts);
    EXPECT_EQ(FitRank("pd", "spr_update"), TFitRank::InOrder);
    EXPECT_EQ(FitRank("us", "spr_update"), TFitRank::None);
    EXPECT_EQ(FitRank("spr_update_all", "spr_update"), TFitRank::None);

    const std::vector<std::string_view> names{"update_sprite", "vdc_setup", "spr_update",
                                              "setup_sprites", "sp",        "PlaySound"};
    // Prefixes, shorter first; then word starts, in list order; then the
    // letters anywhere in order; PlaySound has no "p" after its "s".
    EXPECT_EQ(Filtered(names, "sp"), (std::vector<std::string>{"sp", "spr_update", "update_sprite",
                                                               "setup_sprites", "vdc_setup"}));
    EXPECT_EQ(Filtered(names, "su"),
              (std::vector<std::string>{"spr_update", "vdc_setup", "PlaySound", "setup_sprites"}));
    // The active document's symbols come first; an empty text keeps the list's order.
    EXPECT_EQ(Filtered(names, "s", {false, false, false, false, false, true}).front(), "PlaySound");
    EXPECT_EQ(Filtered(names, "", {false, true}),
              (std::vector<std::string>{"vdc_setup", "update_sprite", "spr_update", "setup_sprites",
                                        "sp", "PlaySound"}));
}

TEST(SymbolFilter, AHundredThousandSymbolsRefilterQuickly) {
    std::vector<std::string> storage;
    for (int i = 0; i < 100000; ++i)
        storage.push_back((i % 3 == 0   ? "spr_update_"
                           : i % 3 == 1 ? "TitleLoop"
                                        : "vdc_reg_") +
                          std::to_string(i));
    const std::vector<std::string_view> names(storage.begin(), storage.end());
    const std::vector<bool> preferred(names.size(), false);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<int> shown = FilterNames(names, preferred, "t");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GT(shown.size(), 60000u);
    // Well under the time of a frame on an idle machine; the bound leaves room for a busy one.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 200);
    std::printf("100000 symbols filtered by one letter in %lld us\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
}

}  // namespace

// A long random sequence of edits checked against a plain vector model: line texts, objects,
// the longest line and the hook reports must all agree. List sizes cross the storage's chunk
// boundaries many times.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "editor/string_list.h"
#include "editor_invariants.h"

namespace {

struct ModelLine {
    std::string text;
    std::intptr_t object = 0;
    int range = -1;
};

int ExpandedLength(const std::string& text, int tabWidth) {
    int column = 0;
    for (char c : text) {
        if (c != '\t' || tabWidth <= 1) {
            ++column;
        } else {
            column = (column / tabWidth + 1) * tabWidth;
        }
    }
    return column;
}

class ModelRun {
  public:
    explicit ModelRun(unsigned seed) : m_random(seed) {
        m_list.SetOnBeginChanges([this](TSynEditStringList*) { m_actual.push_back("begin"); });
        m_list.SetOnEndChanges([this](TSynEditStringList*) { m_actual.push_back("end"); });
        m_list.SetOnCleared([this](TSynEditStringList*) { m_actual.push_back("cleared"); });
        m_list.SetOnAdded([this](TSynEditStringList*, int i) { Report(m_actual, "added", i); });
        m_list.SetOnDeleted([this](TSynEditStringList*, int i) { Report(m_actual, "deleted", i); });
        m_list.SetOnInserted(
            [this](TSynEditStringList*, int i) { Report(m_actual, "inserted", i); });
        m_list.SetOnPutted([this](TSynEditStringList*, int i) { Report(m_actual, "putted", i); });
    }

    // Loads `lines` random lines from a file, so they start out packed; `putShare` percent of
    // the steps then change a line's text.
    void Load(const std::filesystem::path& path, int lines, int putShare) {
        std::string bytes;
        m_model.clear();
        for (int i = 0; i < lines; ++i) {
            m_model.push_back({RandomText()});
            bytes += m_model.back().text + "\n";
        }
        std::ofstream(path, std::ios::binary) << bytes;
        m_list.LoadFromFile(path.string());
        m_actual.clear();
        m_putShare = putShare;
    }

    void Step() {
        const int count = static_cast<int>(m_model.size());
        // Bias the size up to a few chunks and back down again.
        const bool shrink = count > 5000;
        switch (Pick(100) < m_putShare ? 1 : Pick(shrink ? 6 : 10)) {
            case 0: {
                const int index = Pick(count + 1);
                const std::string text = RandomText();
                m_list.Insert(index, text);
                m_model.insert(m_model.begin() + index, {text});
                Bracketed("inserted", index);
                break;
            }
            case 1:
                if (count > 0) {
                    const int index = Pick(count);
                    std::string text = RandomText();
                    if (Pick(2) == 0) {
                        // A splice of the line's own bytes around a new middle, its tail now
                        // and then short of the end: edited lines change in their own memory.
                        const std::string& old = m_model[index].text;
                        const std::size_t a = Pick(static_cast<int>(old.size()) + 1);
                        const std::size_t b = a + Pick(static_cast<int>(old.size() - a) + 1);
                        const std::size_t e = Pick(3) == 0
                                                  ? b + Pick(static_cast<int>(old.size() - b) + 1)
                                                  : old.size();
                        text.resize(Pick(4));
                        const std::string_view view = m_list.GetView(index);
                        m_list.PutSpliced(index, view.substr(0, a), text, view.substr(b, e - b));
                        text = old.substr(0, a) + text + old.substr(b, e - b);
                    } else {
                        m_list.Put(index, text);
                    }
                    m_model[index].text = text;
                    Bracketed("putted", index);
                }
                break;
            case 2:
                if (count > 0) {
                    const int a = Pick(count), b = Pick(count);
                    m_list.Exchange(a, b);
                    std::swap(m_model[a], m_model[b]);
                    Bracketed();
                }
                break;
            case 3:
                if (count > 0) {
                    const int index = Pick(count);
                    const std::intptr_t object = Pick(4) == 0 ? 0 : Pick(1000) + 1;
                    m_list.PutObject(index, object);
                    m_model[index].object = object;
                    Bracketed();
                }
                break;
            case 4:
            case 5:
                if (count > 0) {
                    const int index = Pick(count);
                    if (Pick(3) == 0) {
                        const int run = 1 + Pick(Pick(10) == 0 ? 3000 : 20);
                        const int cut = std::min(run, count - index);
                        m_list.DeleteLineRun(index, run);
                        m_model.erase(m_model.begin() + index, m_model.begin() + index + cut);
                        Bracketed("deleted", index);
                    } else {
                        m_list.Delete(index);
                        m_model.erase(m_model.begin() + index);
                        Bracketed("deleted", index);
                    }
                }
                break;
            case 6: {
                const std::string text = RandomText();
                EXPECT_EQ(m_list.Add(text), count);
                m_model.push_back({text});
                Bracketed("added", count);
                break;
            }
            case 7: {
                const int index = Pick(count + 1);
                const int run = 1 + Pick(Pick(8) == 0 ? 2500 : 5);
                m_list.InsertEmptyLines(index, run);
                m_model.insert(m_model.begin() + index, run, ModelLine{"", 0, 0});
                Report(m_expected, "added", index);
                break;
            }
            case 8: {
                std::vector<std::string> lines(Pick(40));
                for (std::string& line : lines) line = RandomText();
                m_list.AddStrings(lines);
                if (!lines.empty()) Bracketed("added", count);
                for (const std::string& line : lines) m_model.push_back({line});
                break;
            }
            case 9:
                if (Pick(20) == 0) {
                    m_tabWidth = 1 + Pick(9);
                    m_list.SetTabWidth(m_tabWidth);
                } else if (count > 0) {
                    // Small states, and now and then one too large for the packed form.
                    static const int kRanges[] = {-1, 0, 1, 6, 7, 13, 14, 255, -7, 1 << 20};
                    const int index = Pick(count);
                    const int range = kRanges[Pick(std::size(kRanges))];
                    m_list.SetLineRange(index, range);
                    m_model[index].range = range;
                }
                break;
        }
    }

    void Check() {
        ASSERT_EQ(m_list.GetCount(), static_cast<int>(m_model.size()));
        int longest = 0;
        for (std::size_t i = 0; i < m_model.size(); ++i) {
            ASSERT_EQ(m_list.GetView(static_cast<int>(i)), m_model[i].text) << i;
            ASSERT_EQ(m_list.GetObject(static_cast<int>(i)), m_model[i].object) << i;
            ASSERT_EQ(m_list.LineRange(static_cast<int>(i)), m_model[i].range) << i;
            longest = std::max(longest, ExpandedLength(m_model[i].text, m_tabWidth));
        }
        ASSERT_EQ(m_list.LongestLineLength(), longest);
        ASSERT_GE(m_list.GetCapacity(), m_list.GetCount());
        ASSERT_EQ(m_actual, m_expected);
        m_actual.clear();
        m_expected.clear();
    }

    int Count() const { return static_cast<int>(m_model.size()); }
    std::string Invariants() const { return CheckInvariants(m_list); }

  private:
    static void Report(std::vector<std::string>& log, const char* what, int index) {
        log.push_back(std::string(what) + " " + std::to_string(index));
    }
    void Bracketed(const char* what = nullptr, int index = 0) {
        m_expected.push_back("begin");
        if (what) Report(m_expected, what, index);
        m_expected.push_back("end");
    }
    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(m_random() % n); }
    std::string RandomText() {
        static const char kChars[] = "ab \t\t{};x\0\xe4";
        std::string text(Pick(Pick(30) == 0 ? 300 : 40), ' ');
        for (char& c : text) c = kChars[Pick(sizeof kChars - 1)];
        return text;
    }

    std::mt19937 m_random;
    TSynEditStringList m_list;
    std::vector<ModelLine> m_model;
    std::vector<std::string> m_expected, m_actual;
    int m_tabWidth = 8;
    int m_putShare = 0;
};

TEST(StringListModel, RandomEditsAgreeWithAVectorOfStrings) {
    ModelRun run(20240607);
    int largest = 0;
    for (int step = 0; step < 30000; ++step) {
        run.Step();
        ASSERT_EQ(run.Invariants(), "") << "step " << step;
        largest = std::max(largest, run.Count());
        if (step % 97 == 0) {
            run.Check();
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    run.Check();
    EXPECT_GT(largest, 3 * TSynEditLineStore::kChunkSize);
}

// The same on loaded texts, whose lines start packed: changed texts are listed beside the
// packed chunk until half of its lines changed, and every other change turns it loose.
TEST(StringListModel, RandomEditsOfALoadedTextAgreeWithAVectorOfStrings) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("quillon-model-" + std::to_string(::getpid()) + ".txt");
    for (unsigned round = 0; round < 8; ++round) {
        ModelRun run(7000 + round);
        run.Load(path, 900 + 150 * round, round % 3 == 0 ? 90 : 50);
        run.Check();
        for (int step = 0; step < 1500; ++step) {
            run.Step();
            ASSERT_EQ(run.Invariants(), "") << "round " << round << " step " << step;
            if (step % 53 == 0) {
                run.Check();
                if (::testing::Test::HasFatalFailure()) return;
            }
        }
        run.Check();
    }
    std::filesystem::remove(path);
}

}  // namespace

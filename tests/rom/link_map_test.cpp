// The maps the real tools write for the example programs: ld65's map of cc65 builds made through
// tools/pce-cc (one bank, and a card whose last bank the wrapper moved to the front) and
// 64tass's label list, read and placed in the images' banks.
#include "rom/link_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rom/rom_layout.h"

namespace {

const std::string kSourceDir = QUILLON_SOURCE_DIR;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HaveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

class LinkMapTools : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/linkmapXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    // Runs a shell command in the work directory; true when it exits with 0.
    bool Run(const std::string& command) {
        return std::system(("cd '" + m_dir + "' && " + command + " >build.log 2>&1").c_str()) == 0;
    }
    void Copy(const std::string& from) {
        std::filesystem::copy_file(kSourceDir + "/" + from,
                                   m_dir + "/" + std::filesystem::path(from).filename().string());
    }
    const TMapSegment* Segment(const TLinkMap& map, const std::string& name) {
        auto found = std::find_if(map.Segments.begin(), map.Segments.end(),
                                  [&](const TMapSegment& s) { return s.Name == name; });
        return found == map.Segments.end() ? nullptr : &*found;
    }
    const TMapLabel* Label(const TLinkMap& map, const std::string& name) {
        auto found = std::find_if(map.Labels.begin(), map.Labels.end(),
                                  [&](const TMapLabel& l) { return l.Name == name; });
        return found == map.Labels.end() ? nullptr : &*found;
    }
    std::string m_dir;
};

TEST_F(LinkMapTools, PceCcLeavesTheMapOfTheCExampleAndItsSegmentsLieInTheImage) {
    if (!HaveTool("cl65")) GTEST_SKIP() << "cc65 is not installed";
    Copy("examples/hello-c/hello.c");
    ASSERT_TRUE(Run("'" + kSourceDir + "/tools/pce-cc' -O -o hello.pce hello.c"))
        << Read(m_dir + "/build.log");
    const std::string image = Read(m_dir + "/hello.pce");
    ASSERT_EQ(image.size(), 8192u);
    ASSERT_EQ(MapFilesFor(m_dir + "/hello.pce")[0], m_dir + "/hello.map");

    const TLinkMap map = LoadLinkMap(m_dir + "/hello.pce", image);
    ASSERT_EQ(map.Kind, TLinkMap::TKind::Ld65);
    EXPECT_EQ(map.Path, m_dir + "/hello.map");
    // ROM segments are placed at their address less $E000; RAM and zero page are not placed.
    for (const char* name : {"RODATA", "CODE", "STARTUP", "VECTORS"}) {
        const TMapSegment* segment = Segment(map, name);
        ASSERT_NE(segment, nullptr) << name;
        EXPECT_TRUE(segment->Placed) << name;
        EXPECT_EQ(segment->Offset, segment->Start - 0xE000u) << name;
    }
    EXPECT_EQ(Segment(map, "VECTORS")->Offset, 8192u - 10u);
    EXPECT_FALSE(Segment(map, "ZEROPAGE")->Placed);
    EXPECT_FALSE(Segment(map, "BSS")->Placed);
    // DATA runs in RAM but its bytes are in ROM, where the map's load address says.
    const TMapSegment* data = Segment(map, "DATA");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Start, 0x2200u);
    EXPECT_TRUE(data->Placed);
    EXPECT_EQ(data->Offset, 0u);
    // The program's functions are labels in CODE; the linker's own symbols are not listed.
    const TMapLabel* main = Label(map, "_main");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->Placed);
    EXPECT_EQ(main->Offset, main->Address - 0xE000u);
    EXPECT_EQ(Label(map, "__CARTSIZE__"), nullptr);
    EXPECT_EQ(Label(map, "sp"), nullptr);  // zero page
    // The vectors' last word, the reset vector, points at the start-up code.
    const std::uint32_t reset =
        static_cast<std::uint8_t>(image[8190]) | static_cast<std::uint8_t>(image[8191]) << 8;
    EXPECT_EQ(reset, Segment(map, "STARTUP")->Start);
    // Every placed segment is inside bank 0.
    EXPECT_EQ(SegmentsIn(map, 0, 8192).size(), 6u);
}

TEST_F(LinkMapTools, ACardWhoseLastBankWasMovedToTheFrontHasItsSegmentsMovedWithIt) {
    if (!HaveTool("cl65")) GTEST_SKIP() << "cc65 is not installed";
    // 12 KB of constant data make a 16 KB card.
    std::ofstream(m_dir + "/big.c") << "const unsigned char big[12000] = {1, 2, 3};\n"
                                       "int main(void) { return big[0]; }\n";
    ASSERT_TRUE(Run("'" + kSourceDir + "/tools/pce-cc' -O -o big.pce big.c"))
        << Read(m_dir + "/build.log");
    const std::string image = Read(m_dir + "/big.pce");
    ASSERT_EQ(image.size(), 16384u);

    const TLinkMap map = LoadLinkMap(m_dir + "/big.pce", image);
    ASSERT_EQ(map.Kind, TLinkMap::TKind::Ld65);
    ASSERT_FALSE(map.Notes.empty());
    EXPECT_NE(map.Notes[0].find("moved to the front"), std::string::npos);
    // Linked at $C000-$FFFF: the last bank ($E000-) is the image's first now.
    const TMapSegment* vectors = Segment(map, "VECTORS");
    ASSERT_NE(vectors, nullptr);
    EXPECT_EQ(vectors->Offset, 8192u - 10u);
    // main, in the linked last bank at $E000 and up, is in the image's first bank now.
    const TMapLabel* main = Label(map, "_main");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(main->Placed);
    ASSERT_GE(main->Address, 0xE000u);
    EXPECT_EQ(main->Offset, main->Address - 0xE000u);
    // RODATA runs from the first linked bank into the second: two pieces, one in each bank.
    std::vector<const TMapSegment*> rodata;
    for (const TMapSegment& s : map.Segments)
        if (s.Name == "RODATA") rodata.push_back(&s);
    ASSERT_EQ(rodata.size(), 2u);
    EXPECT_EQ(rodata[0]->Offset + rodata[0]->Size, 16384u);
    EXPECT_EQ(rodata[1]->Offset, 0u);
    EXPECT_EQ(rodata[1]->Address, 0xE000u);
    EXPECT_EQ(rodata[1]->Start, 0xE000u);
    EXPECT_GE(rodata[0]->Size + rodata[1]->Size, 12000u);
    // The table's first bytes are where the segment's first piece says.
    EXPECT_EQ(image.substr(rodata[0]->Offset, 3), std::string("\x01\x02\x03", 3));
}

TEST_F(LinkMapTools, TheAssemblyExamplesLabelListPlacesItsLabelsWithTheirSourceLines) {
    if (!HaveTool("64tass")) GTEST_SKIP() << "64tass is not installed";
    Copy("examples/hello-asm/hello.asm");
    ASSERT_TRUE(Run("64tass -c -b -Wall -o hello.pce --dump-labels -l hello.lbl hello.asm"))
        << Read(m_dir + "/build.log");
    const std::string image = Read(m_dir + "/hello.pce");
    const TLinkMap map = LoadLinkMap(m_dir + "/hello.pce", image);
    ASSERT_EQ(map.Kind, TLinkMap::TKind::Labels64tass);
    EXPECT_EQ(map.Path, m_dir + "/hello.lbl");
    const TMapLabel* reset = Label(map, "reset");
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->Address, 0xE000u);
    EXPECT_TRUE(reset->Placed);
    EXPECT_EQ(reset->Offset, 0u);
    EXPECT_EQ(reset->File, "hello.asm");
    EXPECT_EQ(reset->Column, 1);
    // The source line holds the label.
    std::istringstream source(Read(m_dir + "/hello.asm"));
    std::string line;
    for (int i = 0; i < reset->Line; ++i) std::getline(source, line);
    EXPECT_EQ(line.substr(0, 5), "reset");
    // The palette table's bytes are where its label says.
    const TMapLabel* palette = Label(map, "palette");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->Offset, palette->Address - 0xE000u);
    // Constants are no ROM labels.
    EXPECT_EQ(Label(map, "TEXT_ROW"), nullptr);
    EXPECT_FALSE(Label(map, "VDC_SELECT") != nullptr && Label(map, "VDC_SELECT")->Placed);
    // The normal form of the list gives the same places, without the source lines.
    ASSERT_TRUE(Run("64tass -c -b -Wall -o hello.pce -l plain.lbl hello.asm"));
    TLinkMap plain = Parse64tassLabels(Read(m_dir + "/plain.lbl"));
    PlaceInImage(plain, image);
    const TMapLabel* plainReset = Label(plain, "reset");
    ASSERT_NE(plainReset, nullptr);
    EXPECT_TRUE(plainReset->Placed);
    EXPECT_EQ(plainReset->Offset, 0u);
    EXPECT_TRUE(plainReset->File.empty());
}

TEST(LinkMap, AMapOlderThanItsImageOrMissingIsNotRead) {
    char pattern[] = "/tmp/linkmapXXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    std::ofstream(dir + "/game.pce") << std::string(8192, '\xFF');
    EXPECT_EQ(LoadLinkMap(dir + "/game.pce", std::string(8192, '\xFF')).Kind,
              TLinkMap::TKind::None);
    std::ofstream(dir + "/game.lbl") << "start\t= $e000\n";
    EXPECT_EQ(LoadLinkMap(dir + "/game.pce", std::string(8192, '\xFF')).Kind,
              TLinkMap::TKind::Labels64tass);
    std::filesystem::last_write_time(
        dir + "/game.lbl",
        std::filesystem::last_write_time(dir + "/game.pce") - std::chrono::hours(1));
    EXPECT_EQ(LoadLinkMap(dir + "/game.pce", std::string(8192, '\xFF')).Kind,
              TLinkMap::TKind::None);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(MapFilesFor("/a.b/game"),
              (std::vector<std::string>{"/a.b/game.map", "/a.b/game.lbl"}));
}

TEST(LinkMap, LabelListLinesThatAreNoAddressesAreSkipped) {
    const TLinkMap map = Parse64tassLabels(
        "text\t= \"hello\"\n"
        "count\t= 12\n"
        "list\t= [1, 2]\n"
        "dir/my:file.asm:7:3: tbl = $c010\n"
        "low\t= $0402\n");
    ASSERT_EQ(map.Labels.size(), 2u);
    EXPECT_EQ(map.Labels[0].Name, "low");
    EXPECT_EQ(map.Labels[1].Name, "tbl");
    EXPECT_EQ(map.Labels[1].File, "dir/my:file.asm");
    EXPECT_EQ(map.Labels[1].Line, 7);
    EXPECT_EQ(map.Labels[1].Column, 3);
}

TEST(LinkMap, LabelsSharingAnAddressKeepTheirSourceOrderWhateverTheListsOrder) {
    const std::string endFirst = "a.asm:194:1: message_end = $e145\na.asm:196:1: font = $e145\n";
    const std::string fontFirst = "a.asm:196:1: font = $e145\na.asm:194:1: message_end = $e145\n";
    for (const std::string& text : {endFirst, fontFirst}) {
        const TLinkMap map = Parse64tassLabels(text);
        ASSERT_EQ(map.Labels.size(), 2u);
        EXPECT_EQ(map.Labels[0].Name, "message_end");
        EXPECT_EQ(map.Labels[1].Name, "font");
    }
}

}  // namespace

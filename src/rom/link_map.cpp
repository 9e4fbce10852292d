// Reading ld65 map files and 64tass label lists, and placing what they name in the image.
#include "rom/link_map.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "rom/rom_layout.h"

namespace {

constexpr std::uint32_t kAddressSpace = 0x10000;
// 64tass values from here up are taken as ROM addresses (pages 2 to 7).
constexpr std::uint32_t kLowestRomPage = 0x4000;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool ParseHex(std::string_view text, std::uint32_t& value) {
    if (text.empty() || text.size() > 8) return false;
    std::uint32_t result = 0;
    for (char c : text) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                                      : -1;
        if (digit < 0) return false;
        result = result * 16 + static_cast<std::uint32_t>(digit);
    }
    value = result;
    return true;
}

bool ParseDecimal(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int result = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        result = result * 10 + (c - '0');
    }
    value = result;
    return true;
}

// The lines of a section of an ld65 map: after its title and its dashed underline, up to the
// blank line that ends it.
std::vector<std::string_view> Section(const std::vector<std::string_view>& lines,
                                      std::string_view title) {
    std::vector<std::string_view> body;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Trim(lines[i]) != title) continue;
        std::size_t j = i + 1;
        if (j < lines.size() && Trim(lines[j]).starts_with("---")) ++j;
        for (; j < lines.size() && !Trim(lines[j]).empty(); ++j) body.push_back(lines[j]);
        break;
    }
    return body;
}

// Address order; labels sharing an address follow their definitions in the source, so the
// order does not depend on the order the tool happened to list them in.
void SortLabels(TLinkMap& map) {
    std::stable_sort(map.Labels.begin(), map.Labels.end(),
                     [](const TMapLabel& a, const TMapLabel& b) {
                         return std::tie(a.Address, a.File, a.Line, a.Name) <
                                std::tie(b.Address, b.File, b.Line, b.Name);
                     });
}

// The word at an image offset, or 0xFFFFFFFF when it lies outside.
std::uint32_t WordAt(std::string_view image, std::uint64_t offset) {
    if (offset + 2 > image.size()) return 0xFFFFFFFFu;
    return static_cast<std::uint8_t>(image[offset]) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(image[offset + 1])) << 8;
}

// The symbols an ld65 map defines, by name (exports only).
std::map<std::string, std::uint32_t, std::less<>> ExportValues(const TLinkMap& map) {
    std::map<std::string, std::uint32_t, std::less<>> values;
    for (const TMapLabel& label : map.Labels) values[label.Name] = label.Address;
    return values;
}

void PlaceLd65(TLinkMap& map, std::string_view image,
               const std::map<std::string, std::uint32_t, std::less<>>& symbols) {
    const std::uint64_t size = image.size();
    std::uint32_t romStart = 0;
    if (const auto cart = symbols.find("__CARTSIZE__");
        cart != symbols.end() && cart->second > 0 && cart->second <= kAddressSpace) {
        romStart = kAddressSpace - cart->second;
    } else if (size > 0 && size <= kAddressSpace) {
        romStart = static_cast<std::uint32_t>(kAddressSpace - size);
        map.Notes.push_back("The map names no card size; the ROM is taken to end at $FFFF.");
    } else {
        map.Notes.push_back("The image is larger than the map's address space: nothing placed.");
        return;
    }
    const std::uint64_t linkedSize = kAddressSpace - romStart;

    // Each segment's image bytes: where they were linked (the load address when the map has it).
    for (TMapSegment& segment : map.Segments) {
        segment.Address = segment.Start;
        if (const auto load = symbols.find("__" + segment.Name + "_LOAD__"); load != symbols.end())
            segment.Address = load->second;
    }

    // A reset vector that points into code of the map's last bank.
    auto pointsIntoCode = [&](std::uint32_t address) {
        if (address < 0xE000 || address >= kAddressSpace) return false;
        return std::any_of(map.Segments.begin(), map.Segments.end(), [&](const TMapSegment& s) {
            return s.Size > 0 && s.Address >= romStart && address >= s.Address &&
                   address < s.Address + s.Size;
        });
    };
    bool moved = false;
    if (size > kRomBankSize && size == linkedSize) {
        moved = pointsIntoCode(WordAt(image, kRomBankSize - 2)) &&
                !pointsIntoCode(WordAt(image, size - 2));
        if (moved)
            map.Notes.push_back(
                "The image's last bank was moved to the front after linking (its reset vector is "
                "in the first bank); the map's places are moved with it.");
    }
    if (size != linkedSize)
        map.Notes.push_back("The image is " + GroupedNumber(size) + " bytes, the map's ROM " +
                            GroupedNumber(linkedSize) + ": places may be off.");

    // Linked offset to image offset.
    auto toImage = [&](std::uint64_t linked) {
        if (!moved) return linked;
        const std::uint64_t last = linkedSize - kRomBankSize;
        return linked >= last ? linked - last : linked + kRomBankSize;
    };

    std::vector<TMapSegment> placed;
    for (const TMapSegment& segment : map.Segments) {
        const std::uint64_t end = std::uint64_t{segment.Address} + segment.Size;
        if (segment.Size == 0 || segment.Address < romStart || end > kAddressSpace) {
            placed.push_back(segment);
            continue;
        }
        std::uint64_t linked = segment.Address - romStart;
        std::uint64_t left = segment.Size;
        // A segment that runs across the moved bank's border becomes two pieces.
        while (left > 0) {
            std::uint64_t piece = left;
            if (moved) {
                const std::uint64_t border = linkedSize - kRomBankSize;
                if (linked < border && linked + piece > border) piece = border - linked;
            }
            TMapSegment part = segment;
            part.Placed = toImage(linked) + piece <= size;
            part.Offset = toImage(linked);
            part.Address = static_cast<std::uint32_t>(romStart + linked);
            // A piece runs as far into the run addresses as it lies into the segment.
            part.Start = segment.Start + (part.Address - segment.Address);
            part.Size = static_cast<std::uint32_t>(piece);
            placed.push_back(part);
            linked += piece;
            left -= piece;
        }
    }
    map.Segments = std::move(placed);

    for (TMapLabel& label : map.Labels) {
        if (label.Address < romStart || label.Address >= kAddressSpace) continue;
        // A label is in the image when a segment placed there holds it.
        const bool inSegment =
            std::any_of(map.Segments.begin(), map.Segments.end(), [&](const TMapSegment& s) {
                return s.Placed && label.Address >= s.Address && label.Address < s.Address + s.Size;
            });
        if (!inSegment) continue;
        label.Offset = toImage(label.Address - romStart);
        label.Placed = label.Offset < size;
    }
}

void Place64tass(TLinkMap& map, std::string_view image) {
    std::uint32_t lowest = kAddressSpace;
    for (const TMapLabel& label : map.Labels)
        if (label.Address >= kLowestRomPage && label.Address < kAddressSpace)
            lowest = std::min(lowest, label.Address);
    if (lowest == kAddressSpace) {
        map.Notes.push_back("The label list names no ROM addresses ($4000 and up).");
        return;
    }
    const std::uint32_t base = lowest & ~(kRomBankSize - 1);
    map.Notes.push_back("Labels are placed as if the image began at " + HexAddress(base) +
                        " and its bytes followed the addresses; a label list says nothing of "
                        ".logical blocks.");
    for (TMapLabel& label : map.Labels) {
        if (label.Address < base || label.Address >= kAddressSpace) continue;
        label.Offset = label.Address - base;
        label.Placed = label.Offset < image.size();
    }
}

}  // namespace

std::string HexAddress(std::uint32_t address) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "$";
    const int width = address > 0xFFFF ? 6 : 4;
    for (int shift = (width - 1) * 4; shift >= 0; shift -= 4)
        text += digits[(address >> shift) & 15];
    return text;
}

TLinkMap ParseLd65Map(std::string_view text) {
    TLinkMap map;
    map.Kind = TLinkMap::TKind::Ld65;
    const std::vector<std::string_view> lines = Lines(text);
    for (std::string_view line : Section(lines, "Segment list:")) {
        const std::vector<std::string_view> words = Words(line);
        // Name Start End Size Align; the header and its underline do not parse.
        if (words.size() < 4) continue;
        TMapSegment segment;
        std::uint32_t end = 0;
        if (!ParseHex(words[1], segment.Start) || !ParseHex(words[2], end) ||
            !ParseHex(words[3], segment.Size))
            continue;
        segment.Name = std::string(words[0]);
        segment.Address = segment.Start;
        map.Segments.push_back(std::move(segment));
    }
    // Two entries per line: name, value, flags (the flags may be missing their first letter).
    for (std::string_view line : Section(lines, "Exports list by name:")) {
        const std::vector<std::string_view> words = Words(line);
        for (std::size_t i = 0; i + 1 < words.size();) {
            TMapLabel label;
            label.Name = std::string(words[i]);
            if (!ParseHex(words[i + 1], label.Address)) break;
            std::string_view flags = i + 2 < words.size() ? words[i + 2] : std::string_view();
            // Flags are letters only; a name never follows without them.
            const bool hasFlags =
                !flags.empty() && std::all_of(flags.begin(), flags.end(), [](char c) {
                    return std::isupper(static_cast<unsigned char>(c));
                });
            i += hasFlags ? 3 : 2;
            if (!hasFlags) flags = {};
            // Labels, not equates; zero-page symbols are RAM.
            const bool isLabel = flags.find('L') != std::string_view::npos &&
                                 flags.find('Z') == std::string_view::npos;
            const bool linkerSymbol = label.Name.starts_with("__") && label.Name.ends_with("__");
            if (isLabel || linkerSymbol) map.Labels.push_back(std::move(label));
        }
    }
    SortLabels(map);
    return map;
}

TLinkMap Parse64tassLabels(std::string_view text) {
    TLinkMap map;
    map.Kind = TLinkMap::TKind::Labels64tass;
    for (std::string_view line : Lines(text)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view left = line.substr(0, equals);
        const std::string_view value = Trim(line.substr(equals + 1));
        TMapLabel label;
        // The dump form: "file:line:column: name"; a file name may hold colons itself.
        if (const std::size_t space = Trim(left).rfind(' '); space != std::string_view::npos) {
            const std::string_view where = Trim(left).substr(0, space);
            const std::size_t c2 = where.rfind(':');
            const std::size_t c1 = c2 == std::string_view::npos || c2 == 0
                                       ? std::string_view::npos
                                       : where.rfind(':', c2 - 1);
            const std::size_t c0 = c1 == std::string_view::npos || c1 == 0
                                       ? std::string_view::npos
                                       : where.rfind(':', c1 - 1);
            if (c0 != std::string_view::npos && c2 + 1 == where.size() &&
                ParseDecimal(where.substr(c0 + 1, c1 - c0 - 1), label.Line) &&
                ParseDecimal(where.substr(c1 + 1, c2 - c1 - 1), label.Column)) {
                label.File = std::string(where.substr(0, c0));
                left = Trim(left).substr(space + 1);
            } else {
                label.Line = label.Column = 0;
            }
        }
        left = Trim(left);
        // Only hex values are addresses; decimal ones, texts and lists are constants.
        if (left.empty() || value.size() < 2 || value[0] != '$') continue;
        if (!ParseHex(value.substr(1), label.Address)) continue;
        label.Name = std::string(left);
        map.Labels.push_back(std::move(label));
    }
    SortLabels(map);
    return map;
}

TLinkMap ParseLinkMap(std::string_view text) {
    if (text.find("Segment list:") != std::string_view::npos) return ParseLd65Map(text);
    return Parse64tassLabels(text);
}

void PlaceInImage(TLinkMap& map, std::string_view image) {
    if (map.Kind == TLinkMap::TKind::Ld65) {
        const auto symbols = ExportValues(map);
        PlaceLd65(map, image, symbols);
        // The linker's own symbols served the placing; they are no places in the program.
        std::erase_if(map.Labels, [](const TMapLabel& label) {
            return label.Name.starts_with("__") && label.Name.ends_with("__");
        });
    } else if (map.Kind == TLinkMap::TKind::Labels64tass) {
        Place64tass(map, image);
    }
}

std::vector<std::string> MapFilesFor(const std::string& imagePath) {
    const std::size_t slash = imagePath.rfind('/');
    const std::size_t dot = imagePath.rfind('.');
    const std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? imagePath.substr(0, dot)
                                 : imagePath;
    return {base + ".map", base + ".lbl"};
}

TLinkMap LoadLinkMap(const std::string& imagePath, std::string_view image) {
    namespace fs = std::filesystem;
    std::error_code error;
    const auto imageTime = fs::last_write_time(imagePath, error);
    const bool knowImageTime = !error;
    for (const std::string& path : MapFilesFor(imagePath)) {
        if (!fs::is_regular_file(path, error)) continue;
        if (knowImageTime) {
            const auto mapTime = fs::last_write_time(path, error);
            if (!error && mapTime + std::chrono::minutes(1) < imageTime) continue;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) continue;
        std::stringstream text;
        text << in.rdbuf();
        TLinkMap map = ParseLinkMap(text.str());
        if (map.Segments.empty() && map.Labels.empty()) continue;
        map.Path = path;
        PlaceInImage(map, image);
        return map;
    }
    return {};
}

std::vector<const TMapSegment*> SegmentsIn(const TLinkMap& map, std::uint64_t offset,
                                           std::uint64_t size) {
    std::vector<const TMapSegment*> found;
    for (const TMapSegment& segment : map.Segments)
        if (segment.Placed && segment.Offset < offset + size &&
            segment.Offset + segment.Size > offset)
            found.push_back(&segment);
    return found;
}

// What the build's map says is in the image: the segments of an ld65 map file (cc65 builds) and
// the exported labels in it, or the labels of a 64tass label list, each placed at its offset in
// the image where the map allows that to be derived.
//
// What can be derived:
// - ld65: a segment's run address and size. A segment that is loaded elsewhere than it runs
//   (DATA: copied from ROM to RAM at start) is placed by its load address, which the map names
//   when the linker configuration defines it (__DATA_LOAD__). The ROM area starts at $10000 less
//   the card size (__CARTSIZE__ in the map, else the image's size), as the console linker
//   configuration lays it out; segments outside it (zero page, RAM) are listed but not placed.
//   A linked image has its start-up code and vectors in its last bank, while the console starts
//   from the first one; an image whose reset vector (the last word of its first bank) points
//   into the map's code, while the last word of the image does not, had its last bank moved to
//   the front after linking, and everything is placed accordingly.
// - 64tass: a label list holds CPU addresses only, not places in the image. Values of $4000 and
//   above given in hex (the pages where ROM banks are mapped) are taken as ROM labels, and the
//   image is taken to begin at the 8 KB page of the lowest of them with its bytes following the
//   addresses (a program laid out with "* =", without .logical blocks).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TMapSegment {
    std::string Name;
    std::uint32_t Start = 0;  // the run address
    std::uint32_t Size = 0;
    bool Placed = false;        // lies in the image
    std::uint64_t Offset = 0;   // in the image (after any copier header), when placed
    std::uint32_t Address = 0;  // the address its image bytes were linked at (load address)
};

struct TMapLabel {
    std::string Name;
    std::uint32_t Address = 0;
    bool Placed = false;
    std::uint64_t Offset = 0;
    // Where the label is defined, when the list says so (64tass --dump-labels); else empty.
    std::string File;
    int Line = 0;
    int Column = 0;
};

struct TLinkMap {
    enum class TKind { None, Ld65, Labels64tass } Kind = TKind::None;
    std::string Path;  // the file read
    std::vector<TMapSegment> Segments;
    std::vector<TMapLabel> Labels;  // in address order
    // How the places were derived, or why some could not be, in words.
    std::vector<std::string> Notes;
};

// Reads the "Segment list" and the "Exports list by name" of an ld65 map (labels only, not
// equates, not zero page). Places nothing.
TLinkMap ParseLd65Map(std::string_view text);
// Reads a 64tass label list, in its normal form ("name = $e000") or its dump form
// ("file:line:column: name = $e000"). Places nothing.
TLinkMap Parse64tassLabels(std::string_view text);
// Either of the two, judged by the text.
TLinkMap ParseLinkMap(std::string_view text);

// Places the segments and labels in the image whose bytes (after any copier header) are given.
void PlaceInImage(TLinkMap& map, std::string_view image);

// The map files that may lie beside an image: game.pce -> game.map (ld65), game.lbl (64tass).
std::vector<std::string> MapFilesFor(const std::string& imagePath);

// Reads and places the map beside the image, when one is there and not older than the image by
// more than a minute (a map an earlier build left behind). Kind None when there is none.
TLinkMap LoadLinkMap(const std::string& imagePath, std::string_view image);

// The segments that lie in the image range [offset, offset + size).
std::vector<const TMapSegment*> SegmentsIn(const TLinkMap& map, std::uint64_t offset,
                                           std::uint64_t size);

// "$E57F" as the map's addresses are shown.
std::string HexAddress(std::uint32_t address);

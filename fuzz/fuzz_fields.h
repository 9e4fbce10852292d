// Splits a fuzzer's input into fields at the byte 0x01: the last field takes the rest, so every
// input makes exactly `count` fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> FuzzFields(const std::uint8_t* data, std::size_t size,
                                           std::size_t count) {
    std::vector<std::string> fields(count);
    std::size_t field = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0x01 && field + 1 < count) {
            ++field;
            continue;
        }
        fields[field] += static_cast<char>(data[i]);
    }
    return fields;
}

// The text of one line allocated for that line alone (an edited or inserted line), as a value
// that frees its bytes when it goes: whoever holds it owns the text, and handing it on moves it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "editor/memory_advice.h"

class TOwnedText {
  public:
    TOwnedText() = default;
    // Copies `text`; an empty text allocates nothing.
    explicit TOwnedText(std::string_view text) : m_length(static_cast<std::uint32_t>(text.size())) {
        if (text.empty()) return;
        m_text = static_cast<char*>(std::malloc(text.size()));
        if (!m_text) throw std::bad_alloc();
        PopulateForWriting(m_text, text.size());
        std::memcpy(m_text, text.data(), text.size());
    }
    // The three texts one after another, copied once (an edit inside a line).
    TOwnedText(std::string_view head, std::string_view middle, std::string_view tail)
        : m_length(static_cast<std::uint32_t>(head.size() + middle.size() + tail.size())) {
        if (m_length == 0) return;
        m_text = static_cast<char*>(std::malloc(m_length));
        if (!m_text) throw std::bad_alloc();
        // The first edit of a long line copies it into fresh memory.
        PopulateForWriting(m_text, m_length);
        char* at = m_text;
        for (std::string_view piece : {head, middle, tail}) {
            if (!piece.empty()) std::memcpy(at, piece.data(), piece.size());
            at += piece.size();
        }
    }
    ~TOwnedText() { std::free(m_text); }
    TOwnedText(TOwnedText&& other) noexcept
        : m_text(std::exchange(other.m_text, nullptr)),
          m_length(std::exchange(other.m_length, 0)) {}
    TOwnedText& operator=(TOwnedText&& other) noexcept {
        TOwnedText gone(std::move(*this));
        m_text = std::exchange(other.m_text, nullptr);
        m_length = std::exchange(other.m_length, 0);
        return *this;
    }
    TOwnedText(const TOwnedText&) = delete;
    TOwnedText& operator=(const TOwnedText&) = delete;

    // Replaces `removed` bytes at `at` by `middle` and keeps `tail` bytes after them,
    // dropping the rest, within this allocation, resized in place where the allocator can: an
    // edit of a long line moves its tail instead of copying the line into fresh memory.
    // `middle` must not lie in this text. When the allocation cannot grow, throws with the
    // text unchanged.
    void Splice(std::size_t at, std::size_t removed, std::string_view middle, std::size_t tail) {
        const std::size_t length = at + middle.size() + tail;
        if (length == 0) {
            *this = TOwnedText();
            return;
        }
        if (length > m_length) {
            void* grown = std::realloc(m_text, length);
            if (!grown) throw std::bad_alloc();
            m_text = static_cast<char*>(grown);
        }
        if (tail != 0 && middle.size() != removed)
            std::memmove(m_text + at + middle.size(), m_text + at + removed, tail);
        if (!middle.empty()) std::memcpy(m_text + at, middle.data(), middle.size());
        if (length < m_length) {
            // Shrinking keeps the bytes; a refusal only leaves the allocation larger.
            if (void* shrunk = std::realloc(m_text, length)) m_text = static_cast<char*>(shrunk);
        }
        m_length = static_cast<std::uint32_t>(length);
    }

    std::string_view View() const { return {m_text, m_length}; }
    const char* Data() const { return m_text; }
    std::uint32_t Length() const { return m_length; }
    bool Empty() const { return m_length == 0; }

    // The allocation handed to a store record that keeps it as a raw pointer with its owned
    // flag set; the record's holder gives it back through Adopt to free it.
    const char* Release() {
        m_length = 0;
        return std::exchange(m_text, nullptr);
    }
    // Takes back an allocation made by this class and given up by Release.
    static TOwnedText Adopt(const char* text, std::uint32_t length) {
        TOwnedText owned;
        owned.m_text = const_cast<char*>(text);
        owned.m_length = text ? length : 0;
        return owned;
    }

  private:
    char* m_text = nullptr;
    std::uint32_t m_length = 0;
};

// The text of one line allocated for that line alone (an edited or inserted line), as a value
// that frees its bytes when it goes: whoever holds it owns the text, and handing it on moves it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "platform/memory_advice.h"
#include "editor/text_block.h"

class TOwnedText {
  public:
    TOwnedText() = default;
    // Copies `text`; an empty text allocates nothing.
    explicit TOwnedText(std::string_view text) : TOwnedText(text, {}, {}) {}
    // The three texts one after another, copied once (an edit inside a line).
    TOwnedText(std::string_view head, std::string_view middle, std::string_view tail) {
        const std::size_t length = head.size() + middle.size() + tail.size();
        if (length == 0) return;
        const std::size_t room = RoomFor(length);
        char* base = static_cast<char*>(std::malloc(room + length));
        if (!base) throw std::bad_alloc();
        // The first edit of a long line copies it into fresh memory.
        PopulateForWriting(base, room + length);
        Place(base + room, room);
        m_length = static_cast<std::uint32_t>(length);
        char* at = m_text;
        for (std::string_view piece : {head, middle, tail}) {
            if (!piece.empty()) std::memcpy(at, piece.data(), piece.size());
            at += piece.size();
        }
    }
    ~TOwnedText() {
        if (m_text) std::free(Base());
    }
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
    // edit of a long line moves the shorter side of it (the bytes before the edit into the room
    // kept in front of them, or the tail) instead of copying the line into fresh memory.
    // `middle` must not lie in this text. When the allocation cannot grow, throws with the
    // text unchanged.
    void Splice(std::size_t at, std::size_t removed, std::string_view middle, std::size_t tail) {
        const std::size_t length = at + middle.size() + tail;
        if (length == 0) {
            *this = TOwnedText();
            return;
        }
        if (!m_text) {
            *this = TOwnedText(middle);  // nothing held: the middle is all there is
            return;
        }
        const std::size_t room = Room();
        // Bytes taken at the front become room there, as long as that stays within bounds.
        if (at < tail && m_length >= kRoomFrom &&
            (removed <= middle.size() || room + (removed - middle.size()) <= 2 * RoomFor(length))) {
            SpliceFront(at, removed, middle, tail);
            return;
        }
        if (length > m_length) {
            void* grown = std::realloc(Base(), room + length);
            if (!grown) throw std::bad_alloc();
            m_text = static_cast<char*>(grown) + room;
        }
        if (tail != 0 && middle.size() != removed)
            std::memmove(m_text + at + middle.size(), m_text + at + removed, tail);
        if (!middle.empty()) std::memcpy(m_text + at, middle.data(), middle.size());
        if (length < m_length) Shrink(room, length);
        m_length = static_cast<std::uint32_t>(length);
    }

    std::string_view View() const { return {m_text, m_length}; }
    const char* Data() const { return m_text; }
    std::uint32_t Length() const { return m_length; }
    bool Empty() const { return m_length == 0; }
    // Bytes kept free in front of the text for edits near its start.
    std::size_t FreeInFront() const { return m_text ? Room() - kWord : 0; }

    // The allocation handed to a store record that keeps it as a raw pointer with its owned
    // flag set; the record's holder gives it back through Adopt to free it.
    const char* Release() {
        m_length = 0;
        return std::exchange(m_text, nullptr);
    }
    // Takes over the block `text` lies in, for a line alone in it: the line's first edit then
    // changes it where it was read instead of copying it. The bytes before it become room.
    static TOwnedText TakeBlock(TTextBlock block, std::string_view text) {
        TOwnedText owned;
        if (text.empty()) return owned;  // the block goes: nothing to keep
        static_assert(kTextBlockFront >= kWord, "the room's size needs a word in front");
        char* const base = block.release() - kTextBlockFront;
        const auto room = static_cast<std::size_t>(text.data() - base);
        owned.Place(base + room, room);
        owned.m_length = static_cast<std::uint32_t>(text.size());
        return owned;
    }
    // Gives a block taken by TakeBlock and never changed since back as a block.
    TTextBlock GiveBackBlock() {
        char* const base = Base();
        m_text = nullptr;
        m_length = 0;
        return TTextBlock(base + kTextBlockFront);
    }
    // Takes back an allocation made by this class and given up by Release.
    static TOwnedText Adopt(const char* text, std::uint32_t length) {
        TOwnedText owned;
        owned.m_text = const_cast<char*>(text);
        owned.m_length = text ? length : 0;
        return owned;
    }

  private:
    // An allocation holds some room, then the text. The room's last word tells its size (the
    // text's distance from the allocation's start), so a record that keeps only the text's
    // address can still free it.
    static constexpr std::size_t kWord = sizeof(std::size_t);
    // Texts from this length on keep room in front, a sixty-fourth of their length within
    // bounds: typing at the start of a long line moves the few bytes before the caret.
    static constexpr std::size_t kRoomFrom = 64 * 1024;
    static constexpr std::size_t kLeastRoom = 4 * 1024;
    static constexpr std::size_t kMostRoom = 16 * 1024 * 1024;

    static std::size_t RoomFor(std::size_t length) {
        if (length < kRoomFrom) return kWord;
        return kWord + std::min(std::max(length / 64, kLeastRoom), kMostRoom);
    }
    std::size_t Room() const {
        std::size_t room;
        std::memcpy(&room, m_text - kWord, kWord);
        return room;
    }
    char* Base() const { return m_text - Room(); }
    void Place(char* text, std::size_t room) {
        std::memcpy(text - kWord, &room, kWord);
        m_text = text;
    }
    void Shrink(std::size_t room, std::size_t length) {
        // Shrinking keeps the bytes; a refusal only leaves the allocation larger.
        if (void* shrunk = std::realloc(Base(), room + length))
            m_text = static_cast<char*>(shrunk) + room;
    }

    // The edit with the bytes before it moved, the tail left where it lies.
    void SpliceFront(std::size_t at, std::size_t removed, std::string_view middle,
                     std::size_t tail) {
        std::size_t room = Room();
        const std::size_t dropped = m_length - at - removed - tail;
        if (middle.size() > removed && room - kWord < middle.size() - removed) {
            // Out of room in front: the whole text moves once to make more.
            const std::size_t wanted = RoomFor(m_length) + (middle.size() - removed);
            void* grown = std::realloc(Base(), wanted + m_length);
            if (!grown) throw std::bad_alloc();
            char* base = static_cast<char*>(grown);
            std::memmove(base + wanted, base + room, m_length);
            Place(base + wanted, wanted);
            room = wanted;
        }
        // The head's new start: earlier by what the edit adds, later by what it takes.
        char* text = m_text + removed - middle.size();
        if (at != 0) std::memmove(text, m_text, at);
        room = room + removed - middle.size();
        Place(text, room);
        if (!middle.empty()) std::memcpy(m_text + at, middle.data(), middle.size());
        m_length = static_cast<std::uint32_t>(at + middle.size() + tail);
        if (dropped != 0) Shrink(room, m_length);
    }

    char* m_text = nullptr;
    std::uint32_t m_length = 0;
};

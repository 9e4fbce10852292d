// The in-memory clipboard and the private format's encoding.
#include "editor/synedit_clipboard.h"

std::string EncodeSynBlock(const std::string& text, TSynSelectionMode mode) {
    std::string data;
    data.reserve(text.size() + 2);
    data.push_back(static_cast<char>(mode));
    data += text;
    data.push_back('\0');
    return data;
}

bool DecodeSynBlock(const std::string& data, std::string& text, TSynSelectionMode& mode) {
    if (data.empty()) return false;
    auto byte = static_cast<unsigned char>(data[0]);
    mode = byte <= smColumn ? static_cast<TSynSelectionMode>(byte) : smNormal;
    std::size_t end = data.find('\0', 1);
    text = data.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    return true;
}

void TSynMemoryClipboard::SetText(const std::string& text, TSynSelectionMode mode) {
    m_hasText = true;
    m_text = text;
    m_block = EncodeSynBlock(text, mode);
}

bool TSynMemoryClipboard::GetBlock(std::string& text, TSynSelectionMode& mode) const {
    if (m_block.empty()) return false;
    return DecodeSynBlock(m_block, text, mode);
}

bool TSynMemoryClipboard::GetText(std::string& text) const {
    if (!m_hasText) return false;
    text = m_text;
    return true;
}

void TSynMemoryClipboard::SetPlainText(const std::string& text) {
    m_hasText = true;
    m_text = text;
    m_block.clear();
}

void TSynMemoryClipboard::Clear() {
    m_hasText = false;
    m_text.clear();
    m_block.clear();
}

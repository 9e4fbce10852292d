// The line buffer's error: an index outside the lines, reported with the offending index.
#pragma once

#include <stdexcept>
#include <string>

class ESynEditStringList : public std::runtime_error {
  public:
    explicit ESynEditStringList(int index)
        : std::runtime_error("Invalid stringlist index " + std::to_string(index)), m_index(index) {}

    int Index() const { return m_index; }

  private:
    int m_index;
};

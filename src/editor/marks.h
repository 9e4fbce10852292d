// Marks shown in the gutter; the ten bookmarks are marks with a bookmark number 0..9.
#pragma once

#include <functional>
#include <memory>
#include <vector>

class TSynEditMark;

// What a mark needs of its editor: repainting the gutter rows of a line.
class ISynMarkOwner {
  public:
    virtual ~ISynMarkOwner() = default;
    virtual void InvalidateGutterLine(int line) = 0;
};

class TSynEditMark {
  public:
    explicit TSynEditMark(ISynMarkOwner* owner) : m_owner(owner) {}

    int Line() const { return m_line; }
    void SetLine(int v);
    int Column() const { return m_column; }
    void SetColumn(int v) { m_column = v; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int v);
    bool Visible() const { return m_visible; }
    void SetVisible(bool v);
    bool InternalImage() const { return m_internalImage; }
    void SetInternalImage(bool v);
    int BookmarkNumber() const { return m_bookmarkNumber; }
    void SetBookmarkNumber(int v) { m_bookmarkNumber = v; }
    bool IsBookmark() const { return m_bookmarkNumber >= 0; }
    ISynMarkOwner* Owner() const { return m_owner; }

  private:
    void Repaint(int line);

    int m_line = 0;
    int m_column = 0;
    int m_imageIndex = 0;
    ISynMarkOwner* m_owner;
    bool m_visible = false;
    bool m_internalImage = false;
    int m_bookmarkNumber = -1;
};

// The editor's ordered list of marks; owns them.
class TSynEditMarkList {
  public:
    static constexpr int kMaxMarksPerLine = 16;
    std::function<void()> OnChange;

    int Count() const { return static_cast<int>(m_marks.size()); }
    TSynEditMark* At(int i) const { return m_marks[static_cast<size_t>(i)].get(); }
    TSynEditMark* Add(std::unique_ptr<TSynEditMark> mark);
    // Removes and releases the mark.
    void Remove(TSynEditMark* mark);
    void Clear();
    // The marks of one line in list order, at most 16.
    std::vector<TSynEditMark*> MarksForLine(int line) const;
    // Lines inserted before line `first`: marks there and below move down by n.
    void LinesInserted(int first, int n);
    // Lines first+1 .. first+n removed: marks on them move to `first`, marks below move up.
    void LinesDeleted(int first, int n);

  private:
    void Changed() {
        if (OnChange) OnChange();
    }
    std::vector<std::unique_ptr<TSynEditMark>> m_marks;
};

// Error marks in the gutter and their picture.
#include "documents/error_marks.h"

#include <QPainter>
#include <algorithm>
#include <memory>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"

namespace {

bool IsErrorMark(const TSynEditMark& mark) {
    return !mark.IsBookmark() && mark.ImageIndex() == kErrorMarkImage;
}

}  // namespace

QPixmap ErrorMarkPicture() {
    QPixmap picture(14, 14);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(128, 0, 0), 1));
    painter.setBrush(QColor(230, 20, 20));
    painter.drawEllipse(QRectF(0.5, 0.5, 13, 13));
    painter.fillRect(QRect(3, 6, 8, 2), Qt::white);
    return picture;
}

void SetErrorMarks(TCustomSynEdit& editor, const std::vector<int>& lines) {
    TSynEditMarkList& marks = editor.Marks();
    for (int i = marks.Count() - 1; i >= 0; --i) {
        if (IsErrorMark(*marks.At(i))) marks.Remove(marks.At(i));
    }
    std::vector<int> wanted = lines;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    const int lineCount = std::max(1, editor.Lines().GetCount());
    for (int line : wanted) {
        if (line < 1 || line > lineCount) continue;
        auto mark = std::make_unique<TSynEditMark>(&editor);
        mark->SetLine(line);
        mark->SetColumn(1);
        mark->SetImageIndex(kErrorMarkImage);
        mark->SetInternalImage(false);
        mark->SetVisible(true);
        marks.Add(std::move(mark));
    }
}

std::vector<int> ErrorMarkLines(TCustomSynEdit& editor) {
    std::vector<int> lines;
    TSynEditMarkList& marks = editor.Marks();
    for (int i = 0; i < marks.Count(); ++i) {
        if (IsErrorMark(*marks.At(i))) lines.push_back(marks.At(i)->Line());
    }
    return lines;
}

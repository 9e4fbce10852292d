// The editor widget's mouse side: Qt mouse, drag and drop events into the editor logic, the
// cursor shape over the viewport, the 100 ms auto-scroll timer and the start of a text drag.
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "editor/qt/synedit.h"
#include "platform/codepage.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"

namespace {

// Identifies the editor a text drag started in: "<process id>:<editor address>".
constexpr const char* kSynEditDragMimeType = "application/x-quillon-editor-drag";

TShiftState ModifierShift(Qt::KeyboardModifiers modifiers) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    return shift;
}

TShiftState ButtonShift(Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

TShiftState MouseShift(const QMouseEvent* event) {
    return ModifierShift(event->modifiers()) | ButtonShift(event->buttons());
}

bool ToMouseButton(Qt::MouseButton button, TMouseButton& result) {
    switch (button) {
        case Qt::LeftButton:
            result = mbLeft;
            return true;
        case Qt::RightButton:
            result = mbRight;
            return true;
        case Qt::MiddleButton:
            result = mbMiddle;
            return true;
        default:
            return false;
    }
}

Qt::CursorShape ToCursorShape(TSynCursor cursor) {
    switch (cursor) {
        case crIBeam:
            return Qt::IBeamCursor;
        case crDrag:
            return Qt::DragMoveCursor;
        case crMultiDrag:
            return Qt::DragCopyCursor;
        case crNoDrop:
            return Qt::ForbiddenCursor;
        default:
            return Qt::ArrowCursor;
    }
}

QPoint Pos(const QMouseEvent* event) {
    return event->position().toPoint();
}

}  // namespace

void TSynEdit::InitMouse() {
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_scrollTimer.setInterval(100);
    connect(&m_scrollTimer, &QTimer::timeout, this, [this] {
        RunCommand([this] {
            ScrollTimerTick(ModifierShift(QGuiApplication::keyboardModifiers()));
            UpdateScrollTimer();
        });
    });
}

void TSynEdit::UpdateScrollTimer() {
    if (!ScrollTimerWanted())
        m_scrollTimer.stop();
    else if (!m_scrollTimer.isActive())
        m_scrollTimer.start();
}

void TSynEdit::UpdateMouseCursor(const QPoint& pos) {
    const Qt::CursorShape shape = ToCursorShape(MouseCursorAt(pos.x(), pos.y()));
    if (viewport()->cursor().shape() != shape) viewport()->setCursor(shape);
}

void TSynEdit::mousePressEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ToMouseButton(event->button(), button)) return QAbstractScrollArea::mousePressEvent(event);
    RunCommand([&] {
        MouseDown(button, MouseShift(event), Pos(event).x(), Pos(event).y());
        if (!hasFocus()) setFocus(Qt::MouseFocusReason);
        UpdateScrollTimer();
        UpdateMouseCursor(Pos(event));
    });
    event->accept();
}

void TSynEdit::mouseMoveEvent(QMouseEvent* event) {
    RunCommand([&] {
        if (MouseMove(MouseShift(event), Pos(event).x(), Pos(event).y(),
                      QApplication::startDragDistance()))
            StartTextDrag();
        UpdateScrollTimer();
        UpdateMouseCursor(Pos(event));
    });
    event->accept();
}

void TSynEdit::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ToMouseButton(event->button(), button))
        return QAbstractScrollArea::mouseReleaseEvent(event);
    // The shift state names the released button too, as the button-up handling expects.
    const TShiftState shift = MouseShift(event) | ButtonShift(event->button());
    RunCommand([&] {
        MouseUp(button, shift, Pos(event).x(), Pos(event).y());
        UpdateScrollTimer();
        UpdateMouseCursor(Pos(event));
    });
    event->accept();
}

void TSynEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return mousePressEvent(event);
    RunCommand([&] {
        DblClick(Pos(event).x(), Pos(event).y());
        MouseDown(mbLeft, MouseShift(event) | ssDouble, Pos(event).x(), Pos(event).y());
        UpdateScrollTimer();
    });
    event->accept();
}

void TSynEdit::StartTextDrag() {
    auto* data = new QMimeData;
    data->setText(QString::fromStdU16String(CodePageToUtf16(SelText())));
    const QByteArray id = QByteArray::number(QCoreApplication::applicationPid()) + ':' +
                          QByteArray::number(reinterpret_cast<quintptr>(this));
    data->setData(kSynEditDragMimeType, id);
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    // The receiving editor does the whole move or copy, so the result needs no handling here.
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

TSynEdit* TSynEdit::DragSourceEditor(const QDropEvent* event) const {
    auto* source = qobject_cast<TSynEdit*>(event->source());
    const QMimeData* data = event->mimeData();
    if (!source || !data || !data->hasFormat(kSynEditDragMimeType)) return nullptr;
    const QList<QByteArray> parts = data->data(kSynEditDragMimeType).split(':');
    if (parts.size() != 2) return nullptr;
    bool pidOk = false;
    bool addressOk = false;
    const qint64 pid = parts[0].toLongLong(&pidOk);
    const quintptr address = parts[1].toULongLong(&addressOk);
    if (!pidOk || !addressOk || pid != QCoreApplication::applicationPid() ||
        address != reinterpret_cast<quintptr>(source))
        return nullptr;
    return source;
}

bool TSynEdit::AcceptsDroppedFiles(const QMimeData* data) const {
    if (!HasOption(eoDropFiles) || !OnDropFiles || !data || !data->hasUrls()) return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return true;
    return false;
}

void TSynEdit::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TSynEdit::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (AcceptsDroppedFiles(event->mimeData()) && !DragSourceEditor(event)) {
        event->acceptProposedAction();
        return;
    }
    bool accepted = false;
    RunCommand([&] { accepted = DragOver(DragSourceEditor(event), pos.x(), pos.y()); });
    if (!accepted) {
        event->ignore();
        return;
    }
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction
                                                                    : Qt::MoveAction);
    event->accept();
}

void TSynEdit::dragLeaveEvent(QDragLeaveEvent* event) {
    RunCommand([&] { DragLeave(); });
    event->accept();
}

void TSynEdit::dropEvent(QDropEvent* event) {
    const QPoint pos = event->position().toPoint();
    TSynEdit* source = DragSourceEditor(event);
    if (!source && AcceptsDroppedFiles(event->mimeData())) {
        std::vector<std::string> names;
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile()) names.push_back(FromQPath(url.toLocalFile()));
        RunCommand([&] { DropFiles(pos.x(), pos.y(), std::move(names)); });
        event->acceptProposedAction();
        return;
    }
    if (!source) {
        event->ignore();
        return;
    }
    RunCommand([&] { DragDrop(source, pos.x(), pos.y(), ModifierShift(event->modifiers())); });
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction
                                                                    : Qt::MoveAction);
    event->accept();
}

// Frame window construction, the output panel and its timer, the status bar, the document
// windows in the client area and the frame's own commands (Close, Exit, About, Setup).
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/about_box.h"
#include "app/app_icon.h"
#include "app/app_session.h"
#include "app/build_binding.h"
#include "app/held_window_titles.h"
#include "app/images.h"
#include "editor/qt/synedit.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/codepage.h"
#include "platform/edit_actions_target.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"
#include "setup/setup_dialog.h"
#include "toolrun/qt/output_panel_widget.h"
#include "widgets/form_saver.h"
#include "widgets/mdi_scroll.h"
#include "widgets/mdi_tiled_image.h"

namespace {

constexpr int kStatusBarHeight = 21;
// Windows of a batch between two runs of the events they posted.
constexpr int kBatchFlushWindows = 32;

}  // namespace

TMainForm::TMainForm(TAppSession& session, QWidget* parent)
    : QMainWindow(parent),
      m_session(session),
      m_toolImages(CreateToolImages()),
      m_bookmarkImages(CreateBookmarkImages()),
      m_heldTitles(std::make_unique<THeldWindowTitles>()),
      m_synCppSyn1(std::make_unique<TSynCppSyn>()) {
    setObjectName("MainForm");
    setWindowTitle("Vesk Engine - Quillon IDE! Version 3.10 ");
    setWindowIcon(ApplicationIcon());
    resize(800, 600);

    m_clientArea = new QMdiArea(this);
    m_clientArea->setObjectName("ClientArea");
    m_clientArea->setBackground(ColorToQColor(clAppWorkSpace, m_clientArea->palette()));
    ApplyFrameWindowColors(*m_synCppSyn1);
    CreateOutputPanel();

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(m_clientArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
        LowerMinimisedWindows(active);
        UpdateCommandStates();
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { UpdateEditCommands(); });
    UpdateCommandStates();
    CreateFrameComponents();
}

TMainForm::~TMainForm() {
    // Document windows and the output panel reference the frame's highlighter and pictures;
    // they go while those still exist.
    if (m_timer1 != nullptr) m_timer1->stop();
    for (QMdiSubWindow* window : m_clientArea->subWindowList()) {
        disconnect(window, nullptr, this, nullptr);
        delete window;
    }
    m_documents.clear();
    delete m_pnlColorMemo1;
    m_pnlColorMemo1 = nullptr;
    // Editors may still hold the callback; it must not reach a half-destroyed frame.
    m_editTarget = nullptr;
    m_editWidget = nullptr;
    // Children outlive this class's members while the base class destroys them; none of their
    // signals may reach the members any more.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_clientArea, nullptr, this, nullptr);
    for (QMdiSubWindow* window : m_documents) disconnect(window, nullptr, this, nullptr);
}

void TMainForm::CreateOutputPanel() {
    // The client area fills what the output panel leaves above the status bar.
    auto* centre = new QWidget(this);
    centre->setObjectName("Centre");
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_clientArea->setParent(centre);
    layout->addWidget(m_clientArea, 1);
    m_pnlColorMemo1 = new TOutputPanel(m_synCppSyn1.get(), centre);
    m_pnlColorMemo1->ColorMemo1->SetClipboard(&m_session.EditorClipboard());
    layout->addWidget(m_pnlColorMemo1);
    setCentralWidget(centre);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName("Timer1");
    m_timer1->setInterval(500);
    connect(m_timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
    m_timer1->start();
}

void TMainForm::Timer1Timer() {
    if (m_pnlColorMemo1 != nullptr) m_pnlColorMemo1->Timer1Timer();
}

void TMainForm::CreateStatusBar() {
    m_statusBar = statusBar();
    m_statusBar->setObjectName("StatusBar");
    m_statusBar->setFixedHeight(kStatusBarHeight);
}

void TMainForm::SetStatusText(const std::string& text) {
    m_statusBar->showMessage(ToQ(text));
}

std::string TMainForm::StatusText() const {
    return FromQ(m_statusBar->currentMessage());
}

QMdiSubWindow* TMainForm::AddDocumentWindow(QWidget* document, QSize size) {
    // Every document window carries the stays-on-top hint. Raising a window without it makes the
    // client area look through all its windows for ones with the hint, checking each against its
    // list of windows: a cost that grows with the square of the windows open, paid on every
    // open, activation and restore, so a thousand files took seconds. Raising one with the hint
    // only brings it to the front. As all windows carry it, it orders none above the others.
    auto* window = qobject_cast<QMdiSubWindow*>(document);
    QWidget* content = nullptr;
    if (window == nullptr) {
        // Made inside the client area: a window made without a parent is a window of the
        // desktop first, with all that costs.
        window =
            new QMdiSubWindow(m_clientArea->viewport(), Qt::SubWindow | Qt::WindowStaysOnTopHint);
        content = document;
    } else {
        window->setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(ApplicationIcon());
    // Added with no size, the client area does not look for the free place that overlaps the
    // other windows least (a search over all of them); the cascade below places it instead.
    window->resize(0, 0);
    m_clientArea->addSubWindow(window);
    // The document goes in once the window is in the client area: a window holding one when it
    // joins resets the frame's title on the display server (twice) for it.
    if (content != nullptr) window->setWidget(content);
    // Sized before it is shown: resizing a shown window lays it out again at once.
    window->resize(size.isValid() ? size
                                  : window->sizeHint()
                                        .boundedTo(m_clientArea->viewport()->size())
                                        .expandedTo(window->minimumSizeHint()));
    if (QMenu* systemMenu = window->systemMenu()) {
        for (QAction* action : systemMenu->actions()) {
            // The child's own system menu would claim Ctrl+W, which belongs to the frame's Close.
            action->setShortcuts({});
            // Staying on top means nothing where every window does.
            if (action->isCheckable()) systemMenu->removeAction(action);
        }
    }
    // New windows cascade from the top left corner, one title bar lower and further right each,
    // starting again at the corner when the next step would leave the client area.
    const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const QSize area = m_clientArea->viewport()->size();
    const int fits = std::min(area.width() - window->width(), area.height() - window->height());
    const int positions = std::max(1, fits / std::max(1, step) + 1);
    const int k = static_cast<int>(m_documents.size()) % positions;
    window->move(k * step, k * step);
    m_documents << window;
    // The window is half destroyed when this runs: it is only compared, never cast.
    connect(window, &QObject::destroyed, this, [this, window] {
        m_documents.removeAll(window);
        UpdateCommandStates();
    });
    if (m_batchDepth > 0) {
        // The events the windows made so far posted (layouts, polish, moves) are handled every
        // few windows: each post to a widget that has one waiting searches the whole queue, so
        // a queue grown by a thousand windows made their making quadratic.
        if (m_batchWindows.size() % kBatchFlushWindows == kBatchFlushWindows - 1)
            QCoreApplication::sendPostedEvents();
        // Shown disabled, the window does not become active: each activation makes the client
        // area deactivate every other window, which a batch would pay once per window.
        window->setEnabled(false);
        m_batchWindows << window;
        m_heldTitles->Hold(window);
        window->show();
    } else {
        window->show();
        m_clientArea->setActiveSubWindow(window);
    }
    UpdateCommandStates();
    return window;
}

void TMainForm::BeginDocumentBatch() {
    ++m_batchDepth;
}

void TMainForm::EndDocumentBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0) return;
    QMdiSubWindow* last = nullptr;
    for (const QPointer<QMdiSubWindow>& window : std::as_const(m_batchWindows)) {
        if (window.isNull()) continue;
        window->setEnabled(true);
        last = window;
    }
    m_batchWindows.clear();
    if (last != nullptr) m_clientArea->setActiveSubWindow(last);
    m_heldTitles->ReleaseLater();
}

void TMainForm::LowerMinimisedWindows(QMdiSubWindow* active) {
    // Minimised windows go below the others when another one becomes active, as the client area
    // does for windows that do not stay on top (all document windows do, see AddDocumentWindow).
    // The client area's own list: a window being destroyed may still be in m_documents.
    if (active == nullptr) return;
    for (QMdiSubWindow* window : m_clientArea->subWindowList()) {
        if (window != active && window->isMinimized() && !window->isShaded()) window->lower();
    }
}

int TMainForm::MDIChildCount() const {
    return static_cast<int>(m_documents.size());
}

QWidget* TMainForm::ActiveMDIChild() const {
    QMdiSubWindow* active = m_clientArea->activeSubWindow();
    if (active == nullptr || !m_documents.contains(active)) return nullptr;
    return active->widget() != nullptr ? active->widget() : active;
}

void TMainForm::FileClose1Execute() {
    m_clientArea->closeActiveSubWindow();
}

void TMainForm::FileCloseAll1Execute() {
    for (QMdiSubWindow* window : m_clientArea->subWindowList()) {
        if (!window->close()) return;
    }
}

void TMainForm::FileExit1Execute() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    // A failing question keeps the frame: unsaved text must not go with an error.
    if (m_closeQuery && !RunCommand([this, &canClose] { canClose = m_closeQuery(); }))
        canClose = false;
    if (canClose) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void TMainForm::HelpAbout1Execute() {
    if (m_aboutBox != nullptr) m_aboutBox->exec();
}

void TMainForm::SetSetupDialog(TfrmSetup* frmSetup) {
    if (m_frmSetup == nullptr && frmSetup != nullptr)
        BindCommand(m_actions.Setup1, [this] { Setup1Click(); });
    m_frmSetup = frmSetup;
}

void TMainForm::Setup1Click() {
    if (m_frmSetup != nullptr) m_frmSetup->ShowSetup();
}

// Document window construction, activation, Change Style and the editor's settings.
#include "documents/mdi_child.h"

#include <QAction>
#include <QCloseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "completion/completion_proposal.h"
#include "documents/code_completion.h"
#include "documents/document_frame.h"
#include "documents/document_highlighters.h"
#include "documents/library_completion_list.h"
#include "documents/search_flow.h"
#include "documents/source_path.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/qt/error_report.h"
#include "platform/qt/image_list.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_text.h"
#include "platform/str_to_int.h"
#include "widgets/flat_tool_bar.h"

namespace {

// Picture indexes in the frame's tool image list.
constexpr int kImageFindPrevious = 3;
constexpr int kImageFindNext = 4;
constexpr int kImageChangeStyle = 10;
constexpr int kImageFind = 12;
constexpr int kImageReplace = 13;

constexpr TShortCut kCtrlF = 16454;
constexpr TShortCut kF3 = 114;
constexpr TShortCut kShiftF3 = 8306;
constexpr TShortCut kCtrlH = 16456;

constexpr int kSeparatorWidth = 8;

void AddGap(QToolBar* bar) {
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(kSeparatorWidth);
    bar->addWidget(gap);
}

}  // namespace

TMDIChild::TMDIChild(IDocumentFrame& frame, TOrigin origin, QWidget* parent)
    : QWidget(parent),
      m_frame(frame),
      m_synCppSyn1(std::make_unique<TSynCppSyn>()),
      m_highlighters(
          std::make_unique<TDocumentHighlighters>(*m_synCppSyn1, frame.FrameHighlighter())) {
    setObjectName("MDIChild");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(618, 426);
    setBackgroundRole(QPalette::Button);
    ApplyDocumentWindowColors(*m_synCppSyn1);

    CreateActions();
    CreateToolBar();
    m_synEditor = new TSynEdit(this);
    m_synEditor->setObjectName("SynEditor");
    m_synEditor->SetClipboard(&frame.EditorClipboard());
    SetUpEditor();
    m_synCompletionProposal1 = std::make_unique<TSynCompletionProposal>();
    SetUpLibraryCompletion(*m_synCompletionProposal1, *m_synEditor);
    m_codeCompletion = std::make_unique<TCodeCompletion>(*m_synCompletionProposal1);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("StatusBar");
    m_statusBar->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tbMain);
    layout->addWidget(m_synEditor, 1);
    layout->addWidget(m_statusBar);
    setFocusProxy(m_synEditor);

    m_searchFlow =
        std::make_unique<TSearchFlow>(*this, *m_synEditor, *m_statusBar, frame.SearchSession());
    BindAction(m_actSearch, [this] { m_searchFlow->actSearchExecute(); });
    BindAction(m_actSearchNext, [this] { m_searchFlow->actSearchNextExecute(); });
    BindAction(m_actSearchPrev, [this] { m_searchFlow->actSearchPrevExecute(); });
    BindAction(m_actSearchReplace, [this] { m_searchFlow->actSearchReplaceExecute(); });

    FormCreate();
    if (origin == TOrigin::New) {
        m_sourcePath.clear();
        m_synEditor->SetReadOnly(false);
    }
}

TMDIChild::~TMDIChild() {
    // The editor unhooks itself from its highlighter when it goes, so it must go before the
    // window's own highlighter does; the completion popup and the search flow refer to it.
    m_codeCompletion.reset();
    m_synCompletionProposal1.reset();
    m_searchFlow.reset();
    delete m_synEditor;
    m_synEditor = nullptr;
    // The tool bar's gaps go before the tool bar, which would first hand each one back without
    // a parent: taking a widget out of the frame walks the frame's whole focus chain, as long as
    // all the document windows' widgets together, so closing many windows took quadratic time.
    for (QAction* action : m_tbMain->actions()) {
        if (auto* widgetAction = qobject_cast<QWidgetAction*>(action))
            delete widgetAction->defaultWidget();
    }
}

QAction* TMDIChild::NewAction(const char* caption, int image, int shortcut) {
    auto* action = new QAction(tr(caption), this);
    action->setIcon(m_frame.ToolImages().Icon(image));
    if (shortcut != 0) {
        action->setShortcut(ShortCutToKeySequence(static_cast<TShortCut>(shortcut)));
        // The frame's Edit menu carries the same keys and runs them on the active document
        // window wherever the focus is in the frame; two live shortcuts for one key would
        // cancel each other out, so here the key is only shown.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    addAction(action);
    return action;
}

void TMDIChild::CreateActions() {
    m_actSearch = NewAction("&Find...", kImageFind, kCtrlF);
    m_actSearchNext = NewAction("Find &next", kImageFindNext, kF3);
    m_actSearchPrev = NewAction("Find &previous", kImageFindPrevious, kShiftF3);
    m_actSearchReplace = NewAction("&Replace...", kImageReplace, kCtrlH);
    m_actChangeStyle = NewAction("Change Style", kImageChangeStyle, 0);
    BindAction(m_actChangeStyle, [this] { actChangeStyleExecute(); });
}

void TMDIChild::CreateToolBar() {
    m_tbMain = new TFlatToolBar(QStringLiteral("Standard"), this);
    m_tbMain->setObjectName("tbMain");
    m_tbMain->setIconSize(QSize(16, 16));
    m_tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_tbMain->setMovable(false);
    m_tbMain->setFloatable(false);
    m_tbMain->addAction(m_actSearch);
    AddGap(m_tbMain);
    m_tbMain->addAction(m_actSearchPrev);
    m_tbMain->addAction(m_actSearchNext);
    AddGap(m_tbMain);
    m_tbMain->addAction(m_actSearchReplace);
    m_tbMain->addAction(m_actChangeStyle);
}

void TMDIChild::SetUpEditor() {
    TSynEdit& editor = *m_synEditor;
    editor.SetColor(clWhite);
    TSynFont font;
    font.Name = "Courier New";
    font.Height = -13;
    font.Style = 0;
    font.Color = static_cast<std::uint32_t>(clWindowText);
    font.Charset = 1;
    editor.SetFont(font);
    editor.viewport()->setCursor(Qt::IBeamCursor);
    // Tab and Shift+Tab indent in a source editor; they do not move the focus.
    editor.SetWantTabs(true);
    TSynGutter& gutter = editor.Gutter();
    gutter.SetDigitCount(5);
    gutter.SetLeadingZeros(true);
    gutter.SetShowLineNumbers(true);
    gutter.SetUseFontStyle(true);
    editor.BookMarkOptions().SetBookmarkImages(m_frame.BookmarkImages());
    editor.SetHighlighter(m_synCppSyn1.get());
    if (editor.Lines().GetCount() == 0) editor.Lines().Add("");
    editor.OnChange = [this](TCustomSynEdit*) { SynEditorChange(); };
    editor.OnStatusChange = [this](TCustomSynEdit*, TSynStatusChanges changes) {
        if (changes & (stModified | stAll)) UpdateTitle();
        emit EditorStatusChanged();
    };
}

void TMDIChild::FormCreate() {
    m_sourcePath = m_frame.OpenDialogFileName();
    m_synEditor->SetReadOnly(m_frame.OpenDialogReadOnly());
    m_textChanged = false;
}

void TMDIChild::m() {
    const TSourceFile file = SplitSourcePath(m_sourcePath);
    m_frame.SetSourceFile(file.Dir, file.Name);

    m_highlighters->ChooseFor(m_sourcePath, *m_synEditor);

    // The scheme is read in one pass; each colour is applied as soon as it is converted, so a
    // bad value keeps those before it.
    const std::array<std::string, scSchemeColorCount> scheme = m_frame.ReadSchemeColors();
    m_synEditor->SetColor(StrToInt(scheme[scBackground]));
    for (TSchemeColor which :
         {scAsm, scComment, scDirective, scIdentifier, scKey, scNumber, scString}) {
        m_highlighters->ApplySchemeColor(which, StrToInt(scheme[which]));
    }
}

void TMDIChild::actChangeStyleExecute() {
    if (m_synEditor->Color() == clNavy) {
        m_synEditor->SetColor(clWhite);
        m_synEditor->SetHighlighter(&m_highlighters->Light());
    } else {
        m_synEditor->SetColor(clNavy);
        m_synEditor->SetHighlighter(&m_highlighters->Own());
    }
}

bool TMDIChild::ContinueFromCaret() const {
    return m_searchFlow->ContinueFromCaret();
}

void TMDIChild::SetContinueFromCaret(bool value) {
    m_searchFlow->SetContinueFromCaret(value);
}

void TMDIChild::SynEditorChange() {
    m_textChanged = true;
}

void TMDIChild::BindAction(QAction* action, std::function<void()> handler) {
    connect(action, &QAction::triggered, this, Guarded(std::move(handler)));
    action->setEnabled(true);
}

void TMDIChild::SetCaption(const std::string& caption) {
    m_caption = caption;
    UpdateTitle();
}

bool TMDIChild::IsModified() const {
    return m_synEditor != nullptr && m_synEditor->Modified();
}

void TMDIChild::SetDiskStamp(const TFileStamp& stamp) {
    m_loadedStamp = stamp;
    m_seenStamp = stamp;
    m_hasDiskStamp = true;
    SetDeletedOnDisk(false);
}

void TMDIChild::SetDeletedOnDisk(bool deleted) {
    if (deleted == m_deletedOnDisk) return;
    m_deletedOnDisk = deleted;
    UpdateTitle();
}

void TMDIChild::UpdateTitle() {
    QString title = ToQPath(m_caption);
    if (m_deletedOnDisk) title += QStringLiteral(" (deleted)");
    setWindowTitle(IsModified() ? title + QStringLiteral(" *") : title);
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    // A failing question keeps the window: its text must not go with an error.
    if (m_onCloseQuery && !RunCommand([this, &canClose] { canClose = m_onCloseQuery(); }))
        canClose = false;
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

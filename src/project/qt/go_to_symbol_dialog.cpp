// The Go to Symbol list: a model over the filtered symbols, refilled at every keystroke.
#include "project/qt/go_to_symbol_dialog.h"

#include <QAbstractListModel>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "project/symbol_filter.h"

class TSymbolListModel : public QAbstractListModel {
  public:
    TSymbolListModel(std::vector<TSymbolLocation> symbols, const std::string& preferredPath,
                     std::string root)
        : m_symbols(std::move(symbols)), m_root(std::move(root)) {
        m_names.reserve(m_symbols.size());
        m_preferred.reserve(m_symbols.size());
        for (const TSymbolLocation& symbol : m_symbols) {
            m_names.emplace_back(symbol.Symbol.Name);
            m_preferred.push_back(symbol.Path == preferredPath);
        }
    }

    void SetFilter(const std::string& text) {
        beginResetModel();
        m_shown = FilterNames(m_names, m_preferred, text);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
        const TSymbolLocation& symbol = Shown(index.row());
        std::string path = symbol.Path;
        if (path.compare(0, m_root.size(), m_root) == 0) path = path.substr(m_root.size());
        return ToQ(symbol.Symbol.Name + "    " + std::string(SymbolKindName(symbol.Symbol.Kind)) +
                   "    " + path + ":" + std::to_string(symbol.Symbol.Line));
    }
    const TSymbolLocation& Shown(int row) const {
        return m_symbols[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(row)])];
    }

  private:
    std::vector<TSymbolLocation> m_symbols;
    std::vector<std::string_view> m_names;  // into m_symbols, which never changes
    std::vector<bool> m_preferred;
    std::vector<int> m_shown;
    std::string m_root;
};

TGoToSymbolDialog::TGoToSymbolDialog(std::vector<TSymbolLocation> symbols,
                                     const std::string& preferredPath, const std::string& root,
                                     QWidget* owner)
    : QDialog(owner),
      m_model(std::make_unique<TSymbolListModel>(std::move(symbols), preferredPath, root)) {
    setObjectName("GoToSymbolDialog");
    setWindowTitle(tr("Go to Symbol"));
    auto* layout = new QVBoxLayout(this);
    edtFilter = new QLineEdit(this);
    edtFilter->setObjectName("edtFilter");
    edtFilter->setPlaceholderText(tr("Type part of a name"));
    lvSymbols = new QListView(this);
    lvSymbols->setObjectName("lvSymbols");
    lvSymbols->setModel(m_model.get());
    lvSymbols->setUniformItemSizes(true);
    lvSymbols->setFocusPolicy(Qt::NoFocus);
    lvSymbols->setMinimumSize(520, 320);
    layout->addWidget(edtFilter);
    layout->addWidget(lvSymbols);
    edtFilter->installEventFilter(this);
    connect(edtFilter, &QLineEdit::textChanged, this, [this] { Refilter(); });
    connect(edtFilter, &QLineEdit::returnPressed, this, [this] {
        if (Chosen()) accept();
    });
    connect(lvSymbols, &QListView::activated, this, [this] { accept(); });
    Refilter();
    edtFilter->setFocus();
}

TGoToSymbolDialog::~TGoToSymbolDialog() {
    // The view lets go of the model before the model goes.
    lvSymbols->setModel(nullptr);
}

void TGoToSymbolDialog::SetFilter(const std::string& text) {
    edtFilter->setText(ToQ(text));
}

void TGoToSymbolDialog::Refilter() {
    m_model->SetFilter(FromQ(edtFilter->text()));
    if (m_model->rowCount({}) > 0) lvSymbols->setCurrentIndex(m_model->index(0));
}

int TGoToSymbolDialog::ShownCount() const {
    return m_model->rowCount({});
}

const TSymbolLocation& TGoToSymbolDialog::Shown(int row) const {
    return m_model->Shown(row);
}

std::optional<TSymbolLocation> TGoToSymbolDialog::Chosen() const {
    const QModelIndex current = lvSymbols->currentIndex();
    if (!current.isValid() || current.row() >= ShownCount()) return std::nullopt;
    return m_model->Shown(current.row());
}

bool TGoToSymbolDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtFilter && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                // The list moves its selection; the typing stays in the box.
                QCoreApplication::sendEvent(lvSymbols, event);
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

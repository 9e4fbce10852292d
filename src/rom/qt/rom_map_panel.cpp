// The ROM Map panel: summary line, open button and the scrolled bank rows.
#include "rom/qt/rom_map_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"
#include "rom/qt/rom_map_view.h"
#include "rom/rom_layout.h"

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TRomMapPanel::TRomMapPanel(QWidget* parent) : QDockWidget(QStringLiteral("ROM Map"), parent) {
    setObjectName(QStringLiteral("RomMapPanel"));
    setAllowedAreas(Qt::AllDockWidgetAreas);

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    m_summary = new QLabel(QStringLiteral("No image yet: build one, or open a .pce file."), body);
    m_summary->setObjectName(QStringLiteral("RomMapSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);
    m_open = new QPushButton(QStringLiteral("&Open..."), body);
    m_open->setObjectName(QStringLiteral("RomMapOpen"));
    top->addWidget(m_summary, 1);
    top->addWidget(m_open, 0, Qt::AlignTop);
    column->addLayout(top);

    m_view = new TRomMapView;
    m_scroll = new QScrollArea(body);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    column->addWidget(m_scroll, 1);
    setWidget(body);

    connect(m_open, &QPushButton::clicked, this, [this] { RunCommand([this] { OpenImage(); }); });
}

void TRomMapPanel::ShowImage(const std::string& path) {
    m_imagePath = path;
    try {
        const TRomLayout layout = LoadRomLayout(path);
        m_summary->setText(ToQPath(NameOf(path)) + QStringLiteral(": ") +
                           ToQ(LayoutSummary(layout)));
        m_summary->setToolTip(ToQPath(path));
        m_view->SetLayout(layout);
    } catch (const std::exception& error) {
        m_summary->setText(ToQ(error.what()));
        m_summary->setToolTip(QString());
        m_view->SetLayout({});
    }
}

void TRomMapPanel::OpenImage() {
    TFileDialogRequest request;
    request.Title = "Open Console Image";
    request.Filter = "Console Images (*.pce)|*.pce|All Files (*)|*";
    request.InitialDir = DirectoryOf(m_imagePath);
    request.FileMustExist = true;
    const TFileDialogResult result = Dialogs().OpenFileDialog(request);
    if (result.Accepted) ShowImage(result.FileName);
}

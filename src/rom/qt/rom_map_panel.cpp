// The ROM Map panel: summary line, open button and the scrolled bank rows.
#include "rom/qt/rom_map_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"
#include "rom/link_map.h"
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
    auto* split = new QSplitter(Qt::Vertical, body);
    m_scroll = new QScrollArea(split);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    auto* mapPart = new QWidget(split);
    auto* mapColumn = new QVBoxLayout(mapPart);
    mapColumn->setContentsMargins(0, 0, 0, 0);
    m_mapNote = new QLabel(mapPart);
    m_mapNote->setObjectName(QStringLiteral("RomMapNote"));
    m_mapNote->setWordWrap(true);
    m_mapNote->setTextFormat(Qt::PlainText);
    m_list = new QTreeWidget(mapPart);
    m_list->setObjectName(QStringLiteral("RomMapList"));
    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Bank"),
                             QStringLiteral("Address"), QStringLiteral("Size"),
                             QStringLiteral("Defined")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    mapColumn->addWidget(m_mapNote);
    mapColumn->addWidget(m_list, 1);
    split->addWidget(m_scroll);
    split->addWidget(mapPart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    column->addWidget(split, 1);
    setWidget(body);

    connect(m_open, &QPushButton::clicked, this, [this] { RunCommand([this] { OpenImage(); }); });
    connect(m_view, &TRomMapView::LabelClicked, this,
            [this](int label) { emit LabelChosen(label); });
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { RunCommand([&] { ListItemClicked(item); }); });
}

void TRomMapPanel::ShowImage(const std::string& path) {
    m_imagePath = path;
    try {
        const std::string bytes = ReadRomFile(path);
        const TRomLayout layout = AnalyseRom(bytes);
        m_summary->setText(ToQPath(NameOf(path)) + QStringLiteral(": ") +
                           ToQ(LayoutSummary(layout)));
        m_summary->setToolTip(ToQPath(path));
        const std::string_view image =
            std::string_view(bytes).substr(layout.CopierHeader ? kCopierHeaderSize : 0);
        m_view->SetLayout(layout);
        m_view->SetMap(LoadLinkMap(path, image));
    } catch (const std::exception& error) {
        m_summary->setText(ToQ(error.what()));
        m_summary->setToolTip(QString());
        m_view->SetLayout({});
    }
    FillMapList();
}

namespace {

enum TItemRole { kLabelRole = Qt::UserRole, kSegmentRole };

QString BankOf(bool placed, std::uint64_t offset) {
    return placed
               ? QStringLiteral("$%1").arg(offset / kRomBankSize, 2, 16, QLatin1Char('0')).toUpper()
               : QStringLiteral("-");
}

QString SegmentNote(const TMapSegment& segment) {
    if (!segment.Placed) return QStringLiteral("segment, not in the image");
    if (segment.Start != segment.Address)
        return QStringLiteral("segment, runs at ") + ToQ(HexAddress(segment.Start));
    return QStringLiteral("segment");
}

}  // namespace

void TRomMapPanel::FillMapList() {
    m_list->clear();
    const TLinkMap& map = m_view->Map();
    if (map.Kind == TLinkMap::TKind::None) {
        m_mapNote->setText(QStringLiteral(
            "No map beside the image: cc65 builds write one with -m (tools/pce-cc does), 64tass "
            "with -l (the packaged command does)."));
        return;
    }
    QString note = ToQPath(NameOf(map.Path)) + QStringLiteral(": %1 segment(s), %2 label(s).")
                                                   .arg(map.Segments.size())
                                                   .arg(map.Labels.size());
    for (const std::string& line : map.Notes) note += QStringLiteral(" ") + ToQ(line);
    m_mapNote->setText(note);
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < map.Segments.size(); ++i) {
        const TMapSegment& segment = map.Segments[i];
        auto* item = new QTreeWidgetItem({ToQ(segment.Name), BankOf(segment.Placed, segment.Offset),
                                          ToQ(HexAddress(segment.Address)),
                                          ToQ(GroupedNumber(segment.Size)), SegmentNote(segment)});
        item->setBackground(0, m_view->SegmentColour(static_cast<int>(i)));
        item->setData(0, kSegmentRole, static_cast<int>(i));
        item->setData(0, kLabelRole, -1);
        items.push_back(item);
    }
    for (std::size_t i = 0; i < map.Labels.size(); ++i) {
        const TMapLabel& label = map.Labels[i];
        if (!label.Placed) continue;
        const QString defined = label.File.empty()
                                    ? QStringLiteral("label")
                                    : ToQ(label.File) + QStringLiteral(":%1").arg(label.Line);
        auto* item = new QTreeWidgetItem({ToQ(label.Name), BankOf(true, label.Offset),
                                          ToQ(HexAddress(label.Address)), QString(), defined});
        item->setData(0, kLabelRole, static_cast<int>(i));
        item->setData(0, kSegmentRole, -1);
        items.push_back(item);
    }
    m_list->addTopLevelItems(items);
    m_list->resizeColumnToContents(0);
}

void TRomMapPanel::ListItemClicked(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    if (const int label = item->data(0, kLabelRole).toInt(); label >= 0) {
        emit LabelChosen(label);
        return;
    }
    // A segment has no place in the source: the rows scroll to its bank.
    const int segment = item->data(0, kSegmentRole).toInt();
    const TLinkMap& map = m_view->Map();
    if (segment < 0 || static_cast<std::size_t>(segment) >= map.Segments.size()) return;
    const TMapSegment& s = map.Segments[static_cast<std::size_t>(segment)];
    if (!s.Placed) return;
    const int bank = static_cast<int>(s.Offset / kRomBankSize);
    m_scroll->ensureVisible(
        0, TRomMapView::kMargin + bank * TRomMapView::kRowHeight + TRomMapView::kRowHeight / 2, 0,
        TRomMapView::kRowHeight);
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

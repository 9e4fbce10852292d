// Wiring of the ROM Map panel into the frame.
#include "app/rom_map_binding.h"

#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "platform/files.h"
#include "platform/qt/error_report.h"
#include "rom/link_map.h"
#include "rom/qt/rom_map_panel.h"
#include "rom/qt/rom_map_view.h"

TRomMapBinding::TRomMapBinding(TMainForm& form, std::function<std::string()> activeImage)
    : QObject(&form), m_form(form), m_activeImage(std::move(activeImage)) {
    m_panel = new TRomMapPanel(&form);
    form.addDockWidget(Qt::RightDockWidgetArea, m_panel);
    m_panel->hide();

    m_action = new QAction(tr("&ROM Map"), &form);
    m_action->setObjectName(QStringLiteral("RomMap1"));
    m_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+M")));
    m_action->setStatusTip(tr("Show how full each 8 KB bank of the console image is"));
    form.Run1()->addSeparator();
    form.Run1()->addAction(m_action);
    form.addAction(m_action);
    form.BindCommand(m_action, [this] { RomMap1Execute(); });

    connect(m_panel, &TRomMapPanel::LabelChosen, this, [this](int index) {
        RunCommand([&] {
            const TLinkMap& map = m_panel->View().Map();
            if (!m_openLabel || index < 0 || static_cast<std::size_t>(index) >= map.Labels.size())
                return;
            m_openLabel(map.Labels[static_cast<std::size_t>(index)], map.Path);
        });
    });
    connect(&form, &TMainForm::ImageBuilt, this,
            [this](const std::string& path) { ImageBuilt(path); });
}

void TRomMapBinding::RomMap1Execute() {
    std::string image = m_lastBuilt;
    if (image.empty() && m_activeImage) image = m_activeImage();
    if (!image.empty() && FileExists(image)) m_panel->ShowImage(image);
    m_panel->show();
    m_panel->raise();
}

void TRomMapBinding::ImageBuilt(const std::string& path) {
    m_lastBuilt = path;
    // An open panel follows every build; a closed one stays closed.
    if (m_panel->isVisible()) m_panel->ShowImage(path);
}

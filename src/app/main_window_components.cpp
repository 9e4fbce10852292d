// The frame window's non-visual components: the form saver that keeps its placement between
// runs, the background picture of its client area and the client area's scroll bar switch.
#include "app/frame_placement.h"
#include "app/images.h"
#include "app/main_window.h"
#include "widgets/form_saver.h"
#include "widgets/mdi_scroll.h"
#include "widgets/mdi_tiled_image.h"

void TMainForm::CreateFrameComponents() {
    m_abcFormSaver1 = std::make_unique<TabcFormSaver>(this);
    m_abcFormSaver1->setObjectName("abcFormSaver1");
    m_abcFormSaver1->SetIniFileName(FramePlacementFile());

    // Created before the scroll switch, so the switch's handler sees the area's events first.
    m_abcMDITiledImage1 = std::make_unique<TabcMDITiledImage>(this);
    m_abcMDITiledImage1->setObjectName("abcMDITiledImage1");
    m_abcMDITiledImage1->SetPicture(BackgroundTilePicture());
    m_abcMDITiledImage1->SetImageStyle(sTile);

    m_abcMDIScroll1 = std::make_unique<TabcMDIScroll>(this);
    m_abcMDIScroll1->setObjectName("abcMDIScroll1");
    m_abcMDIScroll1->SetEnabled(true);

    // The window has finished loading.
    m_abcFormSaver1->Loaded();
    m_abcMDITiledImage1->Loaded();
    m_abcMDIScroll1->Loaded();
}

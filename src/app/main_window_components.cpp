// The frame window's non-visual components: the form saver that keeps its placement between
// runs, the background picture of its client area and the client area's scroll bar switch.
#include "app/frame_placement.h"
#include "app/images.h"
#include "app/main_window.h"
#include "widgets/form_saver.h"
#include "widgets/mdi_scroll.h"
#include "widgets/mdi_tiled_image.h"

void TMainForm::CreateFrameComponents() {
    abcFormSaver1 = std::make_unique<TabcFormSaver>(this);
    abcFormSaver1->setObjectName("abcFormSaver1");
    abcFormSaver1->SetIniFileName(FramePlacementFile());

    // Created before the scroll switch, so the switch's handler sees the area's events first.
    abcMDITiledImage1 = std::make_unique<TabcMDITiledImage>(this);
    abcMDITiledImage1->setObjectName("abcMDITiledImage1");
    abcMDITiledImage1->SetPicture(BackgroundTilePicture());
    abcMDITiledImage1->SetImageStyle(sTile);

    abcMDIScroll1 = std::make_unique<TabcMDIScroll>(this);
    abcMDIScroll1->setObjectName("abcMDIScroll1");
    abcMDIScroll1->SetEnabled(true);

    // The window has finished loading.
    abcFormSaver1->Loaded();
    abcMDITiledImage1->Loaded();
    abcMDIScroll1->Loaded();
}

// The ROM Map in the frame: the panel docked at the right, hidden until asked for, the Run menu's
// "&ROM Map" entry (Ctrl+Shift+M) and the image each successful build writes.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class TMainForm;
class TRomMapPanel;
class QAction;
struct TMapLabel;

class TRomMapBinding : public QObject {
    Q_OBJECT

  public:
    // activeImage names the image of the active document (empty when there is none); the
    // entry shows it while no build has written one.
    TRomMapBinding(TMainForm& form, std::function<std::string()> activeImage);

    TRomMapPanel& Panel() { return *m_panel; }
    QAction& Action() { return *m_action; }

    // Shows the panel with the last image built (else the active document's).
    void RomMap1Execute();

    // Opens a label's definition: mapPath is the map that named it, beside which a file the map
    // names is found.
    using TLabelOpener = std::function<void(const TMapLabel& label, const std::string& mapPath)>;
    void SetLabelOpener(TLabelOpener opener) { m_openLabel = std::move(opener); }

  private:
    void ImageBuilt(const std::string& path);

    TMainForm& m_form;
    std::function<std::string()> m_activeImage;
    TRomMapPanel* m_panel = nullptr;
    QAction* m_action = nullptr;
    std::string m_lastBuilt;
    TLabelOpener m_openLabel;
};

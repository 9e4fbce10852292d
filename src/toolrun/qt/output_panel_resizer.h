// Lets the user resize the output panel by dragging its top edge: the panel grows upwards into
// the client area and keeps its height for the rest of the run.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

class TOutputPanelResizer : public QObject {
    Q_OBJECT
  public:
    // Height of the strip along the top edge that takes the drag.
    static constexpr int kGripHeight = 5;
    static constexpr int kMinHeight = 80;
    // Room the client area keeps above the panel.
    static constexpr int kClientRoom = 60;

    // Watches the panel's mouse events.
    explicit TOutputPanelResizer(QWidget* panel, QObject* parent = nullptr);

    // Sets the panel's height, kept between kMinHeight and what its parent leaves.
    void SetPanelHeight(int height);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> m_panel;
    bool m_dragging = false;
    int m_startY = 0;  // global y where the drag started
    int m_startHeight = 0;
};

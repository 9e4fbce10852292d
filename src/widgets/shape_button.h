// The shape button: draws itself from an image list, one picture per state, and takes the mouse
// only where its shape is, so clicks beside the shape reach whatever lies below.
#pragma once

#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/qt/image_list.h"

class TabcShapeButton : public QWidget {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TabcShapeButton(QWidget* parent = nullptr);
    ~TabcShapeButton() override;

    // Only referenced; the button follows the list's changes and forgets it when it is
    // destroyed.
    TImageList* ImageList() const { return m_imageList; }
    void SetImageList(TImageList* value);

    int IndexUp() const { return m_indexUp; }
    void SetIndexUp(int value);
    int IndexDown() const { return m_indexDown; }
    void SetIndexDown(int value);
    int IndexFlat() const { return m_indexFlat; }
    void SetIndexFlat(int value);
    int IndexDisabled() const { return m_indexDisabled; }
    void SetIndexDisabled(int value);
    int IndexMouseMask() const { return m_indexMouseMask; }
    void SetIndexMouseMask(int value);

    bool Popup() const { return m_popup; }
    void SetPopup(bool value);
    int OffsetUpX() const { return m_offsetUp.x(); }
    int OffsetUpY() const { return m_offsetUp.y(); }
    void SetOffsetUp(int x, int y);
    int OffsetDownX() const { return m_offsetDown.x(); }
    int OffsetDownY() const { return m_offsetDown.y(); }
    void SetOffsetDown(int x, int y);
    // Kept for the form's description; Qt scales nothing by itself, so it has no effect here.
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool value) { m_scaled = value; }
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);

    TNotifyEvent OnClick;

    // The area that takes the mouse, in the button's coordinates; empty without a picture.
    const QRegion& Shape() const { return m_shape; }
    bool Pressed() const { return m_pressed; }
    bool Hot() const { return m_hot; }
    // The list index drawn in the current state and its offset; the index is -1 when the
    // state has no valid picture.
    int CurrentIndex() const;
    QPoint CurrentOffset() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    bool Valid(int index) const;
    void UpdateShape();
    void SetHot(bool value);

    QPointer<TImageList> m_imageList;
    QMetaObject::Connection m_listChanged;
    int m_indexUp = -1;
    int m_indexDown = -1;
    int m_indexFlat = -1;
    int m_indexDisabled = -1;
    int m_indexMouseMask = -1;
    bool m_popup = true;
    QPoint m_offsetUp{-1, -1};
    QPoint m_offsetDown{1, 1};
    bool m_scaled = false;
    std::string m_caption;

    QRegion m_shape;
    bool m_hot = false;
    bool m_pressed = false;
    bool m_tracking = false;
};

#pragma once
// A slider that jumps to where it is clicked (a plain one moves a page at a time), then
// follows the drag.

#include <QSlider>

class PositionSlider final : public QSlider {
    Q_OBJECT

public:
    explicit PositionSlider(QWidget* parent = nullptr);
    // The value under a pixel of the groove.
    int ValueAt(QPoint pos) const;

signals:
    // Only the user's clicks, drags and keys; values set by the program are not reported.
    void positionChosen(int value);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#pragma once
// A label that reports mouse presses: the grid cells and the name labels.

#include <QLabel>

class ClickLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button, QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

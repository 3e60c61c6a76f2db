#pragma once
// A label that reports mouse presses: the grid cells and the name labels. A name label also
// takes the keyboard focus, shows it with a frame and answers Enter and Space.

#include <QLabel>

class ClickLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button, QPoint globalPos);
    // Enter or Space while the label has the focus; globalPos is just below the label.
    void activated(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

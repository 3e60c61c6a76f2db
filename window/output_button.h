#pragma once
// An output's on/off button. The window keeps what the board last reported; the button only
// shows it: when on, flat pure red with a dark border and a black caption on every style
// (a style's gradient would make the red pale); when off, the style's own button face.

#include <QPushButton>

class OutputButton : public QPushButton {
    Q_OBJECT

public:
    OutputButton(const QString& caption, QWidget* parent);

    void ShowOn(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool shownOn = false;
};

#include "window/output_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

const QColor kOnColor(255, 0, 0);

} // namespace

OutputButton::OutputButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void OutputButton::ShowOn(bool on) {
    shownOn = on;
    if (on) {
        // Also in the palette, for anything that draws from it.
        QPalette palette = this->palette();
        palette.setColor(QPalette::Button, kOnColor);
        palette.setColor(QPalette::ButtonText, Qt::black);
        setPalette(palette);
    } else {
        // Back to the inherited palette: the normal button face.
        setPalette(QPalette());
    }
    update();
}

void OutputButton::paintEvent(QPaintEvent* event) {
    if (!shownOn) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, kOnColor);
    // A pressed button gets a thicker border, so a click still shows.
    const int border = isDown() ? 2 : 1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(face.left(), face.top(), face.width(), border);
    painter.drawRect(face.left(), face.bottom() - border + 1, face.width(), border);
    painter.drawRect(face.left(), face.top(), border, face.height());
    painter.drawRect(face.right() - border + 1, face.top(), border, face.height());
    painter.setPen(Qt::black);
    painter.drawText(face, Qt::AlignCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(3, 3, -3, -3);
        focus.backgroundColor = kOnColor;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

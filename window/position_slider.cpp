#include "window/position_slider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

PositionSlider::PositionSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    connect(this, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderNoAction) {
            emit positionChosen(sliderPosition());
        }
    });
}

int PositionSlider::ValueAt(QPoint pos) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return QStyle::sliderValueFromPosition(
        minimum(), maximum(), pos.x() - groove.x() - handle.width() / 2, span, option.upsideDown);
}

void PositionSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) {
        setSliderPosition(ValueAt(event->position().toPoint()));
        emit positionChosen(sliderPosition());
    }
    // The handle is now under the mouse: the press goes on as the start of a drag.
    QSlider::mousePressEvent(event);
}

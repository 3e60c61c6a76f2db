#pragma once
// The ten outputs as lamps in two rows of five, each lit to its level, its name below it.

#include "model/effect_grid.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>

// Colour of a lamp at level 0..256: from a dark glass to full warm white.
QColor LampColour(double level);

class LampPanel final : public QWidget {
    Q_OBJECT

public:
    explicit LampPanel(QWidget* parent = nullptr);

    // Repaints only the lamps whose level or name changed.
    void SetLevels(const std::array<double, kOutputs>& levels);
    void SetNames(const std::array<QString, kOutputs>& names);
    const std::array<double, kOutputs>& Levels() const { return levels; }
    const std::array<QString, kOutputs>& Names() const { return names; }
    // Centre of a lamp in the panel's pixels.
    QPoint LampCentre(int output) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect LampCell(int output) const;

    std::array<double, kOutputs> levels{};
    std::array<QString, kOutputs> names;
};

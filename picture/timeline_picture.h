#pragma once
// The ten outputs' levels over the whole cycle as a chart: one band per output, time
// across, each phase marked with its name and its start time.

#include "model/configuration.h"
#include "model/preview_levels.h"

#include <QSize>

class QPainter;

QSize TimelineSizePx();
void PaintTimeline(QPainter& painter, const Configuration& config, const PreviewPlan& plan);

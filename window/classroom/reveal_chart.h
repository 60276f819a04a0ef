#pragma once

// The reveal chart: both lists of an answered turn drawn as lines over their 43 positions,
// with the band the generated values were drawn from.

#include "core/chart/chart_scale.h"
#include "core/text/number_style.h"
#include "core/turns/turn.h"

#include <QWidget>

#include <optional>

namespace quiz {

class RevealChart : public QWidget {
    Q_OBJECT

public:
    // The band's ends are written in `style`, as the lists are.
    explicit RevealChart(NumberStyle style, QWidget* parent = nullptr);

    // Only for an answered turn: before the pick the lines would give the answer away.
    void showTurn(const Turn& turn);
    // Back to the note that the chart comes after the answer.
    void clearTurn();

    QSize sizeHint() const override;

    static const QColor kRealColour;
    static const QColor kGeneratedColour;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLegend(QPainter& painter, const QRect& area) const;
    void paintAxes(QPainter& painter, const QRectF& plot, const ChartScale& scale) const;

    QString tickText(double value, int decimals) const;

    NumberStyle style_;
    std::optional<Turn> turn_;
};

} // namespace quiz

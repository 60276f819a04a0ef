#pragma once

// The class as a picture: accuracy at each level played with its 95 % interval against the
// line of pure guessing, and accuracy over the lesson in blocks of each pupil's answers.

#include "core/chart/class_chart_geometry.h"
#include "core/class/class_results.h"
#include "core/text/number_style.h"

#include <QWidget>

#include <optional>

namespace quiz {

class ClassChart : public QWidget {
    Q_OBJECT

public:
    // Shares in the description are written in `style`.
    explicit ClassChart(NumberStyle style, QWidget* parent = nullptr);

    void showClass(const ClassSummary& summary);
    // Whether a reading with answers is drawn (before it, a note stands in the chart's place).
    bool hasAnswers() const { return geometry_.has_value(); }
    // The chart drawn on its own, `size` pixels, on the window's background: for a file.
    QImage image(QSize size) const;

    QSize sizeHint() const override;

    // The bars' and the line's colour on `background`: the palette's highlight where it stands
    // out enough from the background for a mark (3 : 1), else a blue that does.
    static QColor markColour(const QColor& highlight, const QColor& background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintPanel(QPainter& painter, const QRectF& area, const QString& title,
                    const std::vector<ChartMark>& marks, bool bars) const;
    void paintAxis(QPainter& painter, const QRectF& plot) const;
    void paintLegend(QPainter& painter, const QRectF& row) const;

    NumberStyle style_;
    std::optional<ClassChartGeometry> geometry_;
};

} // namespace quiz

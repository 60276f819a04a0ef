#include "window/teacher/class_chart.h"

#include "window/common/share_string.h"
#include "service/words/utf8_string.h"
#include "window/common/warning_colour.h"

#include <QPainter>
#include <QPainterPath>

namespace quiz {

namespace {

constexpr QSize kMinimumSize{480, 260};
constexpr QSize kPreferredSize{860, 340};
constexpr double kLeftShare = 0.45; // of the width, for the levels; the blocks get the rest
constexpr double kPadding = 10;
constexpr double kMarkContrast = 3.0; // WCAG's least for a graphic that carries meaning
constexpr double kWhiskerCap = 0.35; // of a bar's width; a point's cap is a font height wide
constexpr double kPointRadius = 0.3; // of a font height

constexpr const char* kPlaceholder = "Графиката на класа ще се появи тук, щом учениците отговорят.";
constexpr const char* kLevelsTitle = "Точност по ниво";
constexpr const char* kBlocksTitle = "Точност през урока";
constexpr const char* kLevel = "ниво %1";
constexpr const char* kBlock = "%1–%2";
constexpr const char* kGuessingLegend = "50 %: чисто налучкване";
constexpr const char* kIntervalLegend = "95 % интервал";
constexpr const char* kAnswersAxis = "отговори на всеки ученик, по %1";
constexpr double kLegendSwatch = 2.5; // font heights
constexpr const char* kAccessibleName = "Графика на класа";
constexpr const char* kLevelDescription = "ниво %1: %2 от %3 верни (%4)";

QString percent(double share) {
    return QString::number(qRound(share * 100)) + QStringLiteral(" %");
}

// One panel being drawn: where its marks go, and in which type and colour its words.
struct Panel {
    QPainter& painter;
    QRectF plot; // inside the axes
    const std::vector<ChartMark>& marks;
    bool bars; // else points joined by a line
    QColor text;
    QFontMetricsF metrics;

    // A mark's x (0 to 1 across the plot) and height (0 to 1 up it) in pixels.
    QPointF at(double x, double height) const {
        return QPointF(plot.left() + x * plot.width(), plot.bottom() - height * plot.height());
    }
    double line() const { return metrics.height(); }
};

// The title in bold, cut to the panel's width; returns the height it takes.
double paintTitle(QPainter& painter, const QRectF& area, const QString& title, const QFont& font,
                  const QColor& text) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    painter.setFont(bold);
    painter.setPen(text);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), boldMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     boldMetrics.elidedText(title, Qt::ElideRight, area.width()));
    painter.setFont(font);
    return boldMetrics.height();
}

void paintBars(const Panel& panel, const QColor& colour) {
    for (const ChartMark& bar : panel.marks) {
        const QRectF box(panel.at(bar.x - bar.width / 2, bar.height),
                         panel.at(bar.x + bar.width / 2, 0));
        panel.painter.fillRect(box, colour);
    }
}

void paintLine(const Panel& panel, const QColor& colour) {
    const std::vector<ChartMark>& marks = panel.marks;
    if (marks.empty()) {
        return;
    }
    QPainterPath path;
    path.moveTo(panel.at(marks.front().x, marks.front().height));
    for (const ChartMark& point : marks) {
        path.lineTo(panel.at(point.x, point.height));
    }
    QPainter& painter = panel.painter;
    painter.setPen(QPen(colour, 3));
    painter.drawPath(path);
    painter.setBrush(colour);
    const double radius = kPointRadius * panel.line();
    for (const ChartMark& point : marks) {
        painter.drawEllipse(panel.at(point.x, point.height), radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
}

// The intervals over the marks, in the text's colour, which reads on bars and background.
void paintIntervals(const Panel& panel) {
    QPainter& painter = panel.painter;
    painter.setPen(QPen(panel.text, 2));
    for (const ChartMark& each : panel.marks) {
        const double cap =
            panel.bars ? kWhiskerCap * each.width * panel.plot.width() : panel.line() / 2;
        const QPointF low = panel.at(each.x, each.low);
        const QPointF high = panel.at(each.x, each.high);
        painter.drawLine(low, high);
        painter.drawLine(low - QPointF(cap / 2, 0), low + QPointF(cap / 2, 0));
        painter.drawLine(high - QPointF(cap / 2, 0), high + QPointF(cap / 2, 0));
    }
}

// Under each labelled mark its level or block, under a bar its share where it fits, and under
// the blocks what they count.
void paintLabels(const Panel& panel, const NumberStyle& style) {
    QPainter& painter = panel.painter;
    const QRectF& plot = panel.plot;
    const double line = panel.line();
    painter.setPen(panel.text);
    const double slot = panel.marks.empty() ? plot.width() : plot.width() / panel.marks.size();
    for (const ChartMark& each : panel.marks) {
        if (!each.labelled) {
            continue;
        }
        // Where "ниво 3" is wider than its bar's slot, the number alone.
        QString label = panel.bars ? utf8(kLevel).arg(each.label)
                                   : utf8(kBlock).arg(each.label).arg(each.lastAnswer);
        if (panel.bars && panel.metrics.horizontalAdvance(label) > slot) {
            label = QString::number(each.label);
        }
        const double x = panel.at(each.x, 0).x();
        const QRectF cell(x - slot / 2, plot.bottom() + 2, slot, line);
        painter.drawText(panel.bars ? cell : cell.adjusted(-slot, 0, slot, 0),
                         Qt::AlignHCenter | Qt::AlignTop, label);
        const QString share = shareOf(each.right, each.answered, style);
        if (panel.bars && panel.metrics.horizontalAdvance(share) <= slot) {
            painter.drawText(cell.translated(0, line), Qt::AlignHCenter | Qt::AlignTop, share);
        }
    }
    if (!panel.bars) {
        painter.drawText(QRectF(plot.left(), plot.bottom() + 2 + line, plot.width(), line),
                         Qt::AlignHCenter | Qt::AlignTop,
                         panel.metrics.elidedText(utf8(kAnswersAxis).arg(kAnswersPerBlock),
                                                  Qt::ElideRight, plot.width()));
    }
}

} // namespace

ClassChart::ClassChart(NumberStyle style, QWidget* parent)
    : QWidget(parent), style_(std::move(style)) {
    setObjectName(QStringLiteral("classChart"));
    setAccessibleName(utf8(kAccessibleName));
    setAccessibleDescription(utf8(kPlaceholder));
    setMinimumSize(kMinimumSize);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ClassChart::sizeHint() const {
    return kPreferredSize;
}

QColor ClassChart::markColour(const QColor& highlight, const QColor& background) {
    if (contrastRatio(highlight, background) >= kMarkContrast) {
        return highlight;
    }
    const QColor dark(0, 80, 170);
    const QColor light(110, 170, 255);
    return contrastRatio(dark, background) >= kMarkContrast ? dark : light;
}

void ClassChart::showClass(const ClassSummary& summary) {
    if (summary.total.answered == 0) {
        geometry_.reset();
        setAccessibleDescription(utf8(kPlaceholder));
    } else {
        geometry_ = classChartGeometry(summary.levels, summary.blocks, kAnswersPerBlock);
        QStringList parts;
        for (const ChartMark& bar : geometry_->levels) {
            parts << utf8(kLevelDescription)
                         .arg(bar.label)
                         .arg(bar.right)
                         .arg(bar.answered)
                         .arg(shareOf(bar.right, bar.answered, style_));
        }
        setAccessibleDescription(parts.join(QStringLiteral("; ")));
    }
    update();
}

QImage ClassChart::image(QSize size) const {
    constexpr int kLinesHigh = 24; // type as large, for its height, as on a projector
    // A copy of its own, so that the window's layout never sees the size.
    ClassChart copy(style_);
    copy.setPalette(palette());
    QFont large = font();
    large.setPixelSize(std::max(QFontInfo(font()).pixelSize(), size.height() / kLinesHigh));
    copy.setFont(large);
    copy.geometry_ = geometry_;
    copy.setMinimumSize(size);
    copy.resize(size);
    QImage result(size, QImage::Format_RGB32);
    result.fill(palette().color(QPalette::Window));
    copy.render(&result);
    return result;
}

void ClassChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRectF area = QRectF(rect()).adjusted(kPadding, kPadding, -kPadding, -kPadding);
    painter.setPen(palette().color(QPalette::WindowText));
    if (!geometry_) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, utf8(kPlaceholder));
        return;
    }
    const double legendTop = area.bottom() - fontMetrics().height();
    paintLegend(painter, QRectF(area.left(), legendTop, area.width(), fontMetrics().height()));
    const double bottom = legendTop - kPadding;
    const double split = area.left() + area.width() * kLeftShare;
    paintPanel(painter, QRectF(area.topLeft(), QPointF(split - kPadding, bottom)),
               utf8(kLevelsTitle), geometry_->levels, true);
    paintPanel(painter, QRectF(QPointF(split + kPadding, area.top()), QPointF(area.right(), bottom)),
               utf8(kBlocksTitle), geometry_->blocks, false);
}

void ClassChart::paintLegend(QPainter& painter, const QRectF& row) const {
    const QFontMetricsF metrics(font());
    const double swatch = kLegendSwatch * metrics.height();
    const double middle = row.center().y();
    double x = row.left();
    painter.setPen(QPen(warningColour(palette().color(QPalette::Window)), 2.5, Qt::DashLine));
    painter.drawLine(QPointF(x, middle), QPointF(x + swatch, middle));
    x += swatch + kPadding;
    const QColor text = palette().color(QPalette::WindowText);
    painter.setPen(text);
    const QString guessing = utf8(kGuessingLegend);
    painter.drawText(QRectF(x, row.top(), row.right() - x, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, guessing);
    x += metrics.horizontalAdvance(guessing) + 3 * kPadding;
    const double half = row.height() / 2 - 2;
    painter.setPen(QPen(text, 2));
    painter.drawLine(QPointF(x + half, middle - half), QPointF(x + half, middle + half));
    painter.drawLine(QPointF(x, middle - half), QPointF(x + 2 * half, middle - half));
    painter.drawLine(QPointF(x, middle + half), QPointF(x + 2 * half, middle + half));
    x += 2 * half + kPadding;
    painter.drawText(QRectF(x, row.top(), std::max(0.0, row.right() - x), row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(utf8(kIntervalLegend), Qt::ElideRight,
                                        std::max(0.0, row.right() - x)));
}

void ClassChart::paintPanel(QPainter& painter, const QRectF& area, const QString& title,
                            const std::vector<ChartMark>& marks, bool bars) const {
    const QColor text = palette().color(QPalette::WindowText);
    const QColor background = palette().color(QPalette::Window);
    const double titleHeight = paintTitle(painter, area, title, font(), text);
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100 %"));
    const Panel panel{painter,
                      area.adjusted(labelWidth + kPadding, titleHeight + line / 2, 0,
                                    -2 * line - kPadding),
                      marks,
                      bars,
                      text,
                      metrics};
    paintAxis(painter, panel.plot);

    const QColor mark = markColour(palette().color(QPalette::Highlight), background);
    if (bars) {
        paintBars(panel, mark);
    } else {
        paintLine(panel, mark);
    }
    // Pure guessing over the bars, dashed in the warning colour: what each is measured against.
    painter.setPen(QPen(warningColour(background), 2.5, Qt::DashLine));
    painter.drawLine(panel.at(0, geometry_->guessing), panel.at(1, geometry_->guessing));
    paintIntervals(panel);
    paintLabels(panel, style_);
}

void ClassChart::paintAxis(QPainter& painter, const QRectF& plot) const {
    const QFontMetricsF metrics(font());
    const QColor text = palette().color(QPalette::WindowText);
    QColor grid = text;
    grid.setAlpha(60);
    const ChartScale& scale = geometry_->accuracy;
    for (const double tick : scale.ticks) {
        const double y = plot.bottom() - scale.heightFraction(tick) * plot.height();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100 %"));
        painter.drawText(QRectF(plot.left() - kPadding - labelWidth, y - metrics.height() / 2,
                                labelWidth, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, percent(tick));
    }
    painter.setPen(QPen(text, 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
}

} // namespace quiz

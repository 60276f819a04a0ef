#include "window/teacher/class_chart.h"

#include "window/common/share_string.h"
#include "window/common/utf8_string.h"
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
    const QColor mark = markColour(palette().color(QPalette::Highlight), background);
    QFont bold = font();
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    const QFontMetricsF metrics(font());
    const double line = metrics.height();

    painter.setFont(bold);
    painter.setPen(text);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), boldMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     boldMetrics.elidedText(title, Qt::ElideRight, area.width()));
    painter.setFont(font());

    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100 %"));
    const QRectF plot = area.adjusted(labelWidth + kPadding, boldMetrics.height() + line / 2, 0,
                                      -2 * line - kPadding);
    paintAxis(painter, plot);
    const auto at = [&](double x, double height) {
        return QPointF(plot.left() + x * plot.width(), plot.bottom() - height * plot.height());
    };

    if (bars) {
        for (const ChartMark& bar : marks) {
            const QRectF box(at(bar.x - bar.width / 2, bar.height), at(bar.x + bar.width / 2, 0));
            painter.fillRect(box, mark);
        }
    } else if (!marks.empty()) {
        QPainterPath path;
        path.moveTo(at(marks.front().x, marks.front().height));
        for (const ChartMark& point : marks) {
            path.lineTo(at(point.x, point.height));
        }
        painter.setPen(QPen(mark, 3));
        painter.drawPath(path);
        painter.setBrush(mark);
        for (const ChartMark& point : marks) {
            painter.drawEllipse(at(point.x, point.height), kPointRadius * line,
                                kPointRadius * line);
        }
        painter.setBrush(Qt::NoBrush);
    }

    // Pure guessing over the bars, dashed in the warning colour: what each is measured against.
    painter.setPen(QPen(warningColour(background), 2.5, Qt::DashLine));
    painter.drawLine(at(0, geometry_->guessing), at(1, geometry_->guessing));

    // The intervals over the marks, in the text's colour, which reads on bars and background.
    painter.setPen(QPen(text, 2));
    for (const ChartMark& each : marks) {
        const double cap = bars ? kWhiskerCap * each.width * plot.width() : line / 2;
        const QPointF low = at(each.x, each.low);
        const QPointF high = at(each.x, each.high);
        painter.drawLine(low, high);
        painter.drawLine(low - QPointF(cap / 2, 0), low + QPointF(cap / 2, 0));
        painter.drawLine(high - QPointF(cap / 2, 0), high + QPointF(cap / 2, 0));
    }

    painter.setPen(text);
    const double slot = marks.empty() ? plot.width() : plot.width() / marks.size();
    for (const ChartMark& each : marks) {
        if (!each.labelled) {
            continue;
        }
        // Where "ниво 3" is wider than its bar's slot, the number alone.
        QString label = bars ? utf8(kLevel).arg(each.label)
                             : utf8(kBlock).arg(each.label).arg(each.lastAnswer);
        if (bars && metrics.horizontalAdvance(label) > slot) {
            label = QString::number(each.label);
        }
        const double x = at(each.x, 0).x();
        const QRectF cell(x - slot / 2, plot.bottom() + 2, slot, line);
        painter.drawText(bars ? cell : cell.adjusted(-slot, 0, slot, 0),
                         Qt::AlignHCenter | Qt::AlignTop, label);
        const QString share = shareOf(each.right, each.answered, style_);
        if (bars && metrics.horizontalAdvance(share) <= slot) {
            painter.drawText(cell.translated(0, line), Qt::AlignHCenter | Qt::AlignTop, share);
        }
    }
    if (!bars) {
        painter.drawText(QRectF(plot.left(), plot.bottom() + 2 + line, plot.width(), line),
                         Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(utf8(kAnswersAxis).arg(kAnswersPerBlock), Qt::ElideRight,
                                            plot.width()));
    }
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

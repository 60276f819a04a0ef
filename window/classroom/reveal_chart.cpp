#include "window/classroom/reveal_chart.h"

#include "core/data/catalogue.h"
#include "core/text/number_text.h"
#include "core/quiz/option_captions.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace quiz {

namespace {

constexpr QSize kMinimumSize{360, 220};
constexpr QSize kPreferredSize{560, 320};
constexpr int kPadding = 8;
constexpr int kSwatchWidth = 28;
constexpr std::array kXTicks{1, 10, 20, 30, 43}; // positions as the user counts them
constexpr int kBandAlpha = 60;
constexpr double kRealPenWidth = 2.5;
constexpr double kGeneratedPenWidth = 1.5;

constexpr const char* kPlaceholder =
    "Графиката на двата списъка ще се появи тук, след като отговорите на този ход.";
constexpr const char* kRealLegend = "Реални данни: %1 (под „%2“)";
constexpr const char* kGeneratedLegend = "Генерирани данни (под „%1“)";
constexpr const char* kBandLegend = "Обхват на генерираните: от %1 до %2";
constexpr const char* kPositionAxis = "Позиция в списъка";
constexpr const char* kAccessibleName = "Графика на двата списъка";

QColor bandColour() {
    QColor colour = RevealChart::kGeneratedColour;
    colour.setAlpha(kBandAlpha);
    return colour;
}

QString caption(int side) {
    return QString::fromUtf8(kOptionCaptions.at(static_cast<std::size_t>(side)));
}

QString realLegend(const Turn& turn) {
    return QString::fromUtf8(kRealLegend)
        .arg(QString::fromStdString(turn.name), caption(turn.RealSide));
}

QString generatedLegend(const Turn& turn) {
    return QString::fromUtf8(kGeneratedLegend).arg(caption(turn.generatedSide()));
}

} // namespace

const QColor RevealChart::kRealColour{0, 80, 170};
const QColor RevealChart::kGeneratedColour{225, 110, 0};

RevealChart::RevealChart(NumberStyle style, QWidget* parent)
    : QWidget(parent), style_(std::move(style)) {
    setAccessibleName(QString::fromUtf8(kAccessibleName));
    setAccessibleDescription(QString::fromUtf8(kPlaceholder));
    setMinimumSize(kMinimumSize);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize RevealChart::sizeHint() const {
    return kPreferredSize;
}

void RevealChart::showTurn(const Turn& turn) {
    turn_ = turn;
    setAccessibleDescription(realLegend(turn) + QStringLiteral("; ") + generatedLegend(turn));
    update();
}

void RevealChart::clearTurn() {
    turn_.reset();
    setAccessibleDescription(QString::fromUtf8(kPlaceholder));
    update();
}

QString RevealChart::tickText(double value, int decimals) const {
    return QString::fromStdString(fixedText(value, decimals, style_));
}

void RevealChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    if (!turn_) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(kPlaceholder));
        return;
    }

    const QFontMetrics metrics = fontMetrics();
    const int legendHeight = 3 * metrics.height() + kPadding;
    paintLegend(painter, area);

    const ChartScale scale = chartScale(*turn_);
    const int labelWidth = metrics.horizontalAdvance(tickText(scale.high, scale.tickDecimals));
    const QRectF plot = QRectF(area).adjusted(labelWidth + kPadding, legendHeight + kPadding, 0,
                                              -2 * metrics.height() - kPadding - 4);
    const auto at = [&](int position, double value) {
        return QPointF(plot.left() + ChartScale::widthFraction(position) * plot.width(),
                       plot.bottom() - scale.heightFraction(value) * plot.height());
    };

    if (turn_->band) {
        painter.fillRect(QRectF(at(0, turn_->band->high), at(kValueCount - 1, turn_->band->low)),
                         bandColour());
    }
    paintAxes(painter, plot, scale);

    const auto drawLine = [&](int side, const QColor& colour, double width) {
        QPainterPath line;
        const auto& values = turn_->values[static_cast<std::size_t>(side)];
        line.moveTo(at(0, values.front()));
        for (int i = 1; i < static_cast<int>(values.size()); ++i) {
            line.lineTo(at(i, values[static_cast<std::size_t>(i)]));
        }
        painter.setPen(QPen(colour, width));
        painter.drawPath(line);
    };
    drawLine(turn_->generatedSide(), kGeneratedColour, kGeneratedPenWidth);
    drawLine(turn_->RealSide, kRealColour, kRealPenWidth); // on top: it is the one to see
}

void RevealChart::paintLegend(QPainter& painter, const QRect& area) const {
    const QFontMetrics metrics = fontMetrics();
    const auto row = [&](int index) {
        return QRect(area.left(), area.top() + index * metrics.height(), area.width(),
                     metrics.height());
    };
    const auto swatchLine = [&](int index, const QColor& colour, double width) {
        const QRect box = row(index);
        painter.setPen(QPen(colour, width));
        painter.drawLine(box.left(), box.center().y(), box.left() + kSwatchWidth, box.center().y());
    };
    swatchLine(0, kRealColour, kRealPenWidth);
    swatchLine(1, kGeneratedColour, kGeneratedPenWidth);
    QStringList texts{realLegend(*turn_), generatedLegend(*turn_)};
    if (const auto& band = turn_->band) {
        painter.fillRect(row(2).adjusted(0, 2, kSwatchWidth - row(2).width(), -2), bandColour());
        texts << QString::fromUtf8(kBandLegend)
                     .arg(QString::fromStdString(fixedText(band->low, turn_->decimals, style_)),
                          QString::fromStdString(fixedText(band->high, turn_->decimals, style_)));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        const QRect text = row(i).adjusted(kSwatchWidth + kPadding, 0, 0, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(texts[i], Qt::ElideRight, text.width()));
    }
}

void RevealChart::paintAxes(QPainter& painter, const QRectF& plot, const ChartScale& scale) const {
    const QFontMetrics metrics = fontMetrics();
    const QColor text = palette().color(QPalette::WindowText);
    QColor grid = text;
    grid.setAlpha(40);

    for (const double tick : scale.ticks) {
        const double y = plot.bottom() - scale.heightFraction(tick) * plot.height();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        const QRectF label(0, y - metrics.height() / 2.0, plot.left() - kPadding, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         tickText(tick, scale.tickDecimals));
    }
    for (const int position : kXTicks) {
        const double x = plot.left() + ChartScale::widthFraction(position - 1) * plot.width();
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        const QRectF label(x - 30, plot.bottom() + 2, 60, metrics.height());
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, QString::number(position));
    }
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + metrics.height() + 4, plot.width(), metrics.height()),
        Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(kPositionAxis));
    painter.setPen(text);
    painter.drawRect(plot);
}

} // namespace quiz

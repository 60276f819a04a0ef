#include "window/reveal_chart.h"

#include "core/catalogue.h"
#include "window/quiz_form.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace quiz {

namespace {

constexpr QSize kMinimumSize{360, 220};
constexpr QSize kPreferredSize{560, 320};
constexpr int kPadding = 8;
constexpr int kSwatchWidth = 28;
constexpr int kYTicks = 5;
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

// The smallest and the largest value the chart must show: both lists and the band.
std::pair<double, double> valueRange(const Turn& turn) {
    double low = turn.band.low;
    double high = turn.band.high;
    for (const auto& values : turn.values) {
        const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
        low = std::min(low, *smallest);
        high = std::max(high, *largest);
    }
    const double margin = (high - low) * 0.05;
    return {low - margin, high + margin};
}

QColor bandColour() {
    QColor colour = RevealChart::kGeneratedColour;
    colour.setAlpha(kBandAlpha);
    return colour;
}

// Enough decimals that neighbouring ticks never read the same.
int tickDecimals(double step) {
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 1, 6);
}

QString realLegend(const Turn& turn) {
    return QString::fromUtf8(kRealLegend)
        .arg(QString::fromUtf8(currencyCatalogue().byNumber(turn.CurrencyNo).name),
             QuizForm::optionCaption(turn.RealSide));
}

QString generatedLegend(const Turn& turn) {
    return QString::fromUtf8(kGeneratedLegend).arg(QuizForm::optionCaption(1 - turn.RealSide));
}

} // namespace

const QColor RevealChart::kRealColour{0, 80, 170};
const QColor RevealChart::kGeneratedColour{225, 110, 0};

RevealChart::RevealChart(QWidget* parent) : QWidget(parent) {
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

    const auto [low, high] = valueRange(*turn_);
    const int labelWidth = metrics.horizontalAdvance(locale().toString(high, 'f', 6));
    const QRectF plot = QRectF(area).adjusted(labelWidth + kPadding, legendHeight + kPadding, 0,
                                              -2 * metrics.height() - kPadding - 4);
    const auto at = [&](int position, double value) {
        return QPointF(plot.left() + position * plot.width() / (kValueCount - 1),
                       plot.bottom() - (value - low) / (high - low) * plot.height());
    };

    painter.fillRect(QRectF(at(0, turn_->band.high), at(kValueCount - 1, turn_->band.low)),
                     bandColour());
    paintAxes(painter, plot, low, high);

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
    drawLine(1 - turn_->RealSide, kGeneratedColour, kGeneratedPenWidth);
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
    painter.fillRect(row(2).adjusted(0, 2, kSwatchWidth - row(2).width(), -2), bandColour());

    const QString band =
        QString::fromUtf8(kBandLegend)
            .arg(locale().toString(turn_->band.low, 'f', QLocale::FloatingPointShortest),
                 locale().toString(turn_->band.high, 'f', QLocale::FloatingPointShortest));
    const QStringList texts{realLegend(*turn_), generatedLegend(*turn_), band};
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        const QRect text = row(i).adjusted(kSwatchWidth + kPadding, 0, 0, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(texts[i], Qt::ElideRight, text.width()));
    }
}

void RevealChart::paintAxes(QPainter& painter, const QRectF& plot, double low, double high) const {
    const QFontMetrics metrics = fontMetrics();
    const QColor text = palette().color(QPalette::WindowText);
    QColor grid = text;
    grid.setAlpha(40);

    const double step = (high - low) / (kYTicks - 1);
    const int decimals = tickDecimals(step);
    for (int i = 0; i < kYTicks; ++i) {
        const double y = plot.bottom() - i * plot.height() / (kYTicks - 1);
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        const QRectF label(0, y - metrics.height() / 2.0, plot.left() - kPadding, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         locale().toString(low + i * step, 'f', decimals));
    }
    for (const int position : kXTicks) {
        const double x = plot.left() + (position - 1) * plot.width() / (kValueCount - 1);
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        const QRectF label(x - 30, plot.bottom() + 2, 60, metrics.height());
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, locale().toString(position));
    }
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + metrics.height() + 4, plot.width(), metrics.height()),
        Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(kPositionAxis));
    painter.setPen(text);
    painter.drawRect(plot);
}

} // namespace quiz

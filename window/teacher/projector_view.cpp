#include "window/teacher/projector_view.h"

#include "window/common/share_string.h"
#include "window/common/summary_table.h"
#include "service/words/utf8_string.h"
#include "window/teacher/class_chart.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

namespace quiz {

namespace {

// Read from the back of a classroom.
constexpr double kLargeType = 1.8;
constexpr QSize kPreferredSize{1280, 800};

constexpr const char* kTitle = "Класът – за проектор";
constexpr const char* kTotals = "Ученици: %1 · отговори: %2 · верни: %3 (%4) · по-добре от "
                                "налучкването: %5 от %6";
constexpr const char* kPupil = "Ученик %1";
constexpr const char* kPupilsShown = "Учениците:";
constexpr const char* kNumbered = "с номера, без имена";
constexpr const char* kHidden = "скрити";

QTableWidgetItem* number(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

ProjectorView::ProjectorView(NumberStyle style, std::uint64_t salt, QWidget* parent)
    : QWidget(parent), style_(std::move(style)), numbers_(salt) {
    setObjectName(QStringLiteral("ProjectorView"));
    setWindowTitle(utf8(kTitle));
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * kLargeType);
    setFont(large);

    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("projectorTotals"));
    totals_->setWordWrap(true);
    chart_ = new ClassChart(style_, this);
    table_ = summaryTable("projectorPupils", "Учениците без имена",
                          {utf8("Ученик"), utf8("Отговори"), utf8("Верни"), utf8("Точност")},
                          this);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // No ranking: the rows stay in the numbers' order.
    table_->setSortingEnabled(false);
    pupilsShown_ = new QComboBox(this);
    pupilsShown_->setObjectName(QStringLiteral("pupilsShown"));
    pupilsShown_->addItem(utf8(kNumbered));
    pupilsShown_->addItem(utf8(kHidden));
    auto* pupilsLabel = new QLabel(utf8(kPupilsShown), this);
    pupilsLabel->setBuddy(pupilsShown_);
    connect(pupilsShown_, &QComboBox::currentIndexChanged, this, [this](int index) {
        setPupils(index == 1 ? Pupils::Hidden : Pupils::Numbered);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(totals_);
    layout->addWidget(chart_, 3);
    layout->addWidget(table_, 2);
    auto* controls = new QHBoxLayout;
    controls->addStretch();
    controls->addWidget(pupilsLabel);
    controls->addWidget(pupilsShown_);
    layout->addLayout(controls);
    resize(kPreferredSize);
}

void ProjectorView::setPupils(Pupils shown) {
    const int index = shown == Pupils::Hidden ? 1 : 0;
    if (pupilsShown_->currentIndex() != index) {
        pupilsShown_->setCurrentIndex(index); // comes back here through the signal
        return;
    }
    table_->setVisible(shown == Pupils::Numbered);
    showPupils();
}

void ProjectorView::showClass(const ClassSummary& summary,
                              const std::vector<PupilSummary>& pupils) {
    totals_->setText(utf8(kTotals)
                         .arg(summary.pupils)
                         .arg(summary.total.answered)
                         .arg(summary.total.correct)
                         .arg(shareOf(summary.total.correct, summary.total.answered, style_))
                         .arg(summary.pupilsBeatingGuessing)
                         .arg(summary.pupilsJudged));
    chart_->showClass(summary);
    pupils_ = pupils;
    showPupils();
}

void ProjectorView::showPupils() {
    if (!table_->isVisibleTo(this)) {
        table_->setRowCount(0); // nothing about a pupil is kept where it is not shown
        return;
    }
    std::vector<std::string> keys;
    for (const PupilSummary& pupil : pupils_) {
        keys.push_back(pupil.pupil + '\x1F' + pupil.host);
    }
    const std::vector<int> numbers = numbers_.number(keys);
    std::vector<std::size_t> order(pupils_.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; });
    table_->setRowCount(static_cast<int>(order.size()));
    for (int row = 0; row < static_cast<int>(order.size()); ++row) {
        const std::size_t index = order[static_cast<std::size_t>(row)];
        const PupilSummary& pupil = pupils_[index];
        table_->setItem(row, 0, new QTableWidgetItem(utf8(kPupil).arg(numbers[index])));
        table_->setItem(row, 1, number(QString::number(pupil.answered)));
        table_->setItem(row, 2, number(QString::number(pupil.right)));
        table_->setItem(row, 3, number(shareOf(pupil.right, pupil.answered, style_)));
    }
}

} // namespace quiz

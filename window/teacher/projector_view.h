#pragma once

// The class shown on a projector: large type, the picture and the totals, and pupils by
// number or not at all. Names are personal data in front of the class, so none is ever shown.

#include "core/class/class_results.h"
#include "core/class/pupil_numbers.h"
#include "core/text/number_style.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace quiz {

class ClassChart;

class ProjectorView : public QWidget {
    Q_OBJECT

public:
    enum class Pupils { Numbered, Hidden };

    // `salt` orders the pupils' numbers (see PupilNumbers).
    ProjectorView(NumberStyle style, std::uint64_t salt, QWidget* parent = nullptr);

    void showClass(const ClassSummary& summary, const std::vector<PupilSummary>& pupils);
    void setPupils(Pupils shown);

private:
    void showPupils();

    NumberStyle style_;
    PupilNumbers numbers_;
    std::vector<PupilSummary> pupils_;
    QLabel* totals_ = nullptr;
    ClassChart* chart_ = nullptr;
    QComboBox* pupilsShown_ = nullptr;
    QTableWidget* table_ = nullptr;
};

} // namespace quiz

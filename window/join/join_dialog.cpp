#include "window/join/join_dialog.h"

#include "service/join/lesson_address.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiz {

namespace {

constexpr const char* kTitle = "Присъединяване към урок";
constexpr const char* kHeard = "Уроци в мрежата:";
constexpr const char* kAddress = "Адрес";
constexpr const char* kName = "Име";
constexpr const char* kCode = "Код";
constexpr const char* kBadAddress =
    "Адресът трябва да е http:// към компютър в училищната мрежа, например "
    "http://192.168.1.20:8080/";

QLineEdit* field(const char* objectName, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(objectName));
    return edit;
}

} // namespace

JoinDialog::JoinDialog(const LessonFinder& finder, const JoinChoice& prefill,
                       const QString& problem, QWidget* parent)
    : QDialog(parent), finder_(finder) {
    setWindowTitle(QString::fromUtf8(kTitle));
    lessons_ = new QListWidget(this);
    lessons_->setObjectName(QStringLiteral("lessons"));
    lessons_->setAccessibleName(QString::fromUtf8(kHeard));
    address_ = field("address", prefill.address.toString(), this);
    name_ = field("name", prefill.name, this);
    code_ = field("code", prefill.code, this);
    problem_ = new QLabel(problem, this);
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8(kAddress), address_);
    form->addRow(QString::fromUtf8(kName), name_);
    form->addRow(QString::fromUtf8(kCode), code_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kHeard), this));
    layout->addWidget(lessons_);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);

    connect(&finder_, &LessonFinder::lessonsChanged, this, &JoinDialog::showLessons);
    connect(lessons_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            address_->setText(lessons_->item(row)->data(Qt::UserRole).toString());
        }
    });
    for (QLineEdit* edit : {address_, name_, code_}) {
        connect(edit, &QLineEdit::textChanged, this, &JoinDialog::check);
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showLessons();
    check();
    // The field still to be filled takes the focus.
    for (QLineEdit* edit : {address_, name_, code_}) {
        if (edit->text().isEmpty()) {
            edit->setFocus();
            break;
        }
    }
}

JoinChoice JoinDialog::choice() const {
    return {lessonAddressFromText(address_->text()).value_or(QUrl()),
            name_->text().trimmed().normalized(QString::NormalizationForm_C),
            code_->text().remove(u' ')};
}

void JoinDialog::showLessons() {
    const QString chosen = address_->text();
    const QSignalBlocker quiet(lessons_); // keeps the address typed as it is
    lessons_->clear();
    for (const LessonAnnouncement& lesson : finder_.lessons()) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 — %2 — %3")
                                             .arg(lesson.teacher, lesson.className,
                                                  lesson.address.toString()),
                                         lessons_);
        item->setData(Qt::UserRole, lesson.address.toString());
        if (lesson.address.toString() == chosen) {
            lessons_->setCurrentItem(item);
        }
    }
}

void JoinDialog::check() {
    const bool addressOk = lessonAddressFromText(address_->text()).has_value();
    if (!addressOk && !address_->text().trimmed().isEmpty()) {
        problem_->setText(QString::fromUtf8(kBadAddress));
    } else if (problem_->text() == QString::fromUtf8(kBadAddress)) {
        problem_->clear();
    }
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(addressOk && !name_->text().trimmed().isEmpty() &&
                     !code_->text().trimmed().isEmpty());
}

} // namespace quiz

#include "window/quiz/data_menu.h"

#include "core/data/data_ids.h"
#include "window/common/rate_file_dialog.h"
#include "service/words/utf8_string.h"
#include "window/quiz/quiz_form.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

namespace quiz {

DataMenu::DataMenu(QuizForm& form) : QObject(&form), form_(form), loader_(Audience::Window) {
    // Shown once reading takes longer than a moment; the quiz stays usable meanwhile, and the
    // cancel button keeps the data in use.
    constexpr int kShowAfterMs = 300;
    progress_ = new QProgressDialog(QString(), utf8("Отказ"), 0, 100, &form);
    progress_->setWindowTitle(utf8("Данни"));
    progress_->setWindowModality(Qt::NonModal);
    progress_->setMinimumDuration(kShowAfterMs);
    progress_->reset(); // not shown until a choice is being read
    connect(progress_, &QProgressDialog::canceled, &loader_, &DataLoader::cancel);
    connect(&loader_, &DataLoader::progressed, progress_, &QProgressDialog::setValue);
    connect(&loader_, &DataLoader::loaded, progress_, &QProgressDialog::reset);
    connect(&loader_, &DataLoader::refused, progress_, &QProgressDialog::reset);
    connect(&loader_, &DataLoader::loaded, &form,
            [&form](std::shared_ptr<const DataSet> data) { form.chooseData(std::move(data)); });
    connect(&loader_, &DataLoader::refused, &form, [&form](const QString& error) {
        QMessageBox::warning(&form, utf8("Файлът не може да се използва"), error);
    });
    connect(&form, &QuizForm::dataRequested, this, &DataMenu::request);
}

void DataMenu::request(DataKind kind) {
    if (kind != DataKind::File) {
        choose(QLatin1String(kind == DataKind::Catalogue ? kCatalogueData : kEcbData));
    } else if (const QString path = askForRateFile(&form_); !path.isEmpty()) {
        choose(path);
    }
}

void DataMenu::choose(const QString& argument) {
    const bool builtIn = isBuiltInData(argument.toStdString());
    progress_->setLabelText(
        utf8("Четене на „%1“…").arg(builtIn ? argument : QFileInfo(argument).fileName()));
    loader_.load(argument);
    progress_->setValue(0);
}

} // namespace quiz

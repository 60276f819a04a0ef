#include "service/class/class_folder_reader.h"

#include "service/words/class_reason_words.h"

namespace quiz {

namespace {

QStringList texts(const std::vector<Skipped>& lines) {
    QStringList texts;
    for (const Skipped& skipped : lines) {
        texts << QString::fromStdString(skippedText(skipped));
    }
    return texts;
}

} // namespace

ClassFolderReader::ClassFolderReader(const QString& folder, std::optional<SealKeys> keys)
    : folder_(folder, std::move(keys)) {
    qRegisterMetaType<std::shared_ptr<const ClassView>>();
}

void ClassFolderReader::read() {
    auto view = std::make_shared<ClassView>();
    view->state = folder_.refresh();
    const ClassResults& results = folder_.results();
    view->pupils = results.pupils();
    view->summary = results.summary();
    view->notCounted = texts(results.notCounted());
    // After the counts, which look for the runs' data.
    view->skipped = folder_.unreadable() + folder_.dataRefused() + texts(results.skipped());
    emit viewRead(view);
}

} // namespace quiz

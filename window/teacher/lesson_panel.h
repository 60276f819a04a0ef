#pragma once

// The teacher's „Урок“ panel: the lesson's level, data and seed, written into the class folder
// for every pupil's program, and a word when someone else has changed them since.

#include "core/lesson/lesson_settings.h"

#include <QByteArray>
#include <QGroupBox>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace quiz {

class LessonPanel : public QGroupBox {
    Q_OBJECT

public:
    // A new seed for the class each time "the same turns for all" starts again.
    using SeedSource = std::function<std::uint32_t()>;

    // Shows the settings `folder` holds, if any; `author` is written as who wrote them, and
    // `seedKey`, the teacher's public key, as the key the pupils' runs seal their seeds with
    // (none: they write no seed). Without `seeds`, the system's random numbers.
    LessonPanel(const QString& folder, const QString& author, SeedSource seeds = {},
                std::string seedKey = {}, QWidget* parent = nullptr);

    // Reads the settings file again: says who wrote it, and warns once it is no longer what
    // this panel wrote.
    void refresh();
    // Takes the teacher's file of rates at `path` for the next „Приложи“; a file that is no
    // file of rates is refused with its reason in the panel, and the previous choice stays.
    bool chooseDataFile(const QString& path);
    // Copies a chosen teacher's file into the folder and writes the settings; false with the
    // reason in the panel.
    bool apply();
    // Writes the bytes this panel last wrote again, over someone else's change.
    bool writeAgain();

private:
    struct DataFile {
        QString name;     // as chosen, or as it is named in the folder
        QByteArray bytes; // still to be copied; empty once the file is in the folder
    };

    QLabel* buildLevelChoice();
    QLabel* buildDataChoice();
    QHBoxLayout* buildChoices();
    QHBoxLayout* buildActions();
    void chooseData(int index);
    void showFile(const DataFile& file);
    void showSettings(const LessonSettings& settings);
    LessonSettings chosenSettings();
    std::optional<QString> copyDataFile();
    bool writeSettings(const QByteArray& bytes);
    void say(const QString& text, bool warning);

    QString folder_;
    QString author_;
    SeedSource seeds_;
    std::string seedKey_;
    QString seed_; // kept while the box stays ticked, so a change of level keeps every turn
    std::optional<DataFile> file_;
    std::optional<QByteArray> written_; // what this panel last wrote
    std::optional<QByteArray> seen_;    // the file as last read; none when missing
    bool seenOnce_ = false;
    QString applied_;   // what the status said after the last write
    int dataIndex_ = 0; // the data chosen before the dialog opened
    QComboBox* level_ = nullptr;
    QComboBox* data_ = nullptr;
    QCheckBox* together_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* again_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace quiz

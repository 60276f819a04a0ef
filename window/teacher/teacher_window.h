#pragma once

// The teacher's view of a class folder: one row per pupil, the class as a whole, and what was
// skipped, following the folder while the pupils play.

#include "core/class/class_export.h"
#include "core/seal/seal_keys.h"
#include "core/text/number_style.h"
#include "service/class/class_folder_reader.h"

#include <QWidget>

#include <memory>
#include <optional>

class QFileSystemWatcher;
class QHBoxLayout;
class QThread;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QTimer;

namespace quiz {

class ClassChart;
class LessonAnnouncer;
class HostingSwitch;
class LessonPanel;
class NetworkPanel;
class ProjectorView;

class TeacherWindow : public QWidget {
    Q_OBJECT

public:
    // Reads `folder` on a thread of its own, at once and then every few seconds, and whenever
    // the system says it changed; the window opens before the first reading ends. Numbers are
    // written in `style`. Nothing is ever written into the folder except an export the teacher
    // asks for and the lesson's settings (with a teacher's file of rates) when the teacher
    // applies them, as written by `author`, with the public key of `keys` for the pupils' runs
    // to seal their seeds with; the view opens them with the secret key. Without keys no seed
    // is written, and no run replayed.
    TeacherWindow(const QString& folder, NumberStyle style, const QString& author = {},
                  std::optional<SealKeys> keys = {}, QWidget* parent = nullptr);
    ~TeacherWindow() override;

    // Asks for a reading of what is new; the timer and the watcher call it too.
    void refresh();
    // Whether a reading asked for has not been shown yet.
    bool reading() const { return reading_ || again_; }
    // Writes the class as last shown to `path` in the chosen form, the Excel form as a workbook
    // (.xlsx added to a name without an extension) unless the name ends in .csv; false with a
    // message box on failure.
    bool exportTo(const QString& path, ExportForm form);
    // Writes the class chart to `path` as a PNG, large enough for a projector; false with a
    // message box on failure.
    bool saveChart(const QString& path);
    // Opens (or brings forward) the projector view, which follows the readings from then on.
    ProjectorView* showProjector();
    // Adds the „Урок в мрежата“ panel under the lesson's, serving through `hosting` the lesson
    // of `teacher` to this folder's class, and announced by `announcer` where given. Both must
    // outlive the window.
    NetworkPanel* offerNetworkLesson(HostingSwitch& hosting, const QString& teacher,
                                     LessonAnnouncer* announcer);

signals:
    void shown(); // a reading is on screen

private:
    void buildStatusLine(QWidget* content);
    void buildPupilsTable(QWidget* content);
    void buildClassSummary(QWidget* content);
    void buildSkippedNotes(QWidget* content);
    QHBoxLayout* buildButtons(QWidget* content);
    void layOut(QWidget* content, QHBoxLayout* buttons);
    void startReading(std::optional<SealKeys> keys);
    void display(const std::shared_ptr<const ClassView>& view);
    void showPupils();
    void showClass();
    void showLevels(const ClassSummary& summary);
    void showCurrencies(const ClassSummary& summary);
    void showNotes();
    void fitColumns();
    void askAndExport(ExportForm form);
    void askAndSaveChart();

    QString path_;
    NumberStyle style_;
    QThread* thread_ = nullptr;
    ClassFolderReader* reader_ = nullptr;
    std::shared_ptr<const ClassView> view_;
    bool reading_ = false; // a reading is under way
    bool again_ = false;   // asked for while one was under way
    bool widthsSet_ = false;
    QLabel* status_ = nullptr;
    LessonPanel* lesson_ = nullptr;
    NetworkPanel* network_ = nullptr;
    QTableWidget* pupils_ = nullptr;
    QLabel* totals_ = nullptr;
    ClassChart* chart_ = nullptr;
    ProjectorView* projector_ = nullptr;
    QTableWidget* byLevel_ = nullptr;
    QTableWidget* byCurrency_ = nullptr;
    QPlainTextEdit* skipped_ = nullptr;
    QTimer* timer_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
};

} // namespace quiz

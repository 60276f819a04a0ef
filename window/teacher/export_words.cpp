#include "window/teacher/export_words.h"

namespace quiz {

const ExportWords& excelExportWords() {
    static const ExportWords kWords{{"Ученик", "Компютър", "Отговори", "Верни", "Точност, %",
                                     "Най-дълга серия", "Нива", "Данни", "Отговори над ниво 0",
                                     "Верни над ниво 0", "Шанс при налучкване, %",
                                     "Над налучкването", "Достигнато ниво",
                                     "Обръщания на трудността"},
                                    "да",
                                    "не"};
    return kWords;
}

} // namespace quiz

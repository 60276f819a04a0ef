#pragma once

// The name a teacher's file of rates gets in the class folder, where every pupil's program
// reads the same bytes.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

// What a name in the class folder holds already.
enum class FolderEntry {
    Free,       // nothing of that name
    SameBytes,  // a file with exactly the bytes to copy
    OtherBytes, // anything else: other bytes, a pupil's results, a folder, a special file
};

struct LessonDataCopy {
    std::string name;
    bool write = false; // false: a file of that name holds these bytes already
};

// The teacher's file's own name, with any character that cannot be in a plain file name as
// '_', and ".csv" added unless it ends so (in any case): the teacher's view looks only at .csv
// files for a replay's data.
std::string lessonCopyName(std::string_view chosenName);

// `name` ("rates.csv") with a number before its ending: "rates-2.csv".
std::string numberedDataName(std::string_view name, int number);

// The first of "name.csv", "name-2.csv", "name-3.csv", … that is free or holds the same bytes,
// asking `entryAt` what each holds, so that nothing in the folder is ever overwritten. None when
// every one of kMostDataCopies names is taken.
inline constexpr int kMostDataCopies = 999;
std::optional<LessonDataCopy>
lessonDataCopy(std::string_view chosenName,
               const std::function<FolderEntry(const std::string&)>& entryAt);

} // namespace quiz

#pragma once

// Which names are one pupil's: the same letters in any case, wherever names are compared.

#include <string>
#include <string_view>

namespace quiz {

// Two names are one pupil's when their keys are equal. Case does not tell pupils apart
// ("Вера", "вера"): a Windows class folder would not tell their files apart either. Letters that
// only look alike (Latin "a", Cyrillic "а") stay apart. The name must be in NFC, so that
// "Е" + U+0308 is "Ё": the core has no composition tables, so the Qt edge composes every name
// where it comes in (QString::normalized); the key is the name case-folded.
std::string pupilKey(std::string_view name);

} // namespace quiz

#pragma once

// The teacher's key pair for sealed seeds, kept in the teacher's own settings on this account:
// the public key goes into each class folder, the secret key never leaves these settings.

#include "core/seal/seal_keys.h"

#include <QString>

#include <optional>

namespace quiz {

struct TeacherKeys {
    std::optional<SealKeys> keys; // none: runs in the folder will write no seed at all
    QString problem;              // why there are none
};

// The pair kept here, or a new one kept from now on.
TeacherKeys loadTeacherKeys();

} // namespace quiz

#pragma once

// Why a file could not be written, as an id the windows word for the teacher.

namespace quiz {

enum class SystemReason {
    NoSpace,
    NoPermission,
    NoFolder,
    ReadOnly,
    IsFolder,
    ReaderGone,
    DeviceFault,
    DeviceGone,
    QuotaFull,
    ShareGone, // a network folder's file gone from under the client
    ShareCut,  // the link to a network folder broken
    TooLarge,  // the file at the largest size the system allows this program
    Other,     // any other: the system's own text says it
};

// The common reasons (no space, no permission, no such folder, read-only, the reader gone).
SystemReason systemReasonOf(int errorNumber);

} // namespace quiz

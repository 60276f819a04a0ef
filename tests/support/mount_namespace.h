#pragma once

// A mount namespace of the test's own, so that it can bind and unmount a class share as root
// or as anyone else, without touching the machine's mounts. Linux only.

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace quiz::testing {

inline bool writeProcText(const std::string& path, const std::string& text) {
    std::ofstream file(path);
    file << text;
    return static_cast<bool>(file);
}

// Root gets a mount namespace; anyone else one inside a user namespace, where they are root.
inline bool ownMountNamespace() {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid == 0) {
        if (::unshare(CLONE_NEWNS) != 0) {
            return false;
        }
    } else if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
               !writeProcText("/proc/self/setgroups", "deny") ||
               !writeProcText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
               !writeProcText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
        return false;
    }
    // Mounts made here stay here.
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

} // namespace quiz::testing

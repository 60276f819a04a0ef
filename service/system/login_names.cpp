#include "service/system/login_names.h"

#include <QString>
#include <QSysInfo>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace quiz {

std::string loginName() {
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty()) {
            return name.toStdString();
        }
    }
#ifdef Q_OS_UNIX
    // A session started without them (a service, a cron job) still has a user.
    if (const passwd* user = getpwuid(getuid()); user && user->pw_name) {
        return user->pw_name;
    }
#endif
    return {};
}

std::string hostName() {
    return QSysInfo::machineHostName().toStdString();
}

} // namespace quiz

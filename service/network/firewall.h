#pragma once

// Whether the system's firewall lets other computers reach this program's lesson on a port.

#include <QString>

namespace quiz {

enum class InboundPermission { Allowed, Blocked, Unknown };

// Asks Windows Firewall whether `program` may take TCP connections on `port` from other
// computers; Unknown on other systems, and where the firewall cannot tell.
InboundPermission inboundPermission(const QString& program, quint16 port);

} // namespace quiz

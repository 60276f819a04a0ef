#pragma once

// Which peers a lesson host answers by default: those on the school's own network.

#include <QHostAddress>

namespace quiz {

// Loopback, the private IPv4 ranges (10/8, 172.16/12, 192.168/16), IPv4 and IPv6 link-local,
// IPv6 unique-local (fc00::/7) and loopback; an IPv4 address written as IPv6 (::ffff:a.b.c.d)
// counts as the IPv4 one. Everything else, the null address included, is not.
bool isLocalNetworkPeer(const QHostAddress& address);

} // namespace quiz

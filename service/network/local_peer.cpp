#include "service/network/local_peer.h"

#include <array>
#include <utility>

namespace quiz {

namespace {

bool inLocalIpv4(const QHostAddress& address) {
    static const std::array<std::pair<QHostAddress, int>, 5> ranges{{
        {QHostAddress(QStringLiteral("127.0.0.0")), 8},
        {QHostAddress(QStringLiteral("10.0.0.0")), 8},
        {QHostAddress(QStringLiteral("172.16.0.0")), 12},
        {QHostAddress(QStringLiteral("192.168.0.0")), 16},
        {QHostAddress(QStringLiteral("169.254.0.0")), 16},
    }};
    for (const auto& range : ranges) {
        if (address.isInSubnet(range)) {
            return true;
        }
    }
    return false;
}

bool inLocalIpv6(const QHostAddress& address) {
    static const std::array<std::pair<QHostAddress, int>, 2> ranges{{
        {QHostAddress(QStringLiteral("fc00::")), 7},
        {QHostAddress(QStringLiteral("fe80::")), 10},
    }};
    if (address == QHostAddress(QHostAddress::LocalHostIPv6)) {
        return true;
    }
    for (const auto& range : ranges) {
        if (address.isInSubnet(range)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool isLocalNetworkPeer(const QHostAddress& address) {
    bool mapped = false;
    const quint32 ipv4 = address.toIPv4Address(&mapped);
    if (mapped) {
        return inLocalIpv4(QHostAddress(ipv4));
    }
    return address.protocol() == QAbstractSocket::IPv6Protocol && inLocalIpv6(address);
}

} // namespace quiz

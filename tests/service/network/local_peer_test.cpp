// Which peers the host answers unless told to answer all: the school's own network only.

#include "service/network/local_peer.h"

#include <QTest>

using namespace quiz;

class LocalPeerTest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheLocalNetwork_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("local");
        const std::pair<const char*, bool> table[] = {
            {"127.0.0.1", true},        {"127.255.1.2", true},     {"10.0.0.1", true},
            {"10.255.255.255", true},   {"172.16.0.1", true},      {"172.31.255.254", true},
            {"172.15.255.255", false},  {"172.32.0.1", false},     {"192.168.1.20", true},
            {"192.169.0.1", false},     {"169.254.10.10", true},   {"169.255.0.1", false},
            {"11.0.0.1", false},        {"8.8.8.8", false},        {"100.64.0.1", false},
            {"0.0.0.0", false},         {"255.255.255.255", false}, {"::1", true},
            {"fd12:3456::1", true},     {"fc00::1", true},         {"fe80::1", true},
            {"fe80::1%lo", true},       {"febf::1", true},         {"fec0::1", false},
            {"2001:db8::1", false},     {"2a00:1450::1", false},   {"::", false},
            {"::ffff:192.168.0.5", true}, {"::ffff:8.8.8.8", false}, {"::ffff:127.0.0.1", true},
        };
        for (const auto& [address, local] : table) {
            QTest::newRow(address) << QString::fromLatin1(address) << local;
        }
    }
    void onlyTheLocalNetwork() {
        QFETCH(QString, address);
        QFETCH(bool, local);
        const QHostAddress host(address);
        QVERIFY2(!host.isNull(), qPrintable(address));
        QCOMPARE(isLocalNetworkPeer(host), local);
    }

    void noAddressIsNoPeer() {
        QVERIFY(!isLocalNetworkPeer(QHostAddress()));
    }
};

QTEST_APPLESS_MAIN(LocalPeerTest)
#include "local_peer_test.moc"

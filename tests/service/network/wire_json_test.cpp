// The JSON side of the lesson's messages: what a page's text becomes, and what the host writes.

#include "core/network_lesson/host_messages.h"
#include "service/network/wire_json.h"

#include <QTest>

using namespace quiz;

Q_DECLARE_METATYPE(quiz::WireMessage)
Q_DECLARE_METATYPE(std::optional<quiz::WireMessage>)

namespace {

WireMessage message(std::vector<WireField> fields) {
    return WireMessage{std::move(fields)};
}

// A message's fields by name, so that two messages compare whatever order JSON kept.
bool sameFields(const WireMessage& a, const WireMessage& b) {
    if (a.fields.size() != b.fields.size()) {
        return false;
    }
    return std::all_of(a.fields.begin(), a.fields.end(), [&](const WireField& field) {
        const WireValue* other = b.find(field.name);
        return other && *other == field.value;
    });
}

void pageTexts() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<std::optional<WireMessage>>("expected");
    using Texts = std::vector<std::string>;
    QTest::newRow("each plain type") << QByteArray("{\"kind\":\"pick\",\"turn\":3,\"side\":0.5,"
                                                   "\"right\":true,\"first\":[\"1,2\",\"3\"]}")
                                     << std::optional(message({{"first", Texts{"1,2", "3"}},
                                                               {"kind", "pick"},
                                                               {"right", true},
                                                               {"side", 0.5},
                                                               {"turn", 3.0}}));
    QTest::newRow("cyrillic and escapes")
        << QByteArray("{\"name\":\"Иван \\\"Ваньо\\\"\\n\"}")
        << std::optional(message({{"name", "Иван \"Ваньо\"\n"}}));
    QTest::newRow("values the lesson names no type of")
        << QByteArray("{\"a\":null,\"b\":{\"c\":1},\"d\":[1,\"x\"],\"e\":[[]]}")
        << std::optional(message({{"a", std::monostate{}},
                                  {"b", std::monostate{}},
                                  {"d", std::monostate{}},
                                  {"e", std::monostate{}}}));
    QTest::newRow("an empty list is a list") << QByteArray("{\"first\":[]}")
                                             << std::optional(message({{"first", Texts{}}}));
    QTest::newRow("empty object") << QByteArray("{}") << std::optional(message({}));
    const std::optional<WireMessage> none;
    QTest::newRow("not JSON") << QByteArray("kind=join") << none;
    QTest::newRow("cut short") << QByteArray("{\"kind\":\"jo") << none;
    QTest::newRow("trailing bytes") << QByteArray("{\"kind\":\"join\"} x") << none;
    QTest::newRow("a list, not an object") << QByteArray("[\"kind\",\"join\"]") << none;
    QTest::newRow("a bare text") << QByteArray("\"join\"") << none;
    QTest::newRow("nothing") << QByteArray() << none;
}
void hostTexts() {
    QTest::addColumn<WireMessage>("written");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("order kept, whole numbers without a point")
        << message({{"kind", "pick"}, {"turn", 3.0}, {"side", 0.0}})
        << QByteArray("{\"kind\":\"pick\",\"turn\":3,\"side\":0}");
    QTest::newRow("a name twice is written once, the first")
        << message({{"kind", "next"}, {"kind", "join"}})
        << QByteArray("{\"kind\":\"next\"}");
    QTest::newRow("flags, lists, none and a fraction")
        << message({{"right", false},
                    {"report", std::vector<std::string>{"а", "б"}},
                    {"x", std::monostate{}},
                    {"spread", 0.25}})
        << QByteArray("{\"right\":false,\"report\":[\"а\",\"б\"],\"x\":null,\"spread\":0.25}");
    QTest::newRow("quotes and line ends escaped")
        << message({{"text", "\"\\\n"}}) << QByteArray("{\"text\":\"\\\"\\\\\\n\"}");
    QTest::newRow("nothing") << message({}) << QByteArray("{}");
}
} // namespace

class WireJsonTest : public QObject {
    Q_OBJECT

private slots:
    void readsWhatAPageSends_data() { pageTexts(); }
    void readsWhatAPageSends() {
        QFETCH(QByteArray, json);
        QFETCH(std::optional<WireMessage>, expected);
        const std::optional<WireMessage> read = wireFromJson(json);
        QCOMPARE(read.has_value(), expected.has_value());
        if (read) {
            QVERIFY2(sameFields(*read, *expected), json.constData());
        }
    }

    void writesInTheLessonsOrder_data() { hostTexts(); }
    void writesInTheLessonsOrder() {
        QFETCH(WireMessage, written);
        QFETCH(QByteArray, json);
        QCOMPARE(wireToJson(written), json);
    }

    // What the host writes the page reads back as the lesson wrote it.
    void hostMessagesComeBackWhole() {
        const DealtTurn turn{.number = 7,
                             .lists = {{{"1,23", "1,24"}, {"2,5", "2,6"}}},
                             .currency = "щатски долар - USD",
                             .level = 2};
        const JudgedTurn judged{.number = 7, .side = 1, .right = true, .realSide = 1,
                                .spread = "0,01", .report = {"ред 1", "ред 2"},
                                .answered = 4, .rightCount = 3};
        for (const WireMessage& sent :
             {turnMessage(turn), judgedMessage(judged),
              refusedMessage({RefusalId::WrongType, "turn"})}) {
            const std::optional<WireMessage> read = wireFromJson(wireToJson(sent));
            QVERIFY(read);
            QVERIFY(sameFields(*read, sent));
        }
    }
};

QTEST_APPLESS_MAIN(WireJsonTest)
#include "wire_json_test.moc"

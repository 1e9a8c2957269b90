#include "framework/mib/index_conversion.h"

#include <gtest/gtest.h>

#include "framework/mib/mib_error.h"
#include "framework/mib/value_format.h"

namespace mib {
namespace {

MibVariable indexObject(std::string name, Syntax syntax, int minSize = 0, int maxSize = 0) {
    MibVariable v;
    v.name = std::move(name);
    v.oid = {1, 3, 6, 1, 4, 1, 32473, 98, static_cast<std::uint32_t>(syntax) + 1};
    v.syntax = syntax;
    v.minSize = minSize;
    v.maxSize = maxSize;
    if (syntax == Syntax::Enumeration)
        v.enums = {{1, "ethernet"}, {6, "fddi"}};
    return v;
}

const MibDictionary& dictionary() {
    static const MibDictionary d({
        indexObject("iInt", Syntax::Integer),
        indexObject("iEnum", Syntax::Enumeration),
        indexObject("iIp", Syntax::IpAddress),
        indexObject("iMac", Syntax::MacAddress),
        indexObject("iText", Syntax::DisplayString, 0, 32),
        indexObject("iHex", Syntax::OctetString, 0, 16),
        indexObject("iFixed", Syntax::OctetString, 3, 3),
        indexObject("iGauge", Syntax::Gauge32),
        indexObject("iOid", Syntax::ObjectIdentifier),
    });
    return d;
}

TEST(IndexConversion, EveryShownTextRoundTripsThroughItsIndexObject) {
    struct Case {
        const char* index;
        Value value;  // as the agent would hold it in the index column
        Oid encoded;
    } cases[] = {
        {"iInt", Value::makeInteger(65537), {65537}},
        {"iEnum", Value::makeInteger(6), {6}},
        {"iEnum", Value::makeInteger(3), {3}},  // unlabelled value shows as its number
        {"iIp", Value::makeIpAddress(10, 0, 255, 1), {10, 0, 255, 1}},
        {"iMac",
         Value::makeString(std::string("\x00\xA0\x12\x34\x56\xff", 6)),
         {0, 0xA0, 0x12, 0x34, 0x56, 0xff}},
        {"iText", Value::makeString("ge 1/2"), {6, 'g', 'e', ' ', '1', '/', '2'}},
        {"iText", Value::makeString(""), {0}},
        {"iHex", Value::makeString(std::string("\x00\x7f\x80", 3)), {3, 0, 0x7f, 0x80}},
        {"iFixed", Value::makeString("abc"), {'a', 'b', 'c'}},
        {"iGauge", Value::makeGauge32(4294967295u), {4294967295u}},
        {"iOid", Value::makeOid({1, 3, 6}), {3, 1, 3, 6}},
    };
    for (const auto& c : cases) {
        const MibVariable& variable = *dictionary().find(c.index);
        const std::string shown = formatValue(variable, c.value).text;
        SCOPED_TRACE(std::string(c.index) + " \"" + shown + "\"");
        Oid instance;
        std::string why;
        ASSERT_EQ(instanceFromIndexTexts(dictionary(), {c.index}, {shown}, &instance, &why), 0)
            << why;
        EXPECT_EQ(instance, c.encoded);
        std::vector<std::string> back;
        ASSERT_TRUE(indexTextsFromInstance(dictionary(), {c.index}, instance, &back));
        EXPECT_EQ(back, std::vector<std::string>{shown});
    }
}

TEST(IndexConversion, SeveralIndexesAndAlternativeSpellings) {
    Oid instance;
    std::string why;
    ASSERT_EQ(instanceFromIndexTexts(dictionary(), {"iEnum", "iMac", "iInt"},
                                     {"ethernet", "00-a0-12-34-56-78", "7"}, &instance, &why),
              0);
    EXPECT_EQ(instance, (Oid{1, 0, 0xA0, 0x12, 0x34, 0x56, 0x78, 7}));
    std::vector<std::string> texts;
    ASSERT_TRUE(indexTextsFromInstance(dictionary(), {"iEnum", "iMac", "iInt"}, instance, &texts));
    EXPECT_EQ(texts, (std::vector<std::string>{"ethernet", "00:A0:12:34:56:78", "7"}));
    EXPECT_FALSE(indexTextsFromInstance(dictionary(), {"iEnum", "iMac"}, instance, &texts))
        << "sub-identifiers left over";
    EXPECT_FALSE(indexTextsFromInstance(dictionary(), {"iText"}, {5, 'a'}, &texts))
        << "length beyond the instance";
}

TEST(IndexConversion, TextsThatDoNotFitTheirSyntaxAreRefusedWithTheReason) {
    static const std::string tooLong(33, 'x');
    const char* kTooLong = tooLong.c_str();
    struct Case {
        const char* index;
        const char* text;
    } cases[] = {
        {"iInt", "-1"},
        {"iInt", "4294967296"},
        {"iInt", "2147483648"},
        {"iEnum", "2147483648"},
        {"iGauge", "4294967296"},
        {"iInt", "12a"},
        {"iInt", ""},
        {"iEnum", "token"},
        {"iIp", "10.0.0"},
        {"iIp", "10.0.0.256"},
        {"iIp", "1.2.3.4.5"},
        {"iMac", "00:A0:12:34:56"},
        {"iMac", "00:A0:12:34:56:7G"},
        {"iMac", "00A0:12:34:56:78:"},
        {"iHex", "0A 1"},
        {"iFixed", "ab"},
        {"iText", kTooLong},
        {"iOid", "1..3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.index) + " \"" + c.text + "\"");
        Oid instance = {99};
        std::string why;
        EXPECT_EQ(instanceFromIndexTexts(dictionary(), {c.index}, {c.text}, &instance, &why),
                  kMibBadIndex);
        EXPECT_EQ(instance, Oid{99}) << "left untouched";
        EXPECT_NE(why.find(c.index), std::string::npos);
    }
    Oid instance;
    std::string why;
    EXPECT_EQ(instanceFromIndexTexts(dictionary(), {"iInt", "iInt"}, {"1"}, &instance, &why),
              kMibBadIndex);
    EXPECT_EQ(instanceFromIndexTexts(dictionary(), {"nope"}, {"1"}, &instance, &why), kMibBadIndex);
}

}  // namespace
}  // namespace mib

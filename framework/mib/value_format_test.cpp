#include "framework/mib/value_format.h"

#include <gtest/gtest.h>

#include "framework/mib/mib_error.h"

namespace mib {
namespace {

MibVariable variable(Syntax syntax, int maxSize = 0) {
    MibVariable v;
    v.name = "v";
    v.syntax = syntax;
    v.maxSize = maxSize;
    v.access = Access::ReadWrite;
    if (syntax == Syntax::Enumeration)
        v.enums = {{1, "enabled"}, {2, "disabled"}};
    return v;
}

TEST(ValueFormat, ShownTextsPerSyntaxAndRawNumbers) {
    struct Case {
        Syntax syntax;
        Value value;
        const char* shown;
        const char* raw;
        int error;
    } cases[] = {
        {Syntax::Enumeration, Value::makeInteger(2), "disabled", "2", 0},
        {Syntax::Enumeration, Value::makeInteger(9), "9", "9", 0},
        {Syntax::Integer, Value::makeInteger(-5), "-5", "-5", 0},
        {Syntax::Counter32, Value::makeCounter32(4294967295u), "4294967295", "4294967295", 0},
        {Syntax::Counter64, Value::makeCounter64(18446744073709551615ull), "18446744073709551615",
         "18446744073709551615", 0},
        {Syntax::TimeTicks, Value::makeTimeTicks(366100), "01:01:01.00", "366100", 0},
        {Syntax::TimeTicks, Value::makeTimeTicks(8640000 * 2 + 5), "2 days, 00:00:00.05",
         "17280005", 0},
        {Syntax::IpAddress, Value::makeIpAddress(192, 168, 0, 254), "192.168.0.254",
         "192.168.0.254", 0},
        {Syntax::MacAddress, Value::makeString(std::string("\x00\xa0\x12\x34\x56\x78", 6)),
         "00:A0:12:34:56:78", "00:A0:12:34:56:78", 0},
        {Syntax::DisplayString, Value::makeString(std::string("port 1\0\0", 8)), "port 1", "port 1",
         0},
        {Syntax::OctetString, Value::makeString(std::string("\x0a\xff\x00", 3)), "0A FF 00",
         "0A FF 00", 0},
        {Syntax::ObjectIdentifier, Value::makeOid({1, 3, 6, 1}), "1.3.6.1", "1.3.6.1", 0},
        // wrong types and missing values show nothing
        {Syntax::Integer, Value::makeString("12"), "", "", kMibWrongType},
        {Syntax::DisplayString, Value::makeInteger(12), "", "", kMibWrongType},
        // a MAC of another length shows its bytes, no more and no fewer
        {Syntax::MacAddress, Value::makeString("short"), "73 68 6F 72 74", "73 68 6F 72 74", 0},
        {Syntax::MacAddress, Value::makeString(std::string("\x00\xa0\x12\x34\x56\x78\x9a", 7)),
         "00 A0 12 34 56 78 9A", "00 A0 12 34 56 78 9A", 0},
        {Syntax::MacAddress, Value::makeString(""), "", "", 0},
        {Syntax::MacAddress, Value::makeInteger(12), "", "", kMibWrongType},
        {Syntax::IpAddress, Value::makeString("12345"), "", "", kMibWrongType},
        {Syntax::Counter32, Value::exception(ValueType::NoSuchInstance), "", "", kMibNoValue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const MibVariable v = variable(c.syntax);
        const FormattedValue shown = formatValue(v, c.value);
        EXPECT_EQ(shown.text, c.shown);
        EXPECT_EQ(shown.error, c.error);
        EXPECT_EQ(formatValue(v, c.value, true).text, c.raw);
        long number = 99;
        const int code = integerOfValue(v, c.value, &number);
        if (code != 0) {
            EXPECT_EQ(number, 0) << "never a made-up number";
        }
    }
}

TEST(ValueFormat, TextsToSetFollowTheSyntaxAndSize) {
    struct Case {
        Syntax syntax;
        int maxSize;
        const char* text;
        int error;
        Value expected;
    } cases[] = {
        {Syntax::Enumeration, 0, "disabled", 0, Value::makeInteger(2)},
        {Syntax::Enumeration, 0, "1", 0, Value::makeInteger(1)},
        {Syntax::Integer, 0, "-2147483648", 0, Value::makeInteger(-2147483648LL)},
        {Syntax::Integer, 0, "2147483648", kMibBadValue, {}},
        {Syntax::Gauge32, 0, "4294967295", 0, Value::makeGauge32(4294967295u)},
        {Syntax::Gauge32, 0, "-1", kMibBadValue, {}},
        {Syntax::DisplayString, 4, "abcd", 0, Value::makeString("abcd")},
        {Syntax::DisplayString, 4, "abcde", kMibBadValue, {}},
        {Syntax::OctetString, 0, "0a:FF", 0, Value::makeString(std::string("\x0a\xff", 2))},
        {Syntax::MacAddress, 0, "00a012345678", 0,
         Value::makeString(std::string("\x00\xa0\x12\x34\x56\x78", 6))},
        {Syntax::IpAddress, 0, "1.2.3.4", 0, Value::makeIpAddress(1, 2, 3, 4)},
        {Syntax::IpAddress, 0, "1.2.3.", kMibBadValue, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Value out;
        EXPECT_EQ(valueFromText(variable(c.syntax, c.maxSize), c.text, &out), c.error);
        if (c.error == 0) {
            EXPECT_EQ(out, c.expected);
        }
    }
    Value out;
    // Found by fuzzing: a NUL was written, then shown cut off, so the text did not read back.
    EXPECT_EQ(valueFromText(variable(Syntax::DisplayString), std::string("core\0", 5), &out),
              kMibBadValue);
    EXPECT_EQ(valueFromText(variable(Syntax::DisplayString), std::string("a\0b", 3), &out),
              kMibBadValue);
    EXPECT_EQ(valueFromInteger(variable(Syntax::DisplayString), 5, &out), kMibBadValue);

    // Found by fuzzing: TimeTicks were shown as a duration that did not read back.
    for (const std::uint32_t ticks : {0u, 366100u, 8640000u + 1u, 66666656u, 4294967295u}) {
        const MibVariable ticksVariable = variable(Syntax::TimeTicks);
        const std::string shown = formatValue(ticksVariable, Value::makeTimeTicks(ticks)).text;
        ASSERT_EQ(valueFromText(ticksVariable, shown, &out), 0) << shown;
        EXPECT_EQ(out, Value::makeTimeTicks(ticks)) << shown;
    }
    for (const char* text :
         {"1 days 00:00:00.00", "2 weeks, 00:00:00.00", "24:00:00.00", "00:60:00.00", "00:00:00.0",
          "0:00:00.00", "497 days, 02:27:52.96", "00:00:00.-1"}) {
        EXPECT_EQ(valueFromText(variable(Syntax::TimeTicks), text, &out), kMibBadValue) << text;
    }
    EXPECT_EQ(valueFromInteger(variable(Syntax::Counter32), -1, &out), kMibBadValue);
}

}  // namespace
}  // namespace mib

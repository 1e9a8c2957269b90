#pragma once
// Texts of MIB values as the component shows them, and the way back from
// those texts (and from numbers) to values of a variable's syntax.
//
// Forms: enumerations by label (number when unlabelled), numbers in decimal,
// IpAddress dotted "10.1.2.3", MAC addresses "00:A0:12:34:56:78" (upper-case
// hex, colons), display strings as their text, binary octet strings as
// upper-case hex pairs separated by spaces "0A 1B FF", TimeTicks as
// "D days, HH:MM:SS.cc" (without the days part below one day), object
// identifiers dotted. Raw texts give numbers only: enumeration values,
// TimeTicks in hundredths of a second.

#include <string>
#include <string_view>

#include "framework/mib/mib_dictionary.h"
#include "framework/mib/snmp_types.h"

namespace mib {

struct FormattedValue {
    std::string text;
    int error = 0;  // a MibErrorCode; text is empty when nonzero
};

FormattedValue formatValue(const MibVariable& variable, const Value& value, bool raw = false);

// 0 and the integer, or an error code (wrong type) with *out = 0.
int integerOfValue(const MibVariable& variable, const Value& value, long* out);

// Values to set; 0 or an error code (kMibBadValue), *out untouched on error.
int valueFromText(const MibVariable& variable, std::string_view text, Value* out);
int valueFromInteger(const MibVariable& variable, long number, Value* out);

bool isStringSyntax(Syntax syntax);
bool isValueOfSyntax(Syntax syntax, const Value& value);

std::string formatMac(std::string_view octets);
bool parseMac(std::string_view text, std::string* octets);  // also '-' separated or bare hex
std::string formatHex(std::string_view octets);
bool parseHex(std::string_view text, std::string* octets);  // spaces, colons optional
std::string formatTimeTicks(std::uint32_t hundredths);
bool parseTimeTicks(std::string_view text, std::uint32_t* hundredths);  // the form above
bool parseIpAddress(std::string_view text, std::string* octets);
bool parseUnsigned(std::string_view text, std::uint64_t max, std::uint64_t* out);
bool parseSigned(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t* out);

}  // namespace mib

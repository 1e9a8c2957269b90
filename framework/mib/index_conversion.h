#pragma once
// Row instances from index texts and back. Each text is converted by its
// index object's syntax:
//   Integer, Gauge32, ...   decimal, 0 .. 4294967295, one sub-identifier
//   Enumeration             its label or its number, one sub-identifier
//   IpAddress               "a.b.c.d", four sub-identifiers
//   MacAddress              the GetString form "00:A0:12:34:56:78" (also '-'
//                           separated or 12 bare hex digits), six sub-identifiers
//   DisplayString           the text itself, one sub-identifier per octet
//   OctetString (binary)    the GetString hex form "0A 1B", one per octet
//   ObjectIdentifier        dotted, its sub-identifiers
// Strings of fixed size (minSize == maxSize) go without a length; every other
// string and object identifier is preceded by its length. IMPLIED indexes are
// not used by our tables.

#include <string>
#include <string_view>
#include <vector>

#include "framework/mib/mib_dictionary.h"

namespace mib {

// 0, or kMibBadIndex with *why saying which text failed and why.
int instanceFromIndexTexts(const MibDictionary& dictionary,
                           const std::vector<std::string>& indexObjects,
                           const std::vector<std::string>& texts, Oid* instance, std::string* why);

// The texts GetString would show for each index value of instance; false when
// the instance does not decode (too short, too long, out of range).
bool indexTextsFromInstance(const MibDictionary& dictionary,
                            const std::vector<std::string>& indexObjects, const Oid& instance,
                            std::vector<std::string>* texts);

}  // namespace mib

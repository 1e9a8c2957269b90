#include "framework/mib/netsnmp_varbind.h"

#include <cstdio>
#include <vector>

// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
// clang-format on

namespace mib::netsnmp {

namespace {

std::vector<oid> toNetSnmpOid(const Oid& in) {
    return std::vector<oid>(in.begin(), in.end());
}

struct Encoded {
    u_char type = ASN_NULL;
    long integer = 0;
    struct counter64 c64 = {0, 0};
    std::vector<oid> objid;
    const void* data = nullptr;
    size_t length = 0;
};

Encoded encode(const Value& value) {
    Encoded e;
    auto asLong = [&e](u_char type, long v) {
        e.type = type;
        e.integer = v;
        e.data = &e.integer;
        e.length = sizeof(long);
    };
    switch (value.type) {
        case ValueType::Null:
            e.type = ASN_NULL;
            break;
        case ValueType::Integer:
            asLong(ASN_INTEGER, static_cast<long>(static_cast<std::int32_t>(value.integer)));
            break;
        case ValueType::Counter32:
            asLong(ASN_COUNTER, static_cast<long>(static_cast<std::uint32_t>(value.integer)));
            break;
        case ValueType::Gauge32:
            asLong(ASN_GAUGE, static_cast<long>(static_cast<std::uint32_t>(value.integer)));
            break;
        case ValueType::TimeTicks:
            asLong(ASN_TIMETICKS, static_cast<long>(static_cast<std::uint32_t>(value.integer)));
            break;
        case ValueType::OctetString:
        case ValueType::IpAddress:
        case ValueType::Opaque:
            e.type = value.type == ValueType::OctetString ? ASN_OCTET_STR
                     : value.type == ValueType::IpAddress ? ASN_IPADDRESS
                                                          : ASN_OPAQUE;
            e.data = value.octets.data();
            e.length = value.octets.size();
            break;
        case ValueType::ObjectId:
            e.type = ASN_OBJECT_ID;
            e.objid = toNetSnmpOid(value.oid);
            e.data = e.objid.data();
            e.length = e.objid.size() * sizeof(oid);
            break;
        case ValueType::Counter64:
            e.type = ASN_COUNTER64;
            e.c64.high = static_cast<u_long>(value.counter64 >> 32);
            e.c64.low = static_cast<u_long>(value.counter64 & 0xffffffffu);
            e.data = &e.c64;
            e.length = sizeof(e.c64);
            break;
        case ValueType::NoSuchObject:
            e.type = SNMP_NOSUCHOBJECT;
            break;
        case ValueType::NoSuchInstance:
            e.type = SNMP_NOSUCHINSTANCE;
            break;
        case ValueType::EndOfMibView:
            e.type = SNMP_ENDOFMIBVIEW;
            break;
    }
    return e;
}

}  // namespace

bool decodeVariable(const variable_list& var, VarBind* out, std::string* error) {
    out->oid.assign(var.name, var.name + var.name_length);
    Value& v = out->value;
    v = Value{};
    switch (var.type) {
        case ASN_NULL:
            break;
        case ASN_INTEGER:
            v.type = ValueType::Integer;
            v.integer = static_cast<std::int32_t>(*var.val.integer);
            break;
        case ASN_COUNTER:
        case ASN_GAUGE:
        case ASN_TIMETICKS:
        case ASN_UINTEGER:
            v.type = var.type == ASN_COUNTER     ? ValueType::Counter32
                     : var.type == ASN_TIMETICKS ? ValueType::TimeTicks
                                                 : ValueType::Gauge32;
            v.integer = static_cast<std::uint32_t>(*var.val.integer);
            break;
        case ASN_COUNTER64:
            v.type = ValueType::Counter64;
            v.counter64 = (static_cast<std::uint64_t>(var.val.counter64->high) << 32) |
                          (var.val.counter64->low & 0xffffffffu);
            break;
        case ASN_OCTET_STR:
        case ASN_BIT_STR:
        case ASN_OPAQUE:
            v.type = var.type == ASN_OPAQUE ? ValueType::Opaque : ValueType::OctetString;
            v.octets.assign(reinterpret_cast<const char*>(var.val.string), var.val_len);
            break;
        case ASN_IPADDRESS:
            if (var.val_len != 4) {
                *error = "IpAddress of " + std::to_string(var.val_len) + " octets";
                return false;
            }
            v.type = ValueType::IpAddress;
            v.octets.assign(reinterpret_cast<const char*>(var.val.string), 4);
            break;
        case ASN_OBJECT_ID:
            v.type = ValueType::ObjectId;
            v.oid.assign(var.val.objid, var.val.objid + var.val_len / sizeof(oid));
            break;
        case SNMP_NOSUCHOBJECT:
            v.type = ValueType::NoSuchObject;
            break;
        case SNMP_NOSUCHINSTANCE:
            v.type = ValueType::NoSuchInstance;
            break;
        case SNMP_ENDOFMIBVIEW:
            v.type = ValueType::EndOfMibView;
            break;
        default: {
            char text[64];
            std::snprintf(text, sizeof text, "unsupported value type 0x%02x at ", var.type);
            *error = text + oidToString(out->oid);
            return false;
        }
    }
    return true;
}

void appendVarBind(snmp_pdu* pdu, const VarBind& varbind) {
    const std::vector<oid> name = toNetSnmpOid(varbind.oid);
    const Encoded e = encode(varbind.value);
    snmp_pdu_add_variable(pdu, name.data(), name.size(), e.type, e.data, e.length);
}

void storeValue(variable_list* var, const Value& value) {
    const Encoded e = encode(value);
    snmp_set_var_typed_value(var, e.type, e.data, e.length);
}

void storeName(variable_list* var, const Oid& name) {
    const std::vector<oid> n = toNetSnmpOid(name);
    snmp_set_var_objid(var, n.data(), n.size());
}

}  // namespace mib::netsnmp

#include "framework/mib/journal_record.h"

#include <algorithm>
#include <ctime>
#include <nlohmann/json.hpp>
#include <sstream>

#include "framework/mib/value_format.h"

namespace mib {

namespace {

using json = nlohmann::ordered_json;

constexpr ValueType kAllTypes[] = {
    ValueType::Null,        ValueType::Integer,      ValueType::OctetString,
    ValueType::ObjectId,    ValueType::IpAddress,    ValueType::Counter32,
    ValueType::Gauge32,     ValueType::TimeTicks,    ValueType::Counter64,
    ValueType::Opaque,      ValueType::NoSuchObject, ValueType::NoSuchInstance,
    ValueType::EndOfMibView};

bool holdsOctets(ValueType t) {
    return t == ValueType::OctetString || t == ValueType::IpAddress || t == ValueType::Opaque;
}

json valueToJson(const MibVariable* variable, const Value& value) {
    json j = {{"type", valueTypeName(value.type)}};
    if (holdsOctets(value.type)) {
        j["hex"] = formatHex(value.octets);
    } else if (value.type == ValueType::Counter64) {
        j["value"] = value.counter64;
    } else if (value.type == ValueType::ObjectId) {
        j["value"] = oidToString(value.oid);
    } else if (!value.isException() && value.type != ValueType::Null) {
        j["value"] = value.integer;
    }
    if (variable != nullptr && !value.isException() && value.type != ValueType::Null) {
        const FormattedValue shown = formatValue(*variable, value);
        if (shown.error == 0) {
            j["text"] = shown.text;
        }
    }
    return j;
}

std::optional<Value> valueFromJson(const json& j) {
    if (!j.is_object() || !j.contains("type") || !j["type"].is_string()) {
        return std::nullopt;
    }
    const std::string name = j["type"].get<std::string>();
    for (ValueType t : kAllTypes) {
        if (valueTypeName(t) != name) {
            continue;
        }
        Value v = Value::exception(t);
        if (holdsOctets(t)) {
            if (!j.contains("hex") || !j["hex"].is_string() ||
                !parseHex(j["hex"].get<std::string>(), &v.octets)) {
                return std::nullopt;
            }
        } else if (t == ValueType::Counter64) {
            v.counter64 = j.at("value").get<std::uint64_t>();
        } else if (t == ValueType::ObjectId) {
            if (!parseOid(j.at("value").get<std::string>(), &v.oid)) {
                return std::nullopt;
            }
        } else if (!v.isException() && t != ValueType::Null) {
            v.integer = j.at("value").get<std::int64_t>();
        }
        return v;
    }
    return std::nullopt;
}

json changeToJson(const JournalChange& c, const MibDictionary& dictionary) {
    json varbinds = json::array();
    for (const JournalVarbind& vb : c.varbinds) {
        const MibVariable* variable = dictionary.find(vb.name);
        json j = {{"name", vb.name}, {"instance", vb.instance}, {"oid", oidToString(vb.oid)}};
        j["before"] = vb.before ? valueToJson(variable, *vb.before) : json(nullptr);
        j["sent"] = valueToJson(variable, vb.sent);
        varbinds.push_back(std::move(j));
    }
    json j = {{"record", "change"}, {"id", c.id},
              {"time", c.time},     {"agent", {{"name", c.agentName}, {"address", c.agentAddress}}},
              {"user", c.user},     {"page", c.source.page}};
    if (c.source.undoes != 0) {
        j["undoes"] = c.source.undoes;
    }
    if (!c.beforeNote.empty()) {
        j["beforeNote"] = c.beforeNote;
    }
    j["varbinds"] = std::move(varbinds);
    return j;
}

JournalChange changeFromJson(const json& j) {
    JournalChange c;
    c.id = j.at("id").get<long>();
    c.time = j.value("time", "");
    const json& agent = j.at("agent");
    c.agentName = agent.value("name", "");
    c.agentAddress = agent.value("address", "");
    c.user = j.value("user", "");
    c.source.page = j.value("page", "");
    c.source.undoes = j.value("undoes", 0L);
    c.beforeNote = j.value("beforeNote", "");
    for (const json& v : j.at("varbinds")) {
        JournalVarbind vb;
        vb.name = v.value("name", "");
        vb.instance = v.value("instance", "");
        if (!parseOid(v.at("oid").get<std::string>(), &vb.oid)) {
            throw std::invalid_argument("bad OID");
        }
        if (!v.at("before").is_null()) {
            vb.before = valueFromJson(v["before"]);
            if (!vb.before) {
                throw std::invalid_argument("bad value before");
            }
        }
        const auto sent = valueFromJson(v.at("sent"));
        if (!sent) {
            throw std::invalid_argument("bad value sent");
        }
        vb.sent = *sent;
        c.varbinds.push_back(std::move(vb));
    }
    return c;
}

json outcomeToJson(long id, const SetOutcome& o) {
    json j = {
        {"record", "outcome"}, {"id", id}, {"time", journalTimeNow()}, {"answered", o.answered}};
    if (o.answered) {
        j["errorStatus"] = errorStatusName(o.errorStatus);
        j["errorIndex"] = o.errorIndex;
    } else {
        j["detail"] = o.detail;
    }
    return j;
}

SetOutcome outcomeFromJson(const json& j) {
    SetOutcome o;
    o.answered = j.at("answered").get<bool>();
    if (o.answered) {
        const std::string status = j.at("errorStatus").get<std::string>();
        bool known = false;
        for (int s = 0; s <= static_cast<int>(ErrorStatus::InconsistentName); ++s) {
            if (errorStatusName(static_cast<ErrorStatus>(s)) == status) {
                o.errorStatus = static_cast<ErrorStatus>(s);
                known = true;
            }
        }
        if (!known) {
            throw std::invalid_argument("unknown error status " + status);
        }
        o.errorIndex = j.value("errorIndex", 0);
    } else {
        o.detail = j.value("detail", "");
    }
    return o;
}

}  // namespace

std::string journalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

std::string changeLine(const JournalChange& change, const MibDictionary& dictionary) {
    return changeToJson(change, dictionary).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string outcomeLine(long id, const SetOutcome& outcome) {
    return outcomeToJson(id, outcome).dump(-1, ' ', false, json::error_handler_t::replace);
}

long changeIdOfLine(const std::string& line) {
    try {
        const json j = json::parse(line);
        return j.value("record", "") == "change" ? j.value("id", 0L) : 0;
    } catch (const json::exception&) {
        return 0;  // a torn or foreign line holds no id worth taking
    }
}

std::vector<std::optional<Value>> valuesBefore(const ResponsePdu& response,
                                               const std::vector<VarBind>& asked,
                                               std::string* note) {
    std::vector<std::optional<Value>> values(asked.size());
    if (response.errorStatus != ErrorStatus::NoError) {
        *note = "the agent refused the read before: " + errorStatusName(response.errorStatus);
        return values;
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const auto answered =
            std::find_if(response.varbinds.begin(), response.varbinds.end(),
                         [&](const VarBind& vb) { return vb.oid == asked[i].oid; });
        if (answered != response.varbinds.end() && answered->value.type != ValueType::Null) {
            values[i] = answered->value;
        }
    }
    return values;
}
const JournalChange* JournalContents::find(long id) const {
    for (const JournalChange& c : changes) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

JournalContents parseJournal(std::istream& in) {
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    JournalContents contents;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        ++number;
        const std::size_t end = text.find('\n', start);
        const bool torn = end == std::string::npos;
        const std::string line = text.substr(start, torn ? std::string::npos : end - start);
        start = torn ? text.size() : end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        const std::string where = "line " + std::to_string(number);
        if (torn) {
            contents.warnings.push_back(where + " is incomplete (a write was cut short); skipped");
            continue;
        }
        try {
            const json j = json::parse(line);
            const std::string kind = j.at("record").get<std::string>();
            if (kind == "change") {
                contents.changes.push_back(changeFromJson(j));
            } else if (kind == "outcome") {
                const long id = j.at("id").get<long>();
                auto it = std::find_if(contents.changes.rbegin(), contents.changes.rend(),
                                       [id](const JournalChange& c) { return c.id == id; });
                if (it == contents.changes.rend()) {
                    contents.warnings.push_back(where + " gives the outcome of change " +
                                                std::to_string(id) +
                                                ", which is not in the journal; skipped");
                    continue;
                }
                it->outcome = outcomeFromJson(j);
                it->outcomeTime = j.value("time", "");
            } else {
                contents.warnings.push_back(where + " is a record of unknown kind " + kind +
                                            "; skipped");
            }
        } catch (const json::parse_error&) {
            contents.warnings.push_back(where + " is not valid JSON; skipped");
        } catch (const json::exception&) {
            contents.warnings.push_back(where + " is not a valid journal record; skipped");
        } catch (const std::invalid_argument&) {
            contents.warnings.push_back(where + " is not a valid journal record; skipped");
        }
    }
    return contents;
}
std::string describeJournalValue(const MibDictionary& dictionary, const JournalVarbind& vb,
                                 const std::optional<Value>& value) {
    if (!value) {
        return "(not read)";
    }
    if (value->isException()) {
        return "(" + valueTypeName(value->type) + ")";
    }
    const MibVariable* variable = dictionary.find(vb.name);
    if (variable == nullptr) {
        return valueTypeName(value->type);
    }
    const FormattedValue shown = formatValue(*variable, *value);
    if (shown.error != 0) {
        return valueTypeName(value->type);
    }
    if (isStringSyntax(variable->syntax)) {
        return "\"" + shown.text + "\"";
    }
    const FormattedValue raw = formatValue(*variable, *value, true);
    if (raw.error == 0 && raw.text != shown.text) {
        return shown.text + "(" + raw.text + ")";
    }
    return shown.text;
}

std::string describeOutcome(const JournalChange& change) {
    if (!change.outcome) {
        return "sent, outcome unknown";
    }
    const SetOutcome& o = *change.outcome;
    if (!o.answered) {
        return "no response (" + o.detail + ")";
    }
    if (o.errorStatus == ErrorStatus::NoError) {
        return "done";
    }
    return "refused: " + errorStatusName(o.errorStatus) + " at varbind " +
           std::to_string(o.errorIndex);
}
}  // namespace mib

#pragma once
// The four kinds of trunking service a switch offers, each with MIB tables of one shape, and
// how the Trunking page and the Modify Trunking Service dialog pick one by their flags.

namespace torvik {

enum class TrunkServiceKind { Dot10, Dot1Q, DomainBridging, Trunking };

// The first flag set wins, in the order 802.10, 802.1Q, Domain Bridging; Trunking when none.
TrunkServiceKind chooseTrunkServiceKind(int dot10Flag, int dot1QFlag, int domainBridgingFlag);

// The kind's services table (one row per service: its port, description and own group) and
// members table (one row per carried group, with the add/remove command).
struct TrunkServiceVariables {
    const char* servicesSlot;
    const char* servicesStation;
    const char* servicesDescription;
    const char* servicesBridgeId;
    const char* membersSlot;
    const char* membersStation;
    const char* membersGroup;
    const char* membersCommand;
};

const TrunkServiceVariables& trunkServiceVariables(TrunkServiceKind kind);
// "802.1Q", "Domain Bridging", ...
const char* trunkServiceName(TrunkServiceKind kind);
// Title of the box holding the service's description: "802.1Q Service Description".
const char* trunkServiceDescriptionTitle(TrunkServiceKind kind);

// Values of a members command.
constexpr long kTrunkCommandAdd = 1;
constexpr long kTrunkCommandRemove = 2;

}  // namespace torvik

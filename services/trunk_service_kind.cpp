#include "services/trunk_service_kind.h"

namespace torvik {

namespace {

struct KindInfo {
    TrunkServiceVariables variables;
    const char* name;
    const char* descriptionTitle;
};

const KindInfo& infoOf(TrunkServiceKind kind) {
    static const KindInfo kDot10{
        {"v80210ServicesSlot", "v80210ServicesStation", "v80210ServicesDescription",
         "v80210ServicesBridgeID", "v80210Slot", "v80210Station", "v80210LanNumber",
         "v80210Command"},
        "802.10",
        "802.10 Service Description"};
    static const KindInfo kDot1Q{
        {"v8021QServicesSlot", "v8021QServicesStation", "v8021QServicesDescription",
         "v8021QServicesBridgeID", "v8021QSlot", "v8021QStation", "v8021QLanNumber",
         "v8021QCommand"},
        "802.1Q",
        "802.1Q Service Description"};
    static const KindInfo kDomainBridging{
        {"VDBrServicesSlot", "VDBrServicesStation", "VDBrServicesDescription",
         "VDBrServicesBridgeID", "VDBrSlot", "VDBrStation", "VDBrLanNumber", "VDBrCommand"},
        "Domain Bridging",
        "Domain Bridging Service Description"};
    static const KindInfo kTrunking{
        {"vTrunkingServicesSlot", "vTrunkingServicesStation", "vTrunkingServicesDescription",
         "vTrunkingServicesBridgeID", "vTrunkingSlot", "vTrunkingStation", "vTrunkingLanNumber",
         "vTrunkingCommand"},
        "Trunking",
        "Trunking Service Description"};
    switch (kind) {
        case TrunkServiceKind::Dot10:
            return kDot10;
        case TrunkServiceKind::Dot1Q:
            return kDot1Q;
        case TrunkServiceKind::DomainBridging:
            return kDomainBridging;
        case TrunkServiceKind::Trunking:
            break;
    }
    return kTrunking;
}

}  // namespace

TrunkServiceKind chooseTrunkServiceKind(int dot10Flag, int dot1QFlag, int domainBridgingFlag) {
    if (dot10Flag) {
        return TrunkServiceKind::Dot10;
    }
    if (dot1QFlag) {
        return TrunkServiceKind::Dot1Q;
    }
    if (domainBridgingFlag) {
        return TrunkServiceKind::DomainBridging;
    }
    return TrunkServiceKind::Trunking;
}

const TrunkServiceVariables& trunkServiceVariables(TrunkServiceKind kind) {
    return infoOf(kind).variables;
}

const char* trunkServiceName(TrunkServiceKind kind) {
    return infoOf(kind).name;
}

const char* trunkServiceDescriptionTitle(TrunkServiceKind kind) {
    return infoOf(kind).descriptionTitle;
}

}  // namespace torvik

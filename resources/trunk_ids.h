#pragma once
// Ids of the Trunking page (147) and of the Modify Trunking Service dialog (155).

// The dialog the Trunking page runs; the page's own id is in resource_ids.h.
constexpr int IDD_MODIFY_TRUNK_SERVICE = 155;

// Trunking page (147).
constexpr int IDC_TRUNK_SLOT_PORT = 1500;
constexpr int IDC_TRUNK_DESCRIPTION_GROUP = 1501;
constexpr int IDC_TRUNK_DESCRIPTION = 1502;
constexpr int IDC_TRUNK_GROUPS_GROUP = 1503;
constexpr int IDC_TRUNK_GROUP_LIST = 1504;
constexpr int IDC_TRUNK_MODIFY = 1505;

// Modify Trunking Service dialog (155).
constexpr int IDC_TRUNK_SERVICE_MODIFY_GROUP = 1550;
constexpr int IDC_TRUNK_SERVICE_DESCRIPTION = 1551;
constexpr int IDC_TRUNK_SERVICE_AVAILABLE = 1552;
constexpr int IDC_TRUNK_SERVICE_ADD = 1553;
constexpr int IDC_TRUNK_SERVICE_REMOVE = 1554;
constexpr int IDC_TRUNK_SERVICE_SERVICED = 1555;

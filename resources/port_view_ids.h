#pragma once
// Control ids of the Status (206) and Statistics (207) templates. The dialog ids themselves
// are in resource_ids.h with the other pages'.

// Status page (206).
constexpr int IDC_STATUS_PORTS_GROUP = 1100;
constexpr int IDC_STATUS_PORT_LIST = 1101;
constexpr int IDC_STATUS_PARAMETERS_GROUP = 1102;
constexpr int IDC_STATUS_SLOT_PORT = 1103;
constexpr int IDC_STATUS_OPER_STATUS = 1104;
constexpr int IDC_STATUS_ADMIN_STATUS = 1105;
constexpr int IDC_STATUS_DESCRIPTION = 1106;

// Statistics page (207). Each radio pair is one group, first button first.
constexpr int IDC_STATS_GROUP = 1200;
constexpr int IDC_STATS_PHYSICAL = 1201;
constexpr int IDC_STATS_ETHERNET = 1202;
constexpr int IDC_STATS_TABLE_VIEW = 1203;
constexpr int IDC_STATS_ITEM_VIEW = 1204;
constexpr int IDC_STATS_LIST = 1205;

#pragma once
// Control ids of the MACs template (143). Each radio pair is one group, first button first.

constexpr int IDC_MACS_GROUP = 1430;
constexpr int IDC_MACS_IP_TO_MAC = 1431;
constexpr int IDC_MACS_FORWARDING = 1432;
constexpr int IDC_MACS_SEPARATOR = 1433;
constexpr int IDC_MACS_LIST = 1434;
constexpr int IDC_MACS_TABLE_VIEW = 1435;
constexpr int IDC_MACS_ITEM_VIEW = 1436;

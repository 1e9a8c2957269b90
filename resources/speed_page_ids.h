#pragma once
// Control ids of the Speed/Mode template (208). The dialog id is in resource_ids.h with the
// other pages'.

constexpr int IDC_SPEED_PORT_LIST = 1700;
constexpr int IDC_SPEED_CONFIGURATION_GROUP = 1701;
constexpr int IDC_SPEED_AUTO_NEGOTIATION = 1702;
constexpr int IDC_SPEED_DUPLEX = 1703;
constexpr int IDC_SPEED_SPEED = 1704;

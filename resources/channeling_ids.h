#pragma once
// Control ids of the Channeling template (141). The dialog id is in resource_ids.h with the
// other pages'.

constexpr int IDC_CHANNELING_GROUP = 1410;
constexpr int IDC_CHANNELING_LIST_CAPTION = 1411;
constexpr int IDC_CHANNELING_ALL_SLOTS = 1412;
constexpr int IDC_CHANNELING_LIST = 1413;
constexpr int IDC_CHANNELING_CREATE = 1414;
constexpr int IDC_CHANNELING_MODIFY = 1415;
constexpr int IDC_CHANNELING_DELETE = 1416;
constexpr int IDC_CHANNELING_SLOT = 1417;
constexpr int IDC_CHANNELING_CHANNEL_ID = 1418;
constexpr int IDC_CHANNELING_AVAILABLE = 1419;
constexpr int IDC_CHANNELING_CHANNEL_PORTS = 1420;
constexpr int IDC_CHANNELING_ADD = 1421;
constexpr int IDC_CHANNELING_REMOVE = 1422;
constexpr int IDC_CHANNELING_SET_PRIMARY = 1423;
constexpr int IDC_CHANNELING_PRIMARY_PORT = 1424;

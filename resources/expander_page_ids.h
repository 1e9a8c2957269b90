#pragma once
// Control ids of the expander General (132), Port Admin (133) and Segment Browser (131)
// templates and of the Modify Segment Description dialog (136).

// The Modify Segment Description dialog, run by the Segment Browser page.
constexpr int IDD_EXP_SEGMENT_DESCR = 136;

// General (132).
constexpr int IDC_EXPGEN_ICON = 1600;
constexpr int IDC_EXPGEN_CAPTION = 1601;
constexpr int IDC_EXPGEN_GROUP = 1602;
constexpr int IDC_EXPGEN_IP_ADDRESS = 1603;
constexpr int IDC_EXPGEN_PORT = 1604;
constexpr int IDC_EXPGEN_PORT_TYPE = 1605;

// Port Admin (133).
constexpr int IDC_EXPADMIN_PORT_LIST = 1620;
constexpr int IDC_EXPADMIN_CONFIG_GROUP = 1621;
constexpr int IDC_EXPADMIN_SEGMENT = 1622;
constexpr int IDC_EXPADMIN_ADMIN_STATE = 1623;
constexpr int IDC_EXPADMIN_UPLINK = 1624;
constexpr int IDC_EXPADMIN_SEGMENTS_LABEL = 1625;
constexpr int IDC_EXPADMIN_SEGMENT_LIST = 1626;

// Segment Browser (131).
constexpr int IDC_EXPBROWSER_SEGMENTS_LABEL = 1640;
constexpr int IDC_EXPBROWSER_SEGMENT_LIST = 1641;
constexpr int IDC_EXPBROWSER_MODIFY = 1642;
constexpr int IDC_EXPBROWSER_PORTS_LABEL = 1643;
constexpr int IDC_EXPBROWSER_PORT_LIST = 1644;

// Modify Segment Description (136).
constexpr int IDC_SEGDESCR_GROUP = 1660;
constexpr int IDC_SEGDESCR_SEGMENT = 1661;
constexpr int IDC_SEGDESCR_DESCRIPTION = 1662;

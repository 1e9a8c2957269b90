#pragma once
// Resource ids of the module: dialog templates, the module icon and the controls of each
// template. Pages, templates and tests take their ids from here only.

// Dialog templates, one per page name of the registry.
constexpr int IDD_ENET_PORT_GENERAL = 203;
constexpr int IDD_ENET_PORT_ADMIN = 204;
constexpr int IDD_ENET_PORT_STATUS = 206;
constexpr int IDD_ENET_PORT_STATS = 207;
constexpr int IDD_ENET_TRUNK = 147;
constexpr int IDD_ENET_CHANNELING = 141;
constexpr int IDD_ENET_SPEED = 208;
constexpr int IDD_ENET_MACS = 143;
constexpr int IDD_EXP_PORT_GENERAL = 132;
constexpr int IDD_EXP_PORT_ADMIN = 133;
constexpr int IDD_EXP_PORT_BROWSER = 131;
constexpr int IDD_EXP_PORT_STATS = 134;

// The module's icon, shown on the General page.
constexpr int IDI_TORVIK_MODULE = 138;

// General page (203).
constexpr int IDC_GENERAL_ICON = 1000;
constexpr int IDC_GENERAL_CAPTION = 1001;
constexpr int IDC_GENERAL_GROUP = 1002;
constexpr int IDC_GENERAL_IP_ADDRESS_LABEL = 1003;
constexpr int IDC_GENERAL_IP_ADDRESS = 1004;
constexpr int IDC_GENERAL_SLOT_LABEL = 1005;
constexpr int IDC_GENERAL_SLOT = 1006;
constexpr int IDC_GENERAL_PORT_LABEL = 1007;
constexpr int IDC_GENERAL_PORT = 1008;
constexpr int IDC_GENERAL_PORT_TYPE_LABEL = 1009;
constexpr int IDC_GENERAL_PORT_TYPE = 1010;
constexpr int IDC_GENERAL_DESCRIPTION_LABEL = 1011;
constexpr int IDC_GENERAL_DESCRIPTION = 1012;

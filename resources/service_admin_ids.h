#pragma once
// Control ids of the Service Admin template (204). The dialog id itself is in
// resource_ids.h with the other pages'.

constexpr int IDC_ADMIN_VPORTS_GROUP = 2000;
constexpr int IDC_ADMIN_VPORT_LIST = 2001;
constexpr int IDC_ADMIN_SETTINGS_GROUP = 2002;
constexpr int IDC_ADMIN_GROUP_NUM = 2003;
constexpr int IDC_ADMIN_ADMIN_STATE = 2004;
constexpr int IDC_ADMIN_DESCRIPTION = 2005;
constexpr int IDC_ADMIN_SWITCH_TIMER = 2006;
constexpr int IDC_ADMIN_FLOOD_LIMIT = 2007;
constexpr int IDC_ADMIN_MANUAL_MODE = 2008;
constexpr int IDC_ADMIN_BRIDGE_MODE = 2009;
constexpr int IDC_ADMIN_ENCAPSULATION = 2010;
constexpr int IDC_ADMIN_BRIDGE_PROTOCOL = 2011;
constexpr int IDC_ADMIN_MIRROR_STATUS = 2012;
constexpr int IDC_ADMIN_APPLY_ALL = 2013;
constexpr int IDC_ADMIN_SHOW_LEARNED = 2014;
constexpr int IDC_ADMIN_BRIDGE_ADDRESS = 2015;
constexpr int IDC_ADMIN_PORT_MIRRORING = 2016;
constexpr int IDC_ADMIN_TRUNKING = 2017;
constexpr int IDC_ADMIN_GROUPS_GROUP = 2018;
constexpr int IDC_ADMIN_GROUP_LIST = 2019;

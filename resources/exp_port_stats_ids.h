#pragma once
// Control ids of the expander Statistics template (134). Each radio group is one group,
// first button first.

constexpr int IDC_EXP_STATS_GROUP = 1340;
constexpr int IDC_EXP_STATS_BANK = 1341;
constexpr int IDC_EXP_STATS_PORT = 1342;
constexpr int IDC_EXP_STATS_ERRORS = 1343;
constexpr int IDC_EXP_STATS_SEPARATOR = 1344;
constexpr int IDC_EXP_STATS_LIST = 1345;
constexpr int IDC_EXP_STATS_TABLE_VIEW = 1346;
constexpr int IDC_EXP_STATS_ITEM_VIEW = 1347;

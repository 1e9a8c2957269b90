#pragma once
// Resource ids of the dialog library's templates and controls. They live in the library's
// own resource set, found through the chain of modules whatever resource handle is current.

constexpr int IDD_BELVA_BRIDGE_ADDRESS = 3001;
constexpr int IDD_BELVA_PORT_MIRROR = 3002;

// Static bridge address dialog (3001).
constexpr int IDC_BRIDGE_VPORT = 3100;
constexpr int IDC_BRIDGE_GROUP = 3101;
constexpr int IDC_BRIDGE_LIST_GROUP = 3102;
constexpr int IDC_BRIDGE_LIST = 3103;
constexpr int IDC_BRIDGE_ADDRESS = 3104;
constexpr int IDC_BRIDGE_ADD = 3105;
constexpr int IDC_BRIDGE_REMOVE = 3106;

// Port mirroring dialog (3002).
constexpr int IDC_MIRROR_VPORT = 3200;
constexpr int IDC_MIRROR_STATUS = 3201;
constexpr int IDC_MIRROR_TO_SLOT = 3202;
constexpr int IDC_MIRROR_TO_PORT = 3203;
constexpr int IDC_MIRROR_SESSION = 3204;

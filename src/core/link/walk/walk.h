// netloom::link, walk/ — the network walk and what it learns about the network.
//
// - network_walk.h              NetworkWalk, "ATNETINFO" and "ATNAMEREQ" down the tree
// - net_info_parser.h           the parsers of the walk's two replies (no I/O)
// - node_table.h                NodeRecord, NodeTable, NetworkSnapshot: what the walk builds
// - device_directory.h          DeviceDirectory, every node a walk has met (process-wide)
#pragma once

#include "core/link/walk/device_directory.h"
#include "core/link/walk/net_info_parser.h"
#include "core/link/walk/network_walk.h"
#include "core/link/walk/node_table.h"

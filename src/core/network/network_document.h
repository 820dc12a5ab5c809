// Saved networks: a document's port and line settings, its latest walk, every node record and
// its history, as one JSON file (".netloom") that opens again without the port.
//
// File shape (version 1):
//   {"format":"netloom network","version":1,
//    "port":{"path":"/dev/ttyUSB0","baud":9600,"bits":8,"parity":"None","stop":"1",
//            "flow":"None"},
//    "quietLimitSeconds":600,
//    "walk":{"time":"2026-...Z","count":N,"root":"0000",
//            "nodes":[{"address":"0000","name":"Coordinator","entryCount":3,
//                      "children":["1A01",...],"image":"<512 hex digits, when read>"}]},
//    "nodes":[<NodeJson of every node remembered, quiet ones included>],
//    "history":[{"time":...,"event":"joined|left|moved|renamed","address":...,"name":...,
//                "oldName":...,"fromParents":[...],"parents":[...],"lastHeard":...}]}
// A document saved before its first complete walk has "walk":null.
//
// Reading never trusts the file: a file that is not JSON, has another format or version, or a
// field that is missing, of the wrong type or out of range gives a one-line reason naming the
// place ("walk node 2: field 'children' holds something other than addresses") and no
// document. Pure functions (the file helpers aside); callable from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/link/serial/uart_settings.h"
#include "core/network/network_memory.h"

namespace netloom::network {

inline constexpr std::string_view kNetworkFileSuffix = ".netloom";
inline constexpr int kNetworkFileVersion = 1;

struct NetworkDocument {
  std::string portPath;         // the port the network was walked on; empty: none
  link::UartSettings settings;  // baud rate, byte size, parity, stop bits, flow control
  MemoryState memory;           // latest walk, node records, history, quiet limit
};

struct DocumentResult {
  std::optional<NetworkDocument> document;
  std::string error;  // why there is none; empty with a document
};

std::string WriteNetworkDocument(const NetworkDocument& document);
DocumentResult ReadNetworkDocument(std::string_view text);

// The file helpers: an empty text on success, else "cannot write FILE: reason".
std::string SaveNetworkFile(const std::string& path, const NetworkDocument& document);
// The error names the file: "FILE: reason".
DocumentResult LoadNetworkFile(const std::string& path);

}  // namespace netloom::network

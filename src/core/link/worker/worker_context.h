// Everything a worker action needs for one command, in one place.
//
// The worker builds one context on its own thread when its loop starts and hands it to every
// action (console, network query, configuration transfer, identity exchange). The fields held
// by value (node table, counters, local image) belong to the worker thread alone; the shared
// ones are reached through the session, under its lock.
#pragma once

#include <cstdint>

#include "core/catalogue/value_tables.h"
#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/uart_settings.h"
#include "core/link/walk/node_table.h"
#include "core/link/worker/link_session.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::link {

struct WorkerContext {
  WorkerContext(SerialPort& port_, const UartSettings& settings_, Clock& clock_,
                WorkerListener& listener_, LinkSession& session_,
                catalogue::ConfigValueTable& configValues_)
      : port(port_),
        settings(settings_),
        clock(clock_),
        listener(listener_),
        session(session_),
        configValues(configValues_) {}

  SerialPort& port;
  const UartSettings& settings;  // its write time-out goes with every read time-out change
  Clock& clock;                  // every protocol pause
  WorkerListener& listener;
  LinkSession& session;
  // The owner's current configuration values: a read decodes into them, a write encodes them.
  catalogue::ConfigValueTable& configValues;

  NodeTable nodeTable;              // the worker's node table
  std::int32_t nodeCounter = 0;     // node counter of the network query
  ConfigImage localImage{};         // image of the locally attached module
  std::int32_t identityLength = 0;  // length field of the last identity reply

  // Changes the total read time-out, keeping the settings' write time-out.
  void SetReadTimeout(std::uint32_t totalMs) { ApplyReadTimeout(port, settings, totalMs); }
  // One read of up to kReceiveBufferSize bytes whose content is not needed.
  void DiscardRead();
  // Publishes how far the running exchange has got (the session's progress).
  void SetProgress(const ExchangeProgress& progress);
};

}  // namespace netloom::link

// netloom::link, serial/ — the serial line, the ports a user can pick and the protocol's time.
//
// - serial_port.h       SerialPort, the thin layer every exchange goes through; OpenPort
// - posix_serial_port.h the POSIX port: termios for the line, poll for every wait
// - network_serial_port.h a port over TCP: RFC 2217 (Telnet COM-PORT-OPTION) or raw
// - network_port_name.h "rfc2217://HOST:PORT" and "tcp://HOST:PORT", the network port names
// - telnet_codec.h      Telnet framing: data apart from negotiations, 0xFF doubling
// - com_port_option.h   RFC 2217 requests and answers for the line settings
// - poll_wait.h         the deadline wait on a descriptor both backends use
// - tcp_socket.h        the TCP connection: bounded connect, keepalive, round-trip time
// - link_health.h       round-trip time and modem lines of a network port, for the status bar
// - termios_settings.h  UartSettings to termios: which settings a device can take
// - uart_settings.h     UartSettings, one connection's line settings with the dialog's codes
// - line_names.h        the names of those codes and the settings line "9600 8-None-1 FLOW:None"
// - serial_trace.h      the byte and failure trace (NETLOOM_TRACE, EnableLinkTrace)
// - port_tap.h          taps: every byte of the ports opened at a path, to whoever asked
// - session_log.h       SessionLog, a port's bytes timestamped and bounded; its file format
// - text_file.h         whole files in and out, with the system's reason for a refusal
// - link_errno.h        the system's error numbers as link errors
// - port_directory.h    the machine's serial devices and the running virtual modules' links
// - clock.h             Clock, the one place protocol waits go through (tests compress them)
// - wall_clock.h        WallClock, calendar time for what is kept with a date; UTC texts
//
// A port is used by one thread at a time; nothing here locks but the trace and the clocks.
#pragma once

#include "core/link/serial/clock.h"
#include "core/link/serial/com_port_option.h"
#include "core/link/serial/line_names.h"
#include "core/link/serial/link_errno.h"
#include "core/link/serial/link_health.h"
#include "core/link/serial/network_port_name.h"
#include "core/link/serial/network_serial_port.h"
#include "core/link/serial/poll_wait.h"
#include "core/link/serial/port_directory.h"
#include "core/link/serial/port_tap.h"
#include "core/link/serial/posix_serial_port.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/serial_trace.h"
#include "core/link/serial/session_log.h"
#include "core/link/serial/tcp_socket.h"
#include "core/link/serial/telnet_codec.h"
#include "core/link/serial/termios_settings.h"
#include "core/link/serial/text_file.h"
#include "core/link/serial/uart_settings.h"
#include "core/link/serial/wall_clock.h"

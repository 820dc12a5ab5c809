// netloom-cli bridge: its row of the option table and its command line (bridge_service.h).
#include <unistd.h>

#include <algorithm>

#include "cli/bridge/bridge_topics.h"
#include "cli/bridge/ha_discovery.h"
#include "cli/bridge_service.h"
#include "cli/cli.h"
#include "cli/options.h"
#include "core/network/network_memory.h"

namespace netloom::cli {
namespace {

constexpr const char* kCommand = "bridge";

// The machine's name as a site name: what a topic cannot hold becomes '-'.
std::string HostSite() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "netloom";
  std::string site(name);
  for (char& c : site) {
    if (!bridge::IsSiteName(std::string_view(&c, 1))) c = '-';
  }
  return site.substr(0, 64);
}

// The options of a bridge command line; nothing with `error` set for a bad one.
std::optional<BridgeOptions> ParseOptions(const ParsedArgs& parsed, std::string& error) {
  BridgeOptions options;
  options.line = parsed;
  const auto url = parsed.Get("--mqtt");
  if (!url) {
    error = "--mqtt is required";
    return std::nullopt;
  }
  if (url->find('@') != std::string::npos) {
    error =
        "no credentials on the command line, where 'ps' shows them: use --mqtt-credentials "
        "FILE or " +
        std::string(bridge::kUserVariable) + " and " + bridge::kPasswordVariable;
    return std::nullopt;
  }
  if (!bridge::ParseBrokerUrl(*url, options.mqtt, error)) return std::nullopt;
  options.mqtt.caFile = parsed.Get("--mqtt-ca").value_or("");
  options.mqtt.certFile = parsed.Get("--mqtt-cert").value_or("");
  options.mqtt.keyFile = parsed.Get("--mqtt-key").value_or("");
  if (options.mqtt.tls != !options.mqtt.caFile.empty()) {
    error = options.mqtt.tls ? "mqtts:// needs --mqtt-ca FILE" : "--mqtt-ca goes with mqtts://";
    return std::nullopt;
  }
  if (options.mqtt.certFile.empty() != options.mqtt.keyFile.empty()) {
    error = "--mqtt-cert and --mqtt-key go together";
    return std::nullopt;
  }
  if (!bridge::ReadCredentials(parsed.Get("--mqtt-credentials").value_or(""), options.mqtt,
                               error)) {
    return std::nullopt;
  }
  options.site = parsed.Get("--site").value_or(HostSite());
  if (!bridge::IsSiteName(options.site)) {
    error = "bad site '" + options.site + "' (letters, digits, '-', '_' and '.')";
    return std::nullopt;
  }
  options.mqtt.clientId = "netloom-bridge-" + options.site;
  const auto period = ParseSeconds(parsed, "--period", kDefaultBridgePeriod, error, false);
  const auto quiet = period
                         ? ParseSeconds(parsed, "--quiet-limit", network::kDefaultQuietLimit, error)
                         : std::nullopt;
  if (!period || !quiet) return std::nullopt;
  options.period = *period;
  options.quietLimit = *quiet;
  if (const auto metrics = parsed.Get("--metrics")) {
    bridge::MetricsAddress address;
    if (!bridge::ParseMetricsAddress(*metrics, address, error)) return std::nullopt;
    options.metrics = address;
  }
  if (parsed.Has("--discovery-prefix") && !parsed.Has("--ha-discovery")) {
    error = "--discovery-prefix goes with --ha-discovery";
    return std::nullopt;
  }
  if (parsed.Has("--ha-discovery")) {
    options.discoveryPrefix =
        parsed.Get("--discovery-prefix").value_or(bridge::kDefaultDiscoveryPrefix);
  }
  options.allowCommands = parsed.Has("--allow-commands");
  return options;
}

int RunFromCommandLine(const std::vector<std::string>& args, CommandIo& io) {
  return RunBridge(args, io, {link::DefaultClock(), link::SystemWallClock()});
}

std::vector<FlagSpec> BridgeFlags() {
  auto flags = LineFlags();
  // A session log is kept in memory until the command ends: not for a service.
  flags.erase(std::remove_if(flags.begin(), flags.end(),
                             [](const FlagSpec& flag) { return flag.name == "--log"; }),
              flags.end());
  const auto file = [](std::string name, std::string help) {
    return FlagSpec{.name = std::move(name),
                    .valueName = "FILE",
                    .help = std::move(help),
                    .kind = ValueKind::File};
  };
  flags.insert(
      flags.end(),
      {{.name = "--mqtt",
        .valueName = "URL",
        .help = "the broker: mqtt://HOST[:PORT] (1883) or mqtts://HOST[:PORT] (TLS, 8883)"},
       {.name = "--site",
        .valueName = "NAME",
        .help = "the topics' site: netloom/NAME/... (default: the host name)"},
       {.name = "--period",
        .valueName = "SECONDS",
        .help = "walk every SECONDS (default 60)",
        .kind = ValueKind::Number},
       {.name = "--quiet-limit",
        .valueName = "SECONDS",
        .help = "how long a node may go unheard before it has left and reads unavailable "
                "(default 600)",
        .kind = ValueKind::Number},
       {.name = "--metrics",
        .valueName = "[ADDR:]PORT",
        .help = "serve Prometheus metrics at http://ADDR:PORT/metrics (ADDR 127.0.0.1 unless "
                "given)"},
       Switch("--ha-discovery", "announce the nodes to Home Assistant (MQTT discovery)"),
       {.name = "--discovery-prefix",
        .valueName = "PREFIX",
        .help = "with --ha-discovery: the discovery topics' prefix (default homeassistant)"},
       Switch("--allow-commands",
              "serve requests on netloom/SITE/cmd/{walk,config-read,console,forget}"),
       file("--mqtt-credentials",
            "the broker's user and password: USER:PASSWORD on the first line, or the user on "
            "the first line and the password on the second (else the environment's "
            "NETLOOM_MQTT_USER and NETLOOM_MQTT_PASSWORD)"),
       file("--mqtt-ca", "with mqtts://: the CA certificate that signed the broker's"),
       file("--mqtt-cert", "with mqtts://: the bridge's own client certificate"),
       file("--mqtt-key", "with --mqtt-cert: its private key")});
  return flags;
}

const CommandRegistrar kRegistrar({
    .name = kCommand,
    .summary = "publish the live network on MQTT and as Prometheus metrics",
    .run = RunFromCommandLine,
    .synopsis = {"bridge --port P --mqtt URL [--site NAME] [--period SECONDS] "
                 "[--metrics [ADDR:]PORT] [--ha-discovery] [--allow-commands]"},
    .description =
        "Runs until stopped: walks the network every period and publishes it under "
        "netloom/SITE/: state (\"online\"/\"offline\", retained, also the last will), network "
        "(the latest walk as walk --json prints it, retained), nodes/ADDR (each node's record "
        "with \"available\", retained) and events (joined, left, moved, renamed). A lost port "
        "reads \"offline\" and is opened again. Requests on netloom/SITE/cmd/... are served only "
        "with --allow-commands and answered on netloom/SITE/reply/...; firmware upload and "
        "identity write are never offered. Credentials come from --mqtt-credentials or the "
        "environment, never from the command line.",
    .flags = BridgeFlags(),
});

}  // namespace

int RunBridge(const std::vector<std::string>& args, CommandIo& io, const BridgeTime& time) {
  ParsedArgs parsed;
  if (const auto status = ParseFlagsOnly(kCommand, args, io, parsed)) return *status;
  std::string error;
  const auto options = ParseOptions(parsed, error);
  if (!options) return UsageError(io, kCommand, error);
  if (!parsed.Has("--port")) return UsageError(io, kCommand, "--port is required");
  return ServeBridge(*options, io, time);
}

}  // namespace netloom::cli

#include "gui/shell/kept_settings.h"

#include <QSettings>
#include <QStringList>

#include "gui/model/network_insight.h"
#include "gui/model/port_choice.h"

namespace netloom::shell {

void KeepChoicesInSettings(QSettings& settings) {
  std::vector<std::string> names;
  for (const QString& name : settings.value(kRecentNetworkPortsKey).toStringList()) {
    names.push_back(name.toStdString());
  }
  auto& recent = model::ProcessRecentNetworkPorts();
  recent.Load(names);
  recent.onChange = [&settings](const std::vector<std::string>& now) {
    QStringList list;
    for (const auto& name : now) list.push_back(QString::fromStdString(name));
    settings.setValue(kRecentNetworkPortsKey, list);
  };

  auto& quiet = model::ProcessQuietLimit();
  const auto seconds = settings.value(kQuietLimitKey).toLongLong();
  quiet.limit = seconds > 0 ? std::chrono::seconds(seconds) : network::kDefaultQuietLimit;
  quiet.onChange = [&settings](std::chrono::seconds limit) {
    settings.setValue(kQuietLimitKey, static_cast<qlonglong>(limit.count()));
  };
}

void ForgetKeptSettings() {
  model::ProcessRecentNetworkPorts().onChange = nullptr;
  model::ProcessQuietLimit().onChange = nullptr;
}

}  // namespace netloom::shell

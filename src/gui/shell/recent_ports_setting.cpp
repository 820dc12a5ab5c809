#include "gui/shell/recent_ports_setting.h"

#include <QSettings>
#include <QStringList>

#include "gui/model/port_choice.h"

namespace netloom::shell {

void KeepRecentPortsInSettings(QSettings& settings) {
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
}

void ForgetRecentPortsSetting() {
  model::ProcessRecentNetworkPorts().onChange = nullptr;
}

}  // namespace netloom::shell

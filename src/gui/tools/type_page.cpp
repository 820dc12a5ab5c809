#include "gui/tools/type_page.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/model/wizard_rules.h"
#include "gui/tools/message_box.h"
#include "gui/tools/wizard_sheet.h"

namespace netloom::tools {
namespace {

constexpr std::string_view kHeading =
    "Select device type to setup zigbee module :  Coordinator, Router and End Device\r\n"
    "A Zigbee network structure needs al least one coordinator and one End Device.";

struct TypeEntry {
  const char* name;
  std::string_view description;
};

constexpr TypeEntry kTypes[] = {
    {"Coordinator",
     "The coordinator is the root of the zigbee network.\r\n Each Zigbee network can have only "
     "one Coordinator."},
    {"Router",
     "As well as running an application function,\r\na router can relay data packet to its "
     "destination node. "},
    {"EndDevice",
     "Contains just enough functionality to talk to the parent node\r\n(either the coordinator "
     "or a router)"},
};

}  // namespace

CTypePage::CTypePage(CWizardSheet& sheet) : sheet_(sheet) {
  setTitle(QStringLiteral("Type"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(DisplayText(kHeading), this);
  heading->setWordWrap(true);
  layout->addWidget(heading);
  // The buttons are cleared together at initialisation, so the group is not exclusive then.
  auto* group = new QButtonGroup(this);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(kTypes[i].name), this);
    button->setAccessibleName(QString::fromLatin1(kTypes[i].name));
    auto* description = new QLabel(DisplayText(kTypes[i].description), this);
    description->setIndent(24);
    description->setBuddy(button);
    layout->addSpacing(8);
    layout->addWidget(button);
    layout->addWidget(description);
    group->addButton(button, static_cast<int>(i));
    buttons_[i] = button;
  }
  layout->addStretch();
}

void CTypePage::initializePage() {
  auto* group = buttons_[0]->group();
  group->setExclusive(false);
  for (auto* button : buttons_) button->setChecked(false);
  group->setExclusive(true);
  const int selected = model::DeviceTypeButton(sheet_.current().deviceType);
  if (selected >= 0) buttons_[static_cast<std::size_t>(selected)]->setChecked(true);
}

bool CTypePage::validatePage() {
  // Nothing selected counts as an end device.
  sheet_.requested().deviceType = buttons_[0]->isChecked() ? 0 : buttons_[1]->isChecked() ? 1 : 2;
  return true;
}

}  // namespace netloom::tools

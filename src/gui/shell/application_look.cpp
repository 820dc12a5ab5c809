#include "gui/shell/application_look.h"

#include <QApplication>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <array>

namespace netloom::shell {
namespace {

const std::array<LookDescription, 9> kLooks = {{
    {res::kLookWindows2000, LookFamily::Windows2000, "Windows 2000", "Windows"},
    {res::kLookOfficeXp, LookFamily::OfficeXp, "Office XP", "Fusion"},
    {res::kLookWindowsXp, LookFamily::WindowsXp, "Windows XP", "Windows"},
    {res::kLookOffice2003, LookFamily::Office2003, "Office 2003", "Fusion"},
    {res::kLookVisualStudio2005, LookFamily::VisualStudio2005, "Visual Studio.NET 2005", "Fusion"},
    {res::kLookOffice2007Blue, LookFamily::Office2007, "Office 2007 (Blue Style)", "Fusion"},
    {res::kLookOffice2007Black, LookFamily::Office2007, "Office 2007 (Black Style)", "Fusion"},
    {res::kLookOffice2007Silver, LookFamily::Office2007, "Office 2007 (Silver Style)", "Fusion"},
    {res::kLookOffice2007Aqua, LookFamily::Office2007, "Office 2007 (Aqua Style)", "Fusion"},
}};

// Window, button, base, highlight, text and button text of each look, in look order.
struct Colours {
  QRgb window, button, base, highlight, text, buttonText;
};
const std::array<Colours, 9> kColours = {{
    {0xd4d0c8, 0xd4d0c8, 0xffffff, 0x0a246a, 0x000000, 0x000000},  // Windows 2000
    {0xf7f6f3, 0xeeeeea, 0xffffff, 0x316ac5, 0x000000, 0x000000},  // Office XP
    {0xece9d8, 0xf1efe2, 0xffffff, 0x316ac5, 0x000000, 0x000000},  // Windows XP
    {0xc3daf9, 0xdde9f8, 0xffffff, 0xf7c46a, 0x000000, 0x15428b},  // Office 2003
    {0xefebde, 0xf5f4ef, 0xffffff, 0x316ac5, 0x000000, 0x000000},  // Visual Studio 2005
    {0xbfdbff, 0xd5e6fb, 0xffffff, 0xffd56b, 0x15428b, 0x15428b},  // Office 2007 Blue
    {0x3b3b3b, 0x505050, 0x262626, 0xf9a12c, 0xf0f0f0, 0xf0f0f0},  // Office 2007 Black
    {0xd0d4dd, 0xe4e7ec, 0xffffff, 0xffd56b, 0x1f2937, 0x1f2937},  // Office 2007 Silver
    {0xc9d9ed, 0xdde8f3, 0xffffff, 0x9ebbdd, 0x1b3a5c, 0x1b3a5c},  // Office 2007 Aqua
}};

std::size_t LookIndex(int id) {
  // Unknown ids fall to the Office 2007 family in its first (blue) style.
  if (id < res::kLookFirst || id > res::kLookLast) id = res::kLookOffice2007Blue;
  return static_cast<std::size_t>(id - res::kLookFirst);
}

}  // namespace

const LookDescription& DescribeLook(int id) {
  return kLooks[LookIndex(id)];
}

QPalette LookPalette(int id) {
  const Colours& c = kColours[LookIndex(id)];
  QPalette palette(QColor::fromRgb(c.button), QColor::fromRgb(c.window));
  palette.setColor(QPalette::Base, QColor::fromRgb(c.base));
  palette.setColor(QPalette::AlternateBase, QColor::fromRgb(c.window).lighter(110));
  palette.setColor(QPalette::Highlight, QColor::fromRgb(c.highlight));
  const bool darkHighlight = QColor::fromRgb(c.highlight).lightness() < 140;
  palette.setColor(QPalette::HighlightedText, darkHighlight ? Qt::white : Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ToolTipText})
    palette.setColor(QPalette::Active, role, QColor::fromRgb(c.text));
  for (auto role : {QPalette::WindowText, QPalette::Text})
    palette.setColor(QPalette::Inactive, role, QColor::fromRgb(c.text));
  palette.setColor(QPalette::ButtonText, QColor::fromRgb(c.buttonText));
  palette.setColor(QPalette::ToolTipBase, QColor::fromRgb(0xffffe1));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  return palette;
}

void ApplyLook(int id) {
  const LookDescription& look = DescribeLook(id);
  if (QStyle* style = QStyleFactory::create(QString::fromLatin1(look.styleKey)))
    QApplication::setStyle(style);
  QApplication::setPalette(LookPalette(id));
}

int ReadApplicationLook(QSettings& settings) {
  bool ok = false;
  const int id = settings.value(kLookValueName, kDefaultLook).toInt(&ok);
  return ok ? id : kDefaultLook;
}

void WriteApplicationLook(QSettings& settings, int id) {
  settings.setValue(kLookValueName, id);
  settings.sync();
}

}  // namespace netloom::shell

// The application looks 210..218: each a Qt style with a palette of its own, persisted per user.
#pragma once

#include <QPalette>
#include <QString>

#include "gui/res/resource_ids.h"

class QSettings;

namespace netloom::shell {

// Organisation name of the per-user settings, as the program has always used it.
inline constexpr char kSettingsOrganisation[] = "Local AppWizard-Generated Applications";
inline constexpr char kSettingsApplication[] = "Netloom";
inline constexpr char kLookValueName[] = "ApplicationLook";
// The look of a first start.
inline constexpr int kDefaultLook = res::kLookVisualStudio2005;

enum class LookFamily {
  Windows2000,
  OfficeXp,
  WindowsXp,
  Office2003,
  VisualStudio2005,
  Office2007
};

struct LookDescription {
  int id;                // the View > Application Look command id
  LookFamily family;     // 215..218 and any unknown id: Office 2007
  const char* name;      // "Office 2007 (Silver Style)"
  const char* styleKey;  // QStyleFactory key
};

// The look an id selects; ids outside 210..218 give Office 2007 with its blue style.
const LookDescription& DescribeLook(int id);
QPalette LookPalette(int id);

// Applies the look to the whole application (style, palette).
void ApplyLook(int id);

// "ApplicationLook" from the per-user settings, kDefaultLook when absent.
int ReadApplicationLook(QSettings& settings);
void WriteApplicationLook(QSettings& settings, int id);

}  // namespace netloom::shell

#pragma once
// The notebook speaks Spanish: Qt's own texts too (standard buttons, the
// file and print dialogs, context menus, the command line's help).

namespace renglero {

// Loads Qt's Spanish translations into the running application; false where
// they are not installed (Debian's qt6-translations-l10n), and Qt's texts
// stay English.
bool cargarTraduccionesQt();

} // namespace renglero

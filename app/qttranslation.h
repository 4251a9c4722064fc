#pragma once

// Qt's own texts (the boxes' context menus, the message boxes' buttons) in Bulgarian, as
// everything else the program shows, whatever the system's language.
namespace qttranslation {

// Loads Qt's Bulgarian translation and installs it into the application: the copy in the
// translations folder beside the executable first (the install puts it there, see
// TUMBORA_QT_TRANSLATION), else Qt's own. False when neither could be loaded.
bool install();

} // namespace qttranslation

#pragma once

// What assistive technology reads from the windows of the editor and the player: every window
// reports the window role, a combo box is named by its accessible name or its label (not by the
// text it shows, which is its value), and a menu is named by its title. Qt's own descriptions
// differ there on this system.
namespace AccessibleNames {

// Call once, after the QApplication exists (Qt installs its own descriptions while it starts;
// those installed later are asked first).
void install();

} // namespace AccessibleNames

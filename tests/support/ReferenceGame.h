#pragma once

#include "GameProject.h"

// A small game in which every kind of place names the frame "Cellar" and the item "Key":
// Hall (the initial frame) has area 1 going to "cellar" (another letter case) and giving Key,
// area 2 with a drop event of Key that goes to Cellar and removes the key, and area 3 going to
// Cellar from an older editor's 13-value record written with commas; Attic's timer goes to
// Cellar; Cellar's area 1 goes back to Hall and gives Rope. Items Key (its icon under its hidden
// name Key.002), Rope and Lamp; Key on Rope gives Lamp, Lamp on Key removes the lamp. The saved
// game "Evening" was saved at Cellar carrying Key.
class ReferenceGame : public GameProject {
public:
    ReferenceGame();
};

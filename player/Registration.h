// Makes the player's components and windows known to the window-description reader.
#pragma once

void RegisterPlayerClasses();

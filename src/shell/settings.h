#pragma once
// The program-wide settings of the sections "Vessilor" and "Overblick".

// Reads every program-wide key into its variable, applying the range rules.
void LoadSettings();
// Writes every program-wide key back to the INI file.
void WriteSettings();
// The end of the program: writes the settings, closes the colour picker (so it stores its
// place) and ends the program.
void SaveSettings();

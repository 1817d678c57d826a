#pragma once
// The program-wide settings of the sections "Vessilor" and "Overblick".

// Reads every program-wide key into its variable, applying the range rules, with one read of
// the settings file.
void LoadSettings();
// Writes every program-wide key back to the INI file, with one read and one write of it.
void WriteSettings();
// The end of the program: writes the settings, closes the colour picker (so it stores its
// place) and ends the program.
void SaveSettings();

// Whether the stored AutoStartMapp (as the integer read gives it) chooses the fixed start
// folder: it does when it rounds (half to even) to 2, so 1.6 does and 2.5 does too.
bool UsesFixedStartFolder(double autoStartMapp);

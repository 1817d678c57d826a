void LoadSettings() {}
void WriteSettings() {}

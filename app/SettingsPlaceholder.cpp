namespace kelvo::app {
int SettingsLibraryVersion()
{
    return 1;
}
} // namespace kelvo::app

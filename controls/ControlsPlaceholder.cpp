// Keeps the library non-empty while the skinned controls are being written.
namespace kelvo::controls {
int ControlsLibraryVersion()
{
    return 1;
}
} // namespace kelvo::controls

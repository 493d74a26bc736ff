namespace kelvo::forms {
int FormsLibraryVersion()
{
    return 1;
}
} // namespace kelvo::forms

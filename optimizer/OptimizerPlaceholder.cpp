namespace kelvo::optimizer {
int OptimizerLibraryVersion()
{
    return 1;
}
} // namespace kelvo::optimizer

// An empty module for the library search tests.
extern "C" __declspec(dllexport) int SearchProbe(void)
{
    return 1;
}

/* A small library for the module loader tests. */
int morvex_probe(void)
{
    return 42;
}
int morvex_data = 7;

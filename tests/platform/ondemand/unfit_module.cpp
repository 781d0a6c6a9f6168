// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-ins for a services module that cannot be used: without the entry point, or (with
// TIVREN_UNFIT_UNRESOLVED) needing a symbol that no executable has.
#ifdef TIVREN_UNFIT_UNRESOLVED
int tivrenSymbolNobodyDefines();
extern "C" int tivrenServicesModule()
{
    return tivrenSymbolNobodyDefines();
}
#else
extern "C" int tivrenSomethingElse()
{
    return 0;
}
#endif

#pragma once
// Run-time binding of the maker's card driver library, KVDRV.dll: it is loaded by name on
// first use, its entry points are looked up by name, and it is never released.

#include <array>

inline constexpr const char* kCardDriverLibrary = "KVDRV.dll";

// The entry points, in lookup order.
inline constexpr std::array<const char*, 33> kCardDriverEntryNames = {
    "GetNumCards",   "QueryCardInfo",   "QueryBARBase", "WaitForIRQ",      "COSWaitForIRQ",
    "WDGHandleIRQ",  "AbortRequest",    "CloseCard",    "WDGInit",         "WDGSetTimeout",
    "WDGSetResetDuration", "WDGPet",    "WDGReadTemp",  "WDGReadStatus",   "WDGStart",
    "WDGStop",       "EmergencyReboot", "InPortB",      "OutPortB",        "InPort",
    "OutPort",       "InPortL",         "OutPortL",     "InPortDWord",     "OutPortDWord",
    "RelInPortB",    "RelOutPortB",     "RelInPort",    "RelOutPort",      "RelInPortL",
    "RelOutPortL",   "RelInPortDWord",  "RelOutPortDWord",
};

// Loads the library and looks up every entry point, unless that already succeeded. A missing
// library leaves everything as it was, so a later call tries again.
void BindCardDriver();

// True once the library was loaded with all of its entry points.
bool CardDriverAvailable();

// The address found for entry point `index` of kCardDriverEntryNames, or nullptr.
void* CardDriverEntry(int index);

// Whether GetNumCards may be called: its entry point was found.
bool GetNumCardsBound();

// The number of installed cards, as the library counts them. Throws std::logic_error when
// the entry point was not found.
int GetNumCards();

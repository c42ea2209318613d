#include "CardDriver.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

struct Binding
{
    std::array<void*, kCardDriverEntryNames.size()> slots{};
    bool available = false;
};

Binding& binding()
{
    static Binding b;
    return b;
}

bool holdsLibrary(const std::string& directory)
{
    struct stat info;
    const std::string path = directory + '/' + kCardDriverLibrary;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The loader searches the directories of LD_LIBRARY_PATH before the system's, and takes an
// empty or relative entry there against the current directory. Loading runs the library's
// code, so the library must not be taken from such an entry: this walks the entries in the
// loader's order and tells whether the first one holding the library is relative. An
// absolute entry first, or none at all, leaves the choice to the loader's usual search.
bool loaderWouldTakeRelativeEntry()
{
    const char* variable = std::getenv("LD_LIBRARY_PATH");
    if (!variable)
        return false;
    std::string_view rest(variable);
    while (true) {
        const std::size_t end = rest.find_first_of(":;");
        const std::string entry(rest.substr(0, end));
        const bool relative = entry.empty() || entry.front() != '/';
        if (holdsLibrary(entry.empty() ? std::string(".") : entry))
            return relative;
        if (end == std::string_view::npos)
            return false;
        rest.remove_prefix(end + 1);
    }
}

} // namespace

void BindCardDriver()
{
    Binding& b = binding();
    if (b.available || loaderWouldTakeRelativeEntry())
        return;
    // Never closed: the entry points stay valid for the life of the program.
    void* library = dlopen(kCardDriverLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return;
    bool all = true;
    for (std::size_t i = 0; i < kCardDriverEntryNames.size(); ++i) {
        b.slots[i] = dlsym(library, kCardDriverEntryNames[i]);
        all = all && b.slots[i];
    }
    b.available = all;
}

bool CardDriverAvailable() { return binding().available; }

void* CardDriverEntry(int index)
{
    const auto& slots = binding().slots;
    return index >= 0 && std::size_t(index) < slots.size() ? slots[index] : nullptr;
}

bool GetNumCardsBound() { return CardDriverEntry(0) != nullptr; }

int GetNumCards()
{
    using Function = int (*)();
    void* entry = CardDriverEntry(0);
    if (!entry)
        throw std::logic_error("GetNumCards called without the card driver's entry point");
    return reinterpret_cast<Function>(entry)();
}

#include "documents/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>

// Any bytes as a settings file. Besides not crashing, hanging or touching
// memory it should not, the loader must keep two promises: a file it refuses
// changes nothing, and what it loads saves and loads again unchanged.
extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    static const juce::String untouched = SettingsFile::toText (ValueCache());

    ValueCache cache;
    const auto result = SettingsFile::loadFromData (cache, data, size);
    const auto loaded = SettingsFile::toText (cache);

    if (result.failed())
    {
        if (loaded != untouched)
        {
            std::cerr << "a refused file changed the cache: " << result.getErrorMessage() << std::endl;
            std::abort();
        }
        return 0;
    }

    ValueCache again;
    const auto utf8 = loaded.toUTF8();
    const auto reloaded = SettingsFile::loadFromData (again, utf8.getAddress(), utf8.sizeInBytes() - 1);
    if (reloaded.failed() || SettingsFile::toText (again) != loaded)
    {
        std::cerr << "a loaded file did not come back from its own save: " << reloaded.getErrorMessage() << std::endl;
        std::abort();
    }
    return 0;
}

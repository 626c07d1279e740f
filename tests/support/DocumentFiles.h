#pragma once

#include "JuceIncludes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// A fixture file of tests/data.
inline juce::File testDataFile (const char* name) { return juce::File (VORLO_TEST_DATA_DIR).getChildFile (name); }

// A folder of its own for a test's files, deleted with it.
class ScratchFolder
{
public:
    ScratchFolder() { folder.createDirectory(); }
    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }
    juce::File write (const juce::String& name, const juce::String& text) const
    {
        const auto f = file (name);
        f.replaceWithText (text, false, false, nullptr);
        return f;
    }
    const juce::File& getFolder() const noexcept { return folder; }

private:
    juce::File folder = juce::File::createTempFile ("vorlo-test");
};

// Whether two files hold the same bytes; says where they differ otherwise.
inline ::testing::AssertionResult sameFileContent (const juce::File& actual, const juce::File& expected)
{
    juce::MemoryBlock a, e;
    if (! actual.loadFileAsData (a))
        return ::testing::AssertionFailure() << actual.getFullPathName() << " could not be read";
    if (! expected.loadFileAsData (e))
        return ::testing::AssertionFailure() << expected.getFullPathName() << " could not be read";
    if (a == e)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.getFileName() << " differs from " << expected.getFullPathName() << ":\n" << a.toString();
}

// Makes writing a file fail partway, as a full disk does, for as long as it
// lives: the file size limit stands at a few bytes. Works for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit (rlim_t bytes)
    {
        getrlimit (RLIMIT_FSIZE, &saved);
        oldHandler = signal (SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit (RLIMIT_FSIZE, &limit);
    }

    ~FileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &saved);
        signal (SIGXFSZ, oldHandler);
    }

private:
    rlimit saved {};
    void (*oldHandler) (int) = nullptr;
};

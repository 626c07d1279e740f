#include "documents/XmlFileWriter.h"

#include <optional>

#if ! JUCE_WINDOWS
 #include <sys/stat.h>
 #include <unistd.h>
#endif

namespace
{
juce::String describeFailure (const juce::Result& result, const juce::String& otherwise)
{
    const auto message = result.getErrorMessage().trim();
    return message.isNotEmpty() ? message.toLowerCase() : otherwise;
}

// The file a chain of symbolic links leads to, the file itself when it is
// none; nothing when the chain goes round in a circle.
std::optional<juce::File> followLinks (juce::File file)
{
    constexpr int maxLinks = 40; // as the kernel allows
    for (int links = 0; file.isSymbolicLink(); ++links)
    {
        if (links == maxLinks)
            return std::nullopt;
        file = file.getLinkedTarget();
    }
    return file;
}

bool isReadOnly (const juce::File& file)
{
#if JUCE_WINDOWS
    return file.existsAsFile() && ! file.hasWriteAccess();
#else
    // By its permissions, not by access(): the superuser may write anything,
    // yet a file nobody may write is still meant to be kept.
    struct stat info;
    if (stat (file.getFullPathName().toRawUTF8(), &info) != 0)
        return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access (file.getFullPathName().toRawUTF8(), W_OK) != 0;
#endif
}

void keepPermissions (const juce::File& from, const juce::File& to)
{
#if ! JUCE_WINDOWS
    struct stat info;
    if (stat (from.getFullPathName().toRawUTF8(), &info) == 0)
        chmod (to.getFullPathName().toRawUTF8(), info.st_mode & 07777);
#else
    juce::ignoreUnused (from, to);
#endif
}
} // namespace

juce::String XmlFileWriter::toText (const juce::XmlElement& document)
{
    juce::XmlElement::TextFormat format;
    format.addDefaultHeader = true;
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    return document.toString (format);
}

juce::Result XmlFileWriter::write (const juce::XmlElement& document, const juce::File& file) { return writeText (toText (document), file); }

juce::Result XmlFileWriter::writeText (const juce::String& text, const juce::File& given)
{
    // A symbolic link stays: the file it leads to is the one replaced.
    const auto target = followLinks (given);
    if (! target)
        return juce::Result::fail ("it is a symbolic link that leads round in a circle");
    const auto& file = *target;

    if (file.isDirectory())
        return juce::Result::fail ("it is a folder");

    // Someone made it read-only to keep it as it is; replacing it through
    // its folder would go round that.
    if (isReadOnly (file))
        return juce::Result::fail ("it is read-only");

    const auto folder = file.getParentDirectory();
    if (! folder.isDirectory())
        return juce::Result::fail ("the folder " + folder.getFullPathName().quoted() + " does not exist");

    const auto utf8 = text.toUTF8();
    const auto byteCount = utf8.sizeInBytes() - 1;

    // Hidden, so that a file chooser never offers it.
    juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out (temporary.getFile());
        if (! out.openedOk())
            return juce::Result::fail ("the folder cannot be written to (" + describeFailure (out.getStatus(), "permission denied") + ")");

        const bool written = out.write (utf8.getAddress(), byteCount);
        out.flush(); // also waits until the data is on the disk
        if (! written || out.getStatus().failed())
            return juce::Result::fail ("writing failed (" + describeFailure (out.getStatus(), "the disk may be full") + ")");
    }

    // A short write is not always reported as an error.
    if (temporary.getFile().getSize() != (juce::int64) byteCount)
        return juce::Result::fail ("writing failed (the disk may be full)");

    // The new file keeps who may read the old one.
    if (file.existsAsFile())
        keepPermissions (file, temporary.getFile());

    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("the existing file could not be replaced");

    return juce::Result::ok();
}

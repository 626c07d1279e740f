#include "documents/XmlFileWriter.h"

namespace
{
juce::String describeFailure (const juce::Result& result, const juce::String& otherwise)
{
    const auto message = result.getErrorMessage().trim();
    return message.isNotEmpty() ? message.toLowerCase() : otherwise;
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

juce::Result XmlFileWriter::writeText (const juce::String& text, const juce::File& file)
{
    if (file.isDirectory())
        return juce::Result::fail ("it is a folder");

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

    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("the existing file could not be replaced");

    return juce::Result::ok();
}

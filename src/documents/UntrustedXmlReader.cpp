#include "documents/UntrustedXmlReader.h"

#include "documents/StrictUtf8.h"

namespace
{
juce::String kilobytes (juce::int64 bytes) { return juce::String ((bytes + 1023) / 1024) + " KB"; }

bool startsWith (const char* text, const char* end, const char* prefix)
{
    const auto length = std::strlen (prefix);
    return (size_t) (end - text) >= length && std::memcmp (text, prefix, length) == 0;
}

// Past the first occurrence of terminator at or after text, or end.
const char* skipPast (const char* text, const char* end, const char* terminator)
{
    const auto length = std::strlen (terminator);
    for (; (size_t) (end - text) >= length; ++text)
        if (std::memcmp (text, terminator, length) == 0)
            return text + length;
    return end;
}

// XML's five named entities and character references of a real character.
bool isPlainEntity (const char* text, const char* end)
{
    for (const auto* named : { "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" })
        if (startsWith (text, end, named))
            return true;

    if (! startsWith (text, end, "&#"))
        return false;

    const bool hex = text + 2 < end && (text[2] == 'x' || text[2] == 'X');
    const auto* digits = text + (hex ? 3 : 2);
    const int radix = hex ? 16 : 10;
    const int maxDigits = hex ? 6 : 7;

    juce::int64 value = 0;
    int count = 0;
    for (auto* p = digits; p < end; ++p)
    {
        if (*p == ';')
            return count > 0 && value > 0 && value <= 0x10FFFF;

        const int digit = juce::CharacterFunctions::getHexDigitValue ((juce::juce_wchar) (unsigned char) *p);
        if (digit < 0 || digit >= radix || ++count > maxDigits)
            return false;
        value = value * radix + digit;
    }
    return false;
}

bool hasDeclarations (const char* text, const char* end)
{
    for (auto* p = text; p < end; ++p)
        if (*p == '<' && p + 1 < end && p[1] == '!' && ! startsWith (p, end, "<!--") && ! startsWith (p, end, "<![CDATA["))
            return true;
    return false;
}

// A processing instruction after the XML declaration. JUCE's parser loops
// forever on one followed by text inside an element.
bool hasProcessingInstructions (const char* text, const char* end)
{
    auto* p = text;
    while (p < end && juce::CharacterFunctions::isWhitespace (*p))
        ++p;
    if (startsWith (p, end, "<?xml"))
        p = skipPast (p + 5, end, "?>");

    for (; p < end; ++p)
        if (*p == '<' && p + 1 < end && p[1] == '?')
            return true;
    return false;
}

const char* findUnsafeEntity (const char* text, const char* end)
{
    for (auto* p = text; p < end; ++p)
        if (*p == '&' && ! isPlainEntity (p, end))
            return p;
    return nullptr;
}

// How deep the parser would recurse, or deeper: elements are counted as it
// reads them, skipping comments, processing instructions and CDATA, and
// reading an attribute value whole, so that a '>' inside one ends nothing.
// Where the parser would stop reading a broken tag, at a '<', so does this.
struct Nesting
{
    int deepest = 0;
    int leftOpen = 0; // elements not closed by the end of the text
};

Nesting scanNesting (const char* text, const char* end)
{
    int depth = 0, deepest = 0;

    for (auto* p = text; p < end;)
    {
        if (*p != '<')
        {
            ++p;
            continue;
        }

        if (startsWith (p, end, "<!--"))
            p = skipPast (p + 4, end, "-->");
        else if (startsWith (p, end, "<?"))
            p = skipPast (p + 2, end, "?>");
        else if (startsWith (p, end, "<![CDATA["))
            p = skipPast (p + 9, end, "]]>");
        else if (startsWith (p, end, "</"))
        {
            depth = std::max (0, depth - 1);
            p = skipPast (p + 2, end, ">");
        }
        else
        {
            deepest = std::max (deepest, ++depth);
            bool afterEquals = false;

            for (++p; p < end && *p != '<';)
            {
                const char c = *p;

                if ((c == '"' || c == '\'') && afterEquals)
                {
                    const char quote[] = { c, 0 };
                    p = skipPast (p + 1, end, quote);
                    afterEquals = false;
                    continue;
                }

                if (startsWith (p, end, "/>"))
                {
                    --depth;
                    p += 2;
                    break;
                }

                ++p;
                if (c == '>')
                    break;

                if (c == '=')
                    afterEquals = true;
                else if (! juce::CharacterFunctions::isWhitespace (c))
                    afterEquals = false;
            }
        }
    }

    return { deepest, depth };
}
} // namespace

std::unique_ptr<juce::XmlElement> UntrustedXmlReader::readFile (const juce::File& file, juce::String& error) const
{
    if (file.isDirectory())
    {
        error = "it is a folder";
        return nullptr;
    }

    if (! file.existsAsFile())
    {
        error = "the file does not exist";
        return nullptr;
    }

    const auto size = file.getSize();
    if (size > (juce::int64) limits.maxBytes)
    {
        error = "it is " + kilobytes (size) + ", far larger than a settings file can be (" + kilobytes ((juce::int64) limits.maxBytes)
            + " at most)";
        return nullptr;
    }

    juce::FileInputStream in (file);
    if (in.failedToOpen())
    {
        const auto reason = in.getStatus().getErrorMessage().trim().toLowerCase();
        error = "it could not be read" + (reason.isNotEmpty() ? " (" + reason + ")" : juce::String());
        return nullptr;
    }

    // Read no more than the limit allows, even if the file grew meanwhile.
    juce::MemoryBlock bytes;
    in.readIntoMemoryBlock (bytes, (ssize_t) limits.maxBytes + 1);
    return parse (bytes.getData(), bytes.getSize(), error);
}

std::unique_ptr<juce::XmlElement> UntrustedXmlReader::parse (const void* data, size_t size, juce::String& error) const
{
    if (size > limits.maxBytes)
    {
        error = "it is larger than a settings file can be (" + kilobytes ((juce::int64) limits.maxBytes) + " at most)";
        return nullptr;
    }

    const auto* text = static_cast<const char*> (data);
    const auto* end = text + size;

    if (startsWith (text, end, "\xEF\xBB\xBF"))
        text += 3;

    if (std::find (text, end, '\0') != end || ! StrictUtf8::isWellFormed (text, (size_t) (end - text)))
    {
        error = "it is not a text file";
        return nullptr;
    }

    if (hasDeclarations (text, end))
    {
        error = "it contains a document type declaration, which settings files never have";
        return nullptr;
    }

    if (hasProcessingInstructions (text, end))
    {
        error = "it contains a processing instruction, which settings files never have";
        return nullptr;
    }

    if (findUnsafeEntity (text, end) != nullptr)
    {
        error = "it contains an entity reference other than XML's own, which settings files never have";
        return nullptr;
    }

    const auto nesting = scanNesting (text, end);
    if (nesting.deepest > limits.maxDepth)
    {
        error = "its elements are nested more than " + juce::String (limits.maxDepth) + " levels deep";
        return nullptr;
    }

    // The parser takes a document whose end is missing for whole.
    if (nesting.leftOpen > 0)
    {
        error = "it ends before all its elements are closed, so it may have been cut short";
        return nullptr;
    }

    juce::XmlDocument document (juce::String::fromUTF8 (text, (int) (end - text)));
    auto root = document.getDocumentElement();
    if (root == nullptr)
    {
        const auto reason = document.getLastParseError();
        error = "it is not a well-formed XML document" + (reason.isNotEmpty() ? " (" + reason + ")" : juce::String());
    }
    return root;
}

#include "documents/UntrustedXmlReader.h"

#include "documents/StrictUtf8.h"

#include <expat.h>

namespace
{
juce::String kilobytes (juce::int64 bytes) { return juce::String ((bytes + 1023) / 1024) + " KB"; }

const juce::String declarationsRefused = "it contains a document type declaration, which settings files never have";

// One pass of expat over the document, building JUCE's element tree as it
// goes. Whatever a settings file never holds stops the parser in its
// callback, with the reason; so does nesting deeper than the limit, before
// the tree grows any deeper.
class ExpatTreeBuilder
{
public:
    explicit ExpatTreeBuilder (int maxDepthToAllow) : maxDepth (maxDepthToAllow), parser (XML_ParserCreate ("UTF-8"))
    {
        XML_SetUserData (parser, this);
        XML_SetElementHandler (parser, startElement, endElement);
        XML_SetStartDoctypeDeclHandler (parser, startDoctype);
        XML_SetEntityDeclHandler (parser, entityDeclaration);
        XML_SetProcessingInstructionHandler (parser, processingInstruction);
        // No DTD is ever read, so no entity of one is ever expanded.
        XML_SetParamEntityParsing (parser, XML_PARAM_ENTITY_PARSING_NEVER);
    }

    ~ExpatTreeBuilder() { XML_ParserFree (parser); }

    std::unique_ptr<juce::XmlElement> parse (const char* text, size_t size, juce::String& error)
    {
        if (parser == nullptr)
        {
            error = "it could not be read (out of memory)";
            return nullptr;
        }

        if (XML_Parse (parser, text, (int) size, XML_TRUE) == XML_STATUS_OK && root != nullptr)
            return std::move (root);

        error = describeFailure();
        return nullptr;
    }

private:
    juce::String describeFailure() const
    {
        if (refusal.isNotEmpty())
            return refusal;

        const auto code = XML_GetErrorCode (parser);
        if (code == XML_ERROR_UNDEFINED_ENTITY || code == XML_ERROR_RECURSIVE_ENTITY_REF || code == XML_ERROR_BINARY_ENTITY_REF
            || code == XML_ERROR_ATTRIBUTE_EXTERNAL_ENTITY_REF || code == XML_ERROR_ENTITY_DECLARED_IN_PE)
            return "it contains an entity reference other than XML's own, which settings files never have";

        // Elements still open where the text ends: a document cut short.
        const bool atTheEnd = code == XML_ERROR_NO_ELEMENTS || code == XML_ERROR_UNCLOSED_TOKEN || code == XML_ERROR_PARTIAL_CHAR
                           || code == XML_ERROR_UNCLOSED_CDATA_SECTION;
        if (atTheEnd && ! open.empty())
            return "it ends before all its elements are closed, so it may have been cut short";

        // "not well-formed (invalid token)" says the first half twice.
        auto reason = juce::String (XML_ErrorString (code));
        if (reason.startsWith ("not well-formed (") && reason.endsWith (")"))
            reason = reason.fromFirstOccurrenceOf ("(", false, false).dropLastCharacters (1);
        return "it is not a well-formed XML document (" + reason + " at line "
             + juce::String ((juce::int64) XML_GetCurrentLineNumber (parser)) + ")";
    }

    void refuse (const juce::String& reason)
    {
        if (refusal.isEmpty())
            refusal = reason;
        XML_StopParser (parser, XML_FALSE);
    }

    static ExpatTreeBuilder& of (void* userData) { return *static_cast<ExpatTreeBuilder*> (userData); }

    static void XMLCALL startElement (void* userData, const XML_Char* name, const XML_Char** attributes)
    {
        auto& self = of (userData);
        if (self.refusal.isNotEmpty()) // a stopped parser may still call back
            return;
        if ((int) self.open.size() >= self.maxDepth)
        {
            self.refuse ("its elements are nested more than " + juce::String (self.maxDepth) + " levels deep");
            return;
        }

        auto element = std::make_unique<juce::XmlElement> (juce::String::fromUTF8 (name));
        for (auto** attribute = attributes; *attribute != nullptr; attribute += 2)
            element->setAttribute (juce::Identifier (juce::String::fromUTF8 (attribute[0])), juce::String::fromUTF8 (attribute[1]));

        auto* added = element.get();
        if (self.open.empty())
            self.root = std::move (element);
        else
            self.open.back()->addChildElement (element.release());
        self.open.push_back (added);
    }

    static void XMLCALL endElement (void* userData, const XML_Char*)
    {
        auto& self = of (userData);
        if (self.refusal.isEmpty() && ! self.open.empty())
            self.open.pop_back();
    }

    static void XMLCALL startDoctype (void* userData, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        of (userData).refuse (declarationsRefused);
    }

    static void XMLCALL entityDeclaration (void* userData, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                                           const XML_Char*, const XML_Char*)
    {
        of (userData).refuse (declarationsRefused);
    }

    // The XML declaration is not one: expat reports it apart.
    static void XMLCALL processingInstruction (void* userData, const XML_Char*, const XML_Char*)
    {
        of (userData).refuse ("it contains a processing instruction, which settings files never have");
    }

    const int maxDepth;
    XML_Parser parser;
    std::unique_ptr<juce::XmlElement> root;
    std::vector<juce::XmlElement*> open;
    juce::String refusal;

    JUCE_DECLARE_NON_COPYABLE (ExpatTreeBuilder)
};
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

    // A byte-order mark is expat's to read; the check of the text skips it.
    const bool hasByteOrderMark = size >= 3 && std::memcmp (text, "\xEF\xBB\xBF", 3) == 0;
    const auto* content = hasByteOrderMark ? text + 3 : text;

    if (std::find (content, end, '\0') != end || ! StrictUtf8::isWellFormed (content, (size_t) (end - content)))
    {
        error = "it is not a text file";
        return nullptr;
    }

    return ExpatTreeBuilder (limits.maxDepth).parse (text, (size_t) (end - text), error);
}

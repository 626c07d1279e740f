#include "vorloctl/Commands.h"
#include "vorloctl/HexMessage.h"

#include "protocol/MessageCatalogue.h"
#include "protocol/OrvaneMidiMessage32.h"
#include "protocol/OrvaneMidiMessage49.h"

#include <iostream>

int runCatalogueCommand (const juce::ArgumentList&)
{
    printMessageCatalogue();
    return 0;
}

int runDescribeCommand (const juce::ArgumentList& arguments)
{
    juce::StringArray words;
    bool olderDialect = false;

    for (int i = 1; i < arguments.size(); ++i)
    {
        if (arguments[i].text == "--om32")
            olderDialect = true;
        else
            words.add (arguments[i].text);
    }

    if (words.isEmpty())
    {
        std::cerr << "vorloctl describe: give the message as hex bytes, for example: vorloctl describe F0 7E 7F 06 01 F7" << std::endl;
        return 2;
    }

    juce::String error;
    const auto message = parseHexMessage (words.joinIntoString (" "), error);
    if (! message)
    {
        std::cerr << "vorloctl describe: " << error << "." << std::endl;
        return 1;
    }

    const auto describe = [] (const IOrvaneMidiMessage& m) { std::cout << m.toHexString() << m.describe() << std::flush; };
    if (olderDialect)
        describe (OrvaneMidiMessage32 (*message));
    else
        describe (OrvaneMidiMessage49 (*message));
    return 0;
}

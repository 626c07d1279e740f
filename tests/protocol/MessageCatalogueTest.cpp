#include "protocol/MessageCatalogue.h"

#include <gtest/gtest.h>

TEST (MessageCatalogue, PrintsExactlyTheCatalogue)
{
    const juce::File fixture (juce::String (VORLO_TEST_DATA_DIR) + "/catalogue.txt");
    ASSERT_TRUE (fixture.existsAsFile());
    EXPECT_EQ (messageCatalogueText(), fixture.loadFileAsString());
}

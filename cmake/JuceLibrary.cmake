# The JUCE modules, compiled once into one static library that every target
# of the project links. The juce::juce_* targets are interface libraries whose
# sources are the module .cpp files; linking them PRIVATE compiles those here,
# and only the include directories and definitions are passed on.
add_library(juce_modules STATIC)

target_link_libraries(juce_modules
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_audio_basics
        juce::juce_audio_devices
        juce::juce_cryptography
    PUBLIC
        juce::juce_recommended_config_flags
        juce::pkgconfig_JUCE_IMG_LINUX_DEPS)

target_compile_definitions(juce_modules
    PUBLIC
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_MODAL_LOOPS_PERMITTED=1
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_STRICT_REFCOUNTEDPOINTER=1
        JUCE_STANDALONE_APPLICATION=1)

target_include_directories(juce_modules
    INTERFACE $<TARGET_PROPERTY:juce_modules,INCLUDE_DIRECTORIES>)
target_compile_definitions(juce_modules
    INTERFACE $<TARGET_PROPERTY:juce_modules,COMPILE_DEFINITIONS>)

set_target_properties(juce_modules PROPERTIES POSITION_INDEPENDENT_CODE ON)

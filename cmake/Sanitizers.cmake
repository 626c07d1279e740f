# Optional sanitizer builds: -DVORLO_SANITIZER=address (ASan with UBSan) or thread (TSan).
if(VORLO_SANITIZER STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    # JUCE unloads Xlib at shutdown; keeping the X libraries linked keeps
    # LeakSanitizer from reporting Xlib's caches as leaks.
    add_link_options(-Wl,--no-as-needed -l:libX11.so.6 -l:libXext.so.6 -l:libXcursor.so.1
                     -l:libXinerama.so.1 -l:libXrender.so.1 -l:libXrandr.so.2 -Wl,--as-needed)
elseif(VORLO_SANITIZER STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT VORLO_SANITIZER STREQUAL "")
    message(FATAL_ERROR "Unknown VORLO_SANITIZER '${VORLO_SANITIZER}': use address or thread")
endif()
